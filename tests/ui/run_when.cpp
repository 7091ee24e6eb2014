#include "run_when.h"

#include <QTimer>

namespace netlark::testing {

void runWhen(std::function<bool()> ready, std::function<void()> action) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer,
                     [timer, ready = std::move(ready), action = std::move(action)] {
                         if (ready()) {
                             timer->stop();
                             timer->deleteLater();
                             // A copy: the action may run an event loop that
                             // deletes the timer, and this closure with it.
                             const std::function<void()> run = action;
                             run();
                         }
                     });
    timer->start();
}

} // namespace netlark::testing
