#include "ui/drain_pacer.h"

namespace netlark {

DrainPacer::DrainPacer(std::function<void()> drain, Pause pause, QObject* parent)
    : QObject(parent), m_drain(std::move(drain)), m_pause(std::move(pause)) {
    m_later.setSingleShot(true);
    m_later.setTimerType(Qt::PreciseTimer);
    connect(&m_later, &QTimer::timeout, this, &DrainPacer::drain);
}

void DrainPacer::wake() {
    if (m_later.isActive()) {
        return;
    }
    using namespace std::chrono;
    // The timer counts whole milliseconds: a pause with less than one left is over.
    const milliseconds left =
        m_sinceDrain.isValid()
            ? floor<milliseconds>(m_pause() - nanoseconds(m_sinceDrain.nsecsElapsed()))
            : 0ms;
    if (left <= 0ms) {
        drain();
        return;
    }
    m_later.start(left);
}

void DrainPacer::drain() {
    m_sinceDrain.start();
    m_drain();
}

} // namespace netlark
