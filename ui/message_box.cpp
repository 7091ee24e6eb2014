#include "ui/message_box.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPointer>

namespace netlark {

namespace {
ScopedMessageHook::Hook& messageHook() {
    static ScopedMessageHook::Hook hook;
    return hook;
}
} // namespace

void showMessage(QWidget* parent, std::string_view text) {
    const QString message = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    if (messageHook()) {
        messageHook()(parent, message);
        return;
    }
    // On the heap and deleted on close: if the parent goes away while the box
    // is open, the box goes with it and exec() still returns safely.
    QPointer box = new QMessageBox(QMessageBox::Warning, QCoreApplication::applicationName(),
                                   message, QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->exec();
}

ScopedMessageHook::ScopedMessageHook(Hook hook) : m_previous(std::move(messageHook())) {
    messageHook() = std::move(hook);
}

ScopedMessageHook::~ScopedMessageHook() {
    messageHook() = std::move(m_previous);
}

} // namespace netlark
