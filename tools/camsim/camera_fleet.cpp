#include "tools/camsim/camera_fleet.h"

#include "protocol/byte_fields.h"
#include "tools/camsim/address_format.h"
#include "tools/camsim/json_line.h"

#include <algorithm>

namespace netlark {

namespace {

template <typename Change> void addChangeFields(JsonLine& line, const Change& change) {
    line.addText("admin_id", change.adminId.view())
        .addText("admin_password", change.adminPassword.view())
        .addText("target_mac", macText(change.targetMac))
        .addText("ip", ipv4Text(change.settings.ip))
        .addText("mask", ipv4Text(change.settings.subnetMask))
        .addText("gateway", ipv4Text(change.settings.gateway))
        .addText("dns", ipv4Text(change.settings.dns))
        .addText("carried", ipv4Text(change.carriedAddress));
}

void addVerdict(JsonLine& line, const CameraFleet::ChangeVerdict& verdict) {
    using Result = CameraFleet::ChangeResult;
    switch (verdict.result) {
    case Result::Done:
        line.addText("result", "done");
        break;
    case Result::AuthFail:
        line.addText("result", "auth_fail");
        break;
    case Result::UnknownCamera:
        line.addText("result", "unknown_camera");
        break;
    }
    if (verdict.camera != nullptr) {
        line.addText("camera", verdict.camera->serial);
    }
}

int resultOpcode(CameraFleet::ChangeResult result) {
    return result == CameraFleet::ChangeResult::Done ? OP_SET_DONE : OP_AUTH_FAIL;
}

JsonLine familyLine(CameraFamily family, std::string_view op) {
    JsonLine line;
    line.addText("family", familyName(family)).addText("op", op);
    return line;
}

} // namespace

std::span<const std::uint8_t> answerBytes(const Answer& answer) {
    return std::visit([](const auto& bytes) { return std::span<const std::uint8_t>(bytes); },
                      answer);
}

CameraFleet::CameraFleet(std::vector<EmulatedCamera> cameras, KeySource nextKey)
    : m_cameras(std::move(cameras)), m_nextKey(std::move(nextKey)) {}

RequestOutcome CameraFleet::handle(std::span<const std::uint8_t> datagram) {
    if (datagram.size() == LINUX_DATAGRAM_SIZE) {
        LinuxDatagram request{};
        std::copy(datagram.begin(), datagram.end(), request.begin());
        return handleLinux(request);
    }
    if (datagram.size() == VXWORKS_REQUEST_SIZE) {
        VxWorksRequest request{};
        std::copy(datagram.begin(), datagram.end(), request.begin());
        return handleVxWorks(request);
    }
    JsonLine line;
    line.addText("op", "ignored").addInteger("length", static_cast<std::int64_t>(datagram.size()));
    return {{}, line.text()};
}

RequestOutcome CameraFleet::handleLinux(const LinuxDatagram& datagram) {
    const LinuxRequest request = decodeLinuxRequest(datagram);
    // The key travels in clear; logging it lets a test match the request it sent.
    const std::uint32_t requestKey = fields::readU32(datagram, linux_layout::KEY);
    RequestOutcome outcome;
    if (std::holds_alternative<LinuxDropped>(request)) {
        outcome.logLine = familyLine(CameraFamily::Linux, "dropped").text();
    } else if (std::holds_alternative<LinuxChecksumFailure>(request)) {
        outcome.logLine = familyLine(CameraFamily::Linux, "checksum_failure").text();
    } else if (const auto* discovery = std::get_if<LinuxDiscoveryRequest>(&request)) {
        for (const EmulatedCamera& camera : m_cameras) {
            if (camera.family == CameraFamily::Linux) {
                outcome.answers.emplace_back(
                    encodeLinuxAnnouncement(linuxAnnouncementOf(camera), m_nextKey()));
            }
        }
        outcome.logLine =
            familyLine(CameraFamily::Linux, "discover")
                .addText("sender_mac", macText(discovery->senderMac))
                .addInteger("key", requestKey)
                .addInteger("answers", static_cast<std::int64_t>(outcome.answers.size()))
                .text();
    } else if (const auto* change = std::get_if<LinuxChangeRequest>(&request)) {
        const ChangeVerdict verdict = applyChange(
            {CameraFamily::Linux, change->adminId.view(), change->adminPassword.view(),
             change->targetMac, change->settings, change->carriedAddress, change->carriedPort});
        if (verdict.result != ChangeResult::UnknownCamera) {
            outcome.answers.emplace_back(encodeLinuxResult(
                static_cast<std::uint16_t>(resultOpcode(verdict.result)), m_nextKey()));
        }
        JsonLine line = familyLine(CameraFamily::Linux, "set_network");
        addChangeFields(line, *change);
        line.addInteger("carried_port", change->carriedPort)
            .addText("sender_mac", macText(change->senderMac))
            .addInteger("key", requestKey);
        addVerdict(line, verdict);
        outcome.logLine = line.text();
    } else {
        outcome.logLine = familyLine(CameraFamily::Linux, "unexpected")
                              .addInteger("opcode", std::get<ReplyResult>(request).opcode)
                              .addInteger("key", requestKey)
                              .text();
    }
    return outcome;
}

RequestOutcome CameraFleet::handleVxWorks(const VxWorksRequest& datagram) {
    const VxWorksRequestContent request = decodeVxWorksRequest(datagram);
    RequestOutcome outcome;
    if (std::holds_alternative<VxWorksDiscoveryRequest>(request)) {
        for (const EmulatedCamera& camera : m_cameras) {
            if (camera.family == CameraFamily::VxWorks) {
                outcome.answers.emplace_back(
                    encodeVxWorksAnnouncement(vxworksAnnouncementOf(camera)));
            }
        }
        outcome.logLine =
            familyLine(CameraFamily::VxWorks, "discover")
                .addInteger("answers", static_cast<std::int64_t>(outcome.answers.size()))
                .text();
    } else if (const auto* change = std::get_if<VxWorksChangeRequest>(&request)) {
        const ChangeVerdict verdict = applyChange(
            {CameraFamily::VxWorks, change->adminId.view(), change->adminPassword.view(),
             change->targetMac, change->settings, change->carriedAddress, std::nullopt});
        if (verdict.result != ChangeResult::UnknownCamera) {
            outcome.answers.emplace_back(encodeVxWorksResult(resultOpcode(verdict.result)));
        }
        JsonLine line = familyLine(CameraFamily::VxWorks, "set_network");
        addChangeFields(line, *change);
        addVerdict(line, verdict);
        outcome.logLine = line.text();
    } else {
        outcome.logLine = familyLine(CameraFamily::VxWorks, "unexpected")
                              .addInteger("opcode", std::get<ReplyResult>(request).opcode)
                              .text();
    }
    return outcome;
}

CameraFleet::ChangeVerdict CameraFleet::applyChange(const ChangeAttempt& attempt) {
    const auto camera =
        std::find_if(m_cameras.begin(), m_cameras.end(), [&](const auto& candidate) {
            return candidate.family == attempt.family && candidate.mac == attempt.targetMac;
        });
    if (camera == m_cameras.end()) {
        return {ChangeResult::UnknownCamera, nullptr};
    }
    if (attempt.adminId != camera->adminId || attempt.adminPassword != camera->adminPassword) {
        return {ChangeResult::AuthFail, &*camera};
    }
    camera->settings = attempt.settings;
    camera->carriedAddress = attempt.carriedAddress;
    if (attempt.carriedPort) {
        camera->carriedPort = *attempt.carriedPort;
    }
    return {ChangeResult::Done, &*camera};
}

} // namespace netlark
