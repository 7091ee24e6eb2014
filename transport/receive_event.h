#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace netlark {

/// The largest datagram the receiver delivers; a longer one is a receive error.
inline constexpr std::size_t RECEIVE_BUFFER_SIZE = 124;
/// Datagrams shorter than this are a receive error too.
inline constexpr int MIN_DATAGRAM_SIZE = 40;

/// One thing the receiver hands to the window, in the order it happened.
struct ReceiveEvent {
    enum class Kind {
        Datagram,     // `result` bytes (40..124) are in `buffer`
        ReceiveError, // `result` is -1 (error `error`) or the short byte count (error 0)
        SocketFailed, // the reply socket could not be created; nothing will be received
        BindFailed,   // binding port 1168 failed with `error`; nothing will be received
    };

    Kind kind = Kind::Datagram;
    int result = 0;
    int error = 0;
    std::array<std::uint8_t, RECEIVE_BUFFER_SIZE> buffer{};

    std::span<const std::uint8_t> bytes() const {
        return std::span(buffer).first(
            static_cast<std::size_t>(kind == Kind::Datagram ? result : 0));
    }
};

} // namespace netlark
