// SIGTERM and SIGINT turned into a call on the Qt event loop, so that a stop request (systemctl
// stop, Ctrl+C) ends the run like a window close: every coil and lamp off, the board closed.
#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace pinstage {

class TerminationSignal final : public QObject {
public:
    // Installs the handlers; onSignal runs on the event loop at each signal received.
    explicit TerminationSignal(std::function<void()> onSignal);
    ~TerminationSignal() override;

private:
    std::function<void()> onSignal_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace pinstage
