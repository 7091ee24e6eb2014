#include "ui/repaint_pacer.h"

#include <QWidget>

namespace netlark {

RepaintPacer::RepaintPacer(QWidget& widget, std::chrono::milliseconds frame)
    : QObject(&widget), m_widget(widget) {
    m_frame.setSingleShot(true);
    m_frame.setInterval(frame);
    connect(&m_frame, &QTimer::timeout, this, &RepaintPacer::frameEnded);
}

void RepaintPacer::contentChanged() {
    if (!m_frame.isActive()) {
        m_frame.start();
        return;
    }
    if (!m_holding) {
        m_holding = true;
        m_widget.setUpdatesEnabled(false);
    }
}

void RepaintPacer::frameEnded() {
    if (!m_holding) {
        return;
    }
    m_holding = false;
    // Enabling updates repaints the whole widget, which is what the held
    // changes need; the next frame starts with that repaint.
    m_widget.setUpdatesEnabled(true);
    m_frame.start();
}

} // namespace netlark
