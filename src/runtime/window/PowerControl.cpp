// The power-off command.
#include "runtime/window/PowerControl.h"

#include <QProcess>
#include <QStringList>

#include <cstdio>

namespace pinstage {

std::string PowerControl::command() {
#ifdef _WIN32
    return "shutdown.exe -f -s -t 0";
#else
    return "systemctl poweroff";
#endif
}

void SystemPowerControl::powerOff() {
#ifdef _WIN32
    QProcess::startDetached("shutdown.exe", {"-f", "-s", "-t", "0"});
#else
    QProcess::startDetached("systemctl", {"poweroff"});
#endif
}

void SimulatedPowerControl::powerOff() {
    std::printf("pinstage : arrêt du PC simulé, la commande serait : %s\n", command().c_str());
    std::fflush(stdout);
}

} // namespace pinstage
