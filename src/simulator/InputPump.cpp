// Guarded, throttled event processing from inside a board read.
#include "simulator/InputPump.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace pinstage {

void InputPump::operator()() {
    if (busy_ || !QCoreApplication::instance() || since_.elapsed() < 1)
        return;
    struct Busy {
        bool& flag;
        explicit Busy(bool& f) : flag(f) { flag = true; }
        ~Busy() { flag = false; }
    } guard(busy_);
    since_.restart();
    ++runs_;
    QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
}

} // namespace pinstage
