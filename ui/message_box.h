#pragma once

#include <QString>
#include <functional>
#include <string_view>

class QWidget;

namespace netlark {

/// Shows one of Netlark's messages and returns when the user has dismissed it:
/// a box with the warning icon and one OK button, captioned with the
/// application's name and modal to `parent`.
void showMessage(QWidget* parent, std::string_view text);

/// Routes every showMessage to `hook` instead of a box while it lives, so
/// tests can record the messages; the hook returning counts as the user
/// dismissing the message.
class ScopedMessageHook {
public:
    using Hook = std::function<void(QWidget* parent, const QString& text)>;

    explicit ScopedMessageHook(Hook hook);
    ~ScopedMessageHook();
    ScopedMessageHook(const ScopedMessageHook&) = delete;
    ScopedMessageHook& operator=(const ScopedMessageHook&) = delete;

private:
    Hook m_previous;
};

} // namespace netlark
