#include "cameras/change_request.h"

#include "cameras/address_text.h"
#include "cameras/messages.h"

#include <array>
#include <charconv>
#include <optional>
#include <utility>

namespace netlark {

namespace {

/// A half-typed address never reaches a camera: the first incomplete field,
/// in the form's order, names the refusal.
std::optional<ChangeRefused> incompleteAddress(const ConfigFormValues& form) {
    constexpr int COMPLETE = 4;
    const std::array<std::pair<const AddressFieldValue*, std::string_view>, 4> checks{{
        {&form.ip, messages::INVALID_IP},
        {&form.gateway, messages::INVALID_GATEWAY},
        {&form.subnetMask, messages::INVALID_SUBNET_MASK},
        {&form.dns, messages::INVALID_DNS},
    }};
    for (const auto& [field, message] : checks) {
        if (field->filled != COMPLETE) {
            return ChangeRefused{message};
        }
    }
    return std::nullopt;
}

/// The carried port as its cell shows it: the leading decimal number, 0 when
/// there is none; only the low 16 bits travel.
std::uint16_t readCarriedPort(std::string_view text) {
    long long value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return static_cast<std::uint16_t>(value);
}

/// Everything the request takes from the selected row comes back out of its
/// texts, the table's only record of the camera.
ChangeRequestFields requestFields(const CameraRow& row, const ConfigFormValues& form) {
    ChangeRequestFields fields;
    fields.adminId = form.adminId;
    fields.adminPassword = form.adminPassword;
    fields.targetMac = parseMacText(row.text(COLUMN_MAC));
    fields.settings.ip = form.ip.octets;
    fields.settings.subnetMask = form.subnetMask.octets;
    fields.settings.gateway = form.gateway.octets;
    fields.settings.dns = form.dns.octets;
    // A row made from an announcement always has a carried address; 0.0.0.0
    // stands in should the cell ever be empty.
    fields.carriedAddress =
        readDottedAddress(row.text(COLUMN_CARRIED_ADDRESS)).value_or(Ipv4Address{});
    fields.carriedPort = readCarriedPort(row.text(COLUMN_CARRIED_PORT));
    return fields;
}

} // namespace

std::optional<ChangeRefused> changeRefusal(const CameraRow* selected,
                                           const ConfigFormValues& form) {
    const std::string_view family =
        selected != nullptr ? selected->text(COLUMN_FAMILY) : std::string_view{};
    if (family != FAMILY_LINUX && family != FAMILY_VXWORKS) {
        return ChangeRefused{messages::INVALID_CAMERA};
    }
    if (form.adminId.empty() || form.adminPassword.empty()) {
        return ChangeRefused{messages::CREDENTIALS_MISSING};
    }
    return incompleteAddress(form);
}

ChangeRequest buildChangeRequest(const CameraRow& selected, const ConfigFormValues& form,
                                 const MacAddress& senderMac) {
    const ChangeRequestFields fields = requestFields(selected, form);
    if (selected.text(COLUMN_FAMILY) == FAMILY_LINUX) {
        return buildLinuxChange(fields, senderMac);
    }
    return buildVxWorksChange(fields);
}

std::span<const std::uint8_t> requestBytes(const ChangeRequest& request) {
    return std::visit([](const auto& bytes) { return std::span<const std::uint8_t>(bytes); },
                      request);
}

} // namespace netlark
