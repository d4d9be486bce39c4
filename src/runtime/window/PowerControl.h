// Switching the PC off at the end of the shutdown screen: the system's command on the cabinet, a
// printed line with the simulated board, a recorder in tests.
#pragma once

#include <string>
#include <vector>

namespace pinstage {

class PowerControl {
public:
    virtual ~PowerControl() = default;
    virtual void powerOff() = 0;
    // The command the cabinet runs ("systemctl poweroff", on Windows "shutdown.exe -f -s -t 0").
    static std::string command();
};

// Starts the system's power-off command, detached.
class SystemPowerControl final : public PowerControl {
public:
    void powerOff() override;
};

// Never powers off: prints what it would have run.
class SimulatedPowerControl final : public PowerControl {
public:
    void powerOff() override;
};

class RecordingPowerControl final : public PowerControl {
public:
    void powerOff() override { ++calls; }
    int calls = 0;
};

} // namespace pinstage
