#pragma once

#include "transport/event_ring.h"
#include "transport/file_descriptor.h"
#include "transport/ports.h"
#include "transport/receive_event.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <thread>

namespace netlark {

struct ReceiverOptions {
    std::uint16_t port = REPLY_PORT;
    /// How many received events may wait for the window. 1 gives the strict
    /// hand-off: nothing is received until the window has handled the last one.
    std::size_t ringCapacity = 1;
    /// SO_RCVBUF to ask for; 0 keeps the system's default.
    int socketBufferBytes = 0;
};

/// The reply socket on 0.0.0.0:<port> and the thread that receives on it.
///
/// The receiver thread fills a bounded ring of ReceiveEvents; the window thread
/// takes them one at a time, in arrival order, with front() and pop(). A
/// slot is never written again before the window has popped it, so the
/// window reads each datagram in place while its handler runs.
class Receiver {
public:
    explicit Receiver(ReceiverOptions options = {});
    /// Stops the thread and closes the socket.
    ~Receiver();
    Receiver(const Receiver&) = delete;
    Receiver& operator=(const Receiver&) = delete;

    /// Creates the socket and binds it, so replies queue from this moment on.
    /// A failure is kept and reported as the first event once start() runs.
    void bindSocket();

    /// Starts the receiver thread (binding first if bindSocket() was not
    /// called). `wake` is called from the receiver thread whenever events are
    /// waiting; calls may be coalesced, so the window drains all it finds.
    /// `wake` must not wait for the window thread, since stop() joins the
    /// receiver thread from there.
    void start(std::function<void()> wake);

    /// Window side: the oldest event not yet popped, or nullptr.
    const ReceiveEvent* front();
    /// Window side: the event from front() has been handled; its slot is free.
    void pop();

    /// Ends the thread promptly, also while it waits for a free slot. Safe to
    /// call more than once and before start().
    void stop();

private:
    /// Why nothing will be received, kept until start() reports it.
    struct SetupFailure {
        ReceiveEvent::Kind kind;
        int error;
    };

    void reportSetupFailure(SetupFailure failure);
    void receiveLoop();
    bool waitUntilReadable();
    std::size_t receiveBatch(std::size_t freeSlots);

    ReceiverOptions m_options;
    EventRing m_ring;
    FileDescriptor m_socket;
    FileDescriptor m_stopSignal;
    std::optional<SetupFailure> m_setupFailure;
    bool m_bindAttempted = false;
    bool m_started = false;
    std::function<void()> m_wake;
    std::thread m_thread;
};

} // namespace netlark
