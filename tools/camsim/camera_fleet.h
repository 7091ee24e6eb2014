#pragma once

#include "tools/camsim/emulated_camera.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace netlark {

/// A datagram an emulated camera broadcasts to the reply port.
using Answer = std::variant<LinuxDatagram, VxWorksReply>;

/// The bytes of an answer, whichever family's it is.
std::span<const std::uint8_t> answerBytes(const Answer& answer);

/// Yields the scramble key of each Linux answer.
using KeySource = std::function<std::uint32_t()>;

/// What one received datagram leads to: the answers to broadcast, in order,
/// and the JSON line that records the request.
struct RequestOutcome {
    std::vector<Answer> answers;
    std::string logLine;
};

/// The emulated cameras and how they answer requests. No sockets: the caller
/// receives, passes each datagram in, and sends what comes back.
class CameraFleet {
public:
    CameraFleet(std::vector<EmulatedCamera> cameras, KeySource nextKey);

    /// Handles one received datagram of any length: 124 bytes is a Linux
    /// request, 50 bytes a VxWorks request, anything else is only logged.
    RequestOutcome handle(std::span<const std::uint8_t> datagram);

    const std::vector<EmulatedCamera>& cameras() const { return m_cameras; }

    /// How a change request ended.
    enum class ChangeResult { Done, AuthFail, UnknownCamera };

    struct ChangeVerdict {
        ChangeResult result;
        const EmulatedCamera* camera; // null for an unknown camera
    };

private:
    struct ChangeAttempt {
        CameraFamily family;
        std::string_view adminId;
        std::string_view adminPassword;
        MacAddress targetMac;
        NetworkSettings settings;
        Ipv4Address carriedAddress;
        std::optional<std::uint16_t> carriedPort; // the Linux family's only
    };

    RequestOutcome handleLinux(const LinuxDatagram& datagram);
    RequestOutcome handleVxWorks(const VxWorksRequest& datagram);
    ChangeVerdict applyChange(const ChangeAttempt& attempt);

    std::vector<EmulatedCamera> m_cameras;
    KeySource m_nextKey;
};

} // namespace netlark
