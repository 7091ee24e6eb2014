#include "tools/camsim/camsim_options.h"

#include "protocol/change_request_fields.h"
#include "tools/camsim/address_format.h"
#include "tools/camsim/camera_option.h"
#include "tools/camsim/option_values.h"

#include <map>

namespace netlark {

namespace {

constexpr std::uint32_t MAX_RATE = 100'000'000;

BurstFamily parseBurstFamily(std::string_view text) {
    if (text == "linux") {
        return BurstFamily::Linux;
    }
    if (text == "vxworks") {
        return BurstFamily::VxWorks;
    }
    if (text == "mixed") {
        return BurstFamily::Mixed;
    }
    fail("--family: " + quoted(text) + " is not linux, vxworks or mixed");
}

class Parser {
public:
    explicit Parser(std::span<const std::string_view> args) : m_args(args) {}

    CamsimOptions run() {
        while (m_next < m_args.size()) {
            if (parseOne()) {
                return m_options;
            }
        }
        finishCameras();
        finishBurst();
        return m_options;
    }

private:
    /// Parses one option; true when it was --help.
    bool parseOne() {
        const std::string_view arg = m_args[m_next++];
        if (arg == "--help" || arg == "-h") {
            m_options.help = true;
            return true;
        }
        if (!arg.starts_with("--")) {
            fail("unexpected argument " + quoted(arg) + " (see --help)");
        }
        const std::size_t equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        std::optional<std::string_view> inlineValue;
        if (equals != std::string_view::npos) {
            inlineValue = arg.substr(equals + 1);
        }
        auto value = [&] {
            if (inlineValue) {
                return *inlineValue;
            }
            if (m_next == m_args.size()) {
                fail(std::string(name) + " needs a value (see --help)");
            }
            return m_args[m_next++];
        };
        if (name == "--camera") {
            addCamera(parseCameraOption(value(), cameraNumber()), name);
        } else if (name == "--linux" || name == "--vxworks") {
            addGenerated(name, parseCount(name, value(), 0, MAX_CAMERAS));
        } else if (name == "--id") {
            m_defaultId = checkedText(name, "ID", value(), ADMIN_TEXT_WIDTH);
        } else if (name == "--password") {
            m_defaultPassword = checkedText(name, "password", value(), ADMIN_TEXT_WIDTH);
        } else if (name == "--duration") {
            m_options.durationSeconds = parseSeconds(name, value());
        } else if (name == "--burst") {
            m_burst.count = parseCount(name, value(), 1, MAX_BURST);
            m_burstGiven = true;
        } else if (name == "--rate") {
            const std::string_view rate = value();
            m_burst.rate =
                rate == "max" ? std::nullopt : std::optional(parseCount(name, rate, 1, MAX_RATE));
            m_burstOnlyOption = name;
        } else if (name == "--family") {
            m_burst.family = parseBurstFamily(value());
            m_burstOnlyOption = name;
        } else {
            fail("unknown option " + quoted(name) + " (see --help)");
        }
        if (name != "--rate" && name != "--family" && name != "--burst") {
            m_servingOption = name;
        }
        return false;
    }

    std::uint32_t cameraNumber() const {
        if (m_pending.size() >= MAX_CAMERAS) {
            fail("--camera: more than " + std::to_string(MAX_CAMERAS) + " cameras");
        }
        return static_cast<std::uint32_t>(m_pending.size() + 1);
    }

    void addGenerated(std::string_view option, std::uint32_t count) {
        if (m_pending.size() + count > MAX_CAMERAS) {
            fail(std::string(option) + ": more than " + std::to_string(MAX_CAMERAS) + " cameras");
        }
        const CameraFamily family =
            option == "--linux" ? CameraFamily::Linux : CameraFamily::VxWorks;
        for (std::uint32_t i = 0; i < count; ++i) {
            addCamera({generatedCamera(family, cameraNumber())}, option);
        }
    }

    /// `origin` is the option that made the camera, for the message about a repeated MAC.
    void addCamera(CameraOption pending, std::string_view origin) {
        const auto owner = m_macOwners.emplace(pending.camera.mac, m_pending.size() + 1);
        if (!owner.second) {
            fail(std::string(origin) + ": mac " + macText(pending.camera.mac) +
                 " is already camera " + std::to_string(owner.first->second) + "'s");
        }
        m_pending.push_back(std::move(pending));
    }

    void finishCameras() {
        for (CameraOption& pending : m_pending) {
            if (!pending.hasId) {
                pending.camera.adminId = m_defaultId;
            }
            if (!pending.hasPassword) {
                pending.camera.adminPassword = m_defaultPassword;
            }
            m_options.cameras.push_back(std::move(pending.camera));
        }
    }

    void finishBurst() {
        if (!m_burstGiven) {
            if (!m_burstOnlyOption.empty()) {
                fail(std::string(m_burstOnlyOption) + " needs --burst");
            }
            return;
        }
        if (!m_servingOption.empty()) {
            fail(std::string(m_servingOption) +
                 " cannot be combined with --burst, which sends and exits");
        }
        m_options.burst = m_burst;
    }

    std::span<const std::string_view> m_args;
    std::size_t m_next = 0;
    CamsimOptions m_options;
    std::vector<CameraOption> m_pending;
    std::map<MacAddress, std::size_t> m_macOwners;
    std::string m_defaultId = "admin";
    std::string m_defaultPassword = "admin";
    BurstOptions m_burst;
    bool m_burstGiven = false;
    std::string_view m_burstOnlyOption;
    std::string_view m_servingOption;
};

} // namespace

std::variant<CamsimOptions, OptionError>
parseCamsimOptions(std::span<const std::string_view> args) {
    try {
        return Parser(args).run();
    } catch (const BadOption& bad) {
        return OptionError{bad.message};
    }
}

} // namespace netlark
