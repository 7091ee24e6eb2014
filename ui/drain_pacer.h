#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

namespace netlark {

/// Runs the window's drain of received events after each wake, but no sooner
/// than a pause after the last drain began.
///
/// Every drain that lists cameras costs the list a layout of all its rows on
/// the next event-loop turn. A pause that grows with the list keeps that
/// cost a small share of the window thread during a burst, so the receiving
/// thread keeps the processor it needs; a short list is drained at once.
class DrainPacer : public QObject {
    Q_OBJECT
public:
    using Pause = std::function<std::chrono::nanoseconds()>;

    DrainPacer(std::function<void()> drain, Pause pause, QObject* parent = nullptr);

    /// Events are waiting: drain now, or when the pause has passed.
    void wake();

private:
    void drain();

    std::function<void()> m_drain;
    Pause m_pause;
    QTimer m_later;
    QElapsedTimer m_sinceDrain;
};

} // namespace netlark
