#pragma once

#include "transport/receiver.h"

namespace netlark {

/// How the program receives replies. The socket asks for 4 MiB of queue (the
/// system may grant less), and up to 16,384 received datagrams may wait for
/// the window: a whole burst of announcements from a large site is kept even
/// while a message box holds the window, so no camera that answered is lost.
inline constexpr ReceiverOptions PROGRAM_RECEIVER_OPTIONS{
    .port = REPLY_PORT, .ringCapacity = 16384, .socketBufferBytes = 4 * 1024 * 1024};

} // namespace netlark
