// The handler only writes a byte to a socket pair (async-signal-safe); the notifier reads it on the
// event loop.
#include "TerminationSignal.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace pinstage {

namespace {

int signalSockets[2] = {-1, -1};

extern "C" void onTerminationSignal(int) {
    char byte = 1;
    [[maybe_unused]] ssize_t n = ::write(signalSockets[0], &byte, 1);
}

} // namespace

TerminationSignal::TerminationSignal(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
    if (signalSockets[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSockets) != 0)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(signalSockets[1], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        char byte;
        [[maybe_unused]] ssize_t n = ::read(signalSockets[1], &byte, 1);
        if (onSignal_)
            onSignal_();
    });
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

TerminationSignal::~TerminationSignal() {
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGINT, SIG_DFL);
}

} // namespace pinstage
