#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>

class QWidget;

namespace netlark {

/// Holds a widget's repaints to one a frame while its content changes faster.
///
/// During a discovery burst rows arrive by the thousand per second, and
/// repainting the list (rows, header, scroll bar) after each handful costs
/// the window thread far more than listing them. The first change after a
/// quiet frame repaints at once; later changes within the frame are shown
/// together when it ends.
class RepaintPacer : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds FRAME{40};

    explicit RepaintPacer(QWidget& widget, std::chrono::milliseconds frame = FRAME);

    /// The widget's content has changed and needs repainting.
    void contentChanged();

private:
    void frameEnded();

    QWidget& m_widget;
    QTimer m_frame;
    bool m_holding = false;
};

} // namespace netlark
