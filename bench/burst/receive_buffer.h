#pragma once

#include "app/program_receiver.h"
#include "bench/burst/burst_case.h"

#include <cstdint>
#include <optional>

namespace netlark::bench {

/// The receive queue the program asks for.
inline constexpr int ASKED_BUFFER_BYTES = PROGRAM_RECEIVER_OPTIONS.socketBufferBytes;
/// A stock desktop's net.core.rmem_default and rmem_max: the queue an
/// unprivileged program gets when it asks for nothing.
inline constexpr int DESKTOP_BUFFER_BYTES = 212'992;

/// The SO_RCVBUF value to ask for. The kernel doubles what it is asked for
/// (the extra half is for its own bookkeeping), so the desktop limit is
/// asked for as half of it.
int socketBufferRequest(BufferLimit limit);

/// SO_RCVBUF as the kernel reports it for this process's UDP socket bound to
/// `port`; nullopt when there is none.
std::optional<int> effectiveReceiveBuffer(std::uint16_t port);

/// The network namespace's count of UDP datagrams dropped because a
/// socket's receive queue was full (RcvbufErrors in /proc/net/snmp).
std::uint64_t udpReceiveBufferErrors();

} // namespace netlark::bench
