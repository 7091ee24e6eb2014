#pragma once

#include "ui/message_box.h"

#include <QString>
#include <functional>
#include <vector>

namespace netlark::testing {

/// Takes the place of the message boxes while it lives and records the text
/// of each message. A message counts as dismissed when the recorder returns,
/// right away unless `whileOpen` keeps it open.
class MessageRecorder {
public:
    MessageRecorder();

    const std::vector<QString>& texts() const { return m_texts; }
    /// Waits (running the event loop) until `count` messages were shown.
    bool waitForCount(std::size_t count);

    /// Runs for each message before it is dismissed, like a user who reads it
    /// while the program goes on behind the box.
    std::function<void(const QString& text)> whileOpen;

private:
    std::vector<QString> m_texts;
    ScopedMessageHook m_hook;
};

} // namespace netlark::testing
