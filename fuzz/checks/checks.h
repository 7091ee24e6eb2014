#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// What must hold for any input of each fuzz target. Each check runs the code
// under test on the input and throws CheckFailed (fuzz/checks/require.h) when
// a property does not hold; the sanitizers catch what the checks cannot see.
namespace netlark::fuzzing {

using Input = std::span<const std::uint8_t>;

/// The first 124 bytes (zero-padded) as a Linux reply: decoded as the wire
/// tables say, the same under any key, announcements and results survive a
/// round trip through the camera's encoders.
void checkLinuxReply(Input input);

/// The first 40 bytes (zero-padded) as a VxWorks reply: opcode rule,
/// announcement fields, round trips through the camera's encoders.
void checkVxWorksReply(Input input);

/// The first 124 bytes as a request a camera receives: decoded as the wire
/// tables say, and a decoded request rebuilt by Netlark's builders decodes the same.
void checkLinuxRequest(Input input);

/// The first 50 bytes as a VxWorks request a camera receives.
void checkVxWorksRequest(Input input);

/// A datagram of any length through the whole receive path below the window:
/// the right action for its length and content, every cell of a listed
/// camera well formed and read back to what the camera announced, and a
/// change request made from the row without editing sends all of it back.
void checkReceivePath(Input input);

/// A scan's announcements (a control byte each: odd Linux, even VxWorks,
/// 0xFF a rescan, then the announcement's bytes) through the receive path
/// into the camera table: every camera listed once, in serial order, at the
/// index insertionIndex() foretells and insert() reports, its cells intact.
void checkCameraTable(Input input);

/// Any text as a MAC cell: the pair rule for every text, and "%02X:..." texts
/// read back to their bytes.
void checkMacText(Input input);

/// Any text as a dotted address cell: the socket library's rules, and
/// "%u.%u.%u.%u" texts read back to their octets.
void checkDottedAddress(Input input);

struct FuzzTarget {
    std::string_view name; // the executable, and the folder of its corpus and regressions
    void (*check)(Input);
};

inline constexpr std::array FUZZ_TARGETS{
    FuzzTarget{"fuzz_linux_reply", checkLinuxReply},
    FuzzTarget{"fuzz_vxworks_reply", checkVxWorksReply},
    FuzzTarget{"fuzz_linux_request", checkLinuxRequest},
    FuzzTarget{"fuzz_vxworks_request", checkVxWorksRequest},
    FuzzTarget{"fuzz_receive_path", checkReceivePath},
    FuzzTarget{"fuzz_camera_table", checkCameraTable},
    FuzzTarget{"fuzz_mac_text", checkMacText},
    FuzzTarget{"fuzz_dotted_address", checkDottedAddress},
};

/// The check of a target named in FUZZ_TARGETS, or nullptr.
inline auto checkNamed(std::string_view name) -> void (*)(Input) {
    for (const FuzzTarget& target : FUZZ_TARGETS) {
        if (target.name == name) {
            return target.check;
        }
    }
    return nullptr;
}

} // namespace netlark::fuzzing
