#pragma once

#include <cstdint>

namespace netlark {

// The opcodes shared by both camera families.
inline constexpr int OP_DISCOVER = 10;
inline constexpr int OP_IM_HERE = 11;
inline constexpr int OP_SET_NETWORK = 12;
inline constexpr int OP_SET_DONE = 13;
inline constexpr int OP_AUTH_FAIL = 14;

/// A camera's answer that carries only its opcode (13, 14 or anything unexpected).
struct ReplyResult {
    int opcode = 0;

    bool operator==(const ReplyResult&) const = default;
};

} // namespace netlark
