#include "tools/camsim/camera_option.h"

#include "protocol/change_request_fields.h"
#include "tools/camsim/address_format.h"
#include "tools/camsim/option_values.h"

#include <map>
#include <string>

namespace netlark {

namespace {

/// Splits "key=value,key=value" at commas; a backslash takes the next character
/// literally, so values may hold commas and backslashes.
std::map<std::string, std::string> splitCameraFields(std::string_view text) {
    constexpr std::string_view OPTION = "--camera";
    std::map<std::string, std::string> fields;
    std::string item;
    auto finishItem = [&] {
        const std::size_t equals = item.find('=');
        if (equals == std::string::npos || equals == 0) {
            fail(std::string(OPTION) + ": " + quoted(item) + " is not a key=value field");
        }
        if (!fields.emplace(item.substr(0, equals), item.substr(equals + 1)).second) {
            fail(std::string(OPTION) + ": field " + quoted(item.substr(0, equals)) +
                 " is given twice");
        }
        item.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            item += text[++i];
        } else if (text[i] == ',') {
            finishItem();
        } else {
            item += text[i];
        }
    }
    finishItem();
    return fields;
}

CameraFamily parseFamily(std::string_view option, std::string_view text) {
    if (text == "linux") {
        return CameraFamily::Linux;
    }
    if (text == "vxworks") {
        return CameraFamily::VxWorks;
    }
    fail(std::string(option) + ": family " + quoted(text) + " is not linux or vxworks");
}

} // namespace

CameraOption parseCameraOption(std::string_view text, std::uint32_t number) {
    constexpr std::string_view OPTION = "--camera";
    auto fields = splitCameraFields(text);
    const auto family = fields.extract("family");
    if (family.empty()) {
        fail(std::string(OPTION) + ": family=linux or family=vxworks is required");
    }
    CameraOption result{generatedCamera(parseFamily(OPTION, family.mapped()), number)};
    EmulatedCamera& camera = result.camera;
    const bool isLinux = camera.family == CameraFamily::Linux;
    bool hasCarried = false;
    auto address = [&](const std::string& key, const std::string& value) {
        const auto parsed = parseIpv4(value);
        if (!parsed) {
            fail(std::string(OPTION) + ": " + key + " " + quoted(value) +
                 " is not an IPv4 address like 192.168.0.20");
        }
        return *parsed;
    };
    auto port = [&](const std::string& key, const std::string& value) {
        if (!isLinux) {
            fail(std::string(OPTION) + ": " + key + " belongs to the linux family only");
        }
        return static_cast<std::uint16_t>(
            parseCount(std::string(OPTION) + " " + key, value, 0, 65535));
    };
    for (const auto& [key, value] : fields) {
        if (key == "serial") {
            camera.serial = checkedText(OPTION, key, value, serialWidth(camera.family));
        } else if (key == "mac") {
            const auto mac = parseMac(value);
            if (!mac) {
                fail(std::string(OPTION) + ": mac " + quoted(value) +
                     " is not a MAC address like 00:11:22:33:44:55");
            }
            camera.mac = *mac;
        } else if (key == "ip") {
            camera.settings.ip = address(key, value);
        } else if (key == "mask") {
            camera.settings.subnetMask = address(key, value);
        } else if (key == "gateway") {
            camera.settings.gateway = address(key, value);
        } else if (key == "dns") {
            camera.settings.dns = address(key, value);
        } else if (key == "carried") {
            camera.carriedAddress = address(key, value);
            hasCarried = true;
        } else if (key == "web-port") {
            camera.webPort = port(key, value);
        } else if (key == "carried-port") {
            camera.carriedPort = port(key, value);
        } else if (key == "id") {
            camera.adminId = checkedText(OPTION, key, value, ADMIN_TEXT_WIDTH);
            result.hasId = true;
        } else if (key == "password") {
            camera.adminPassword = checkedText(OPTION, key, value, ADMIN_TEXT_WIDTH);
            result.hasPassword = true;
        } else {
            fail(std::string(OPTION) + ": unknown field " + quoted(key));
        }
    }
    if (!hasCarried) {
        camera.carriedAddress = camera.settings.ip;
    }
    return result;
}

} // namespace netlark
