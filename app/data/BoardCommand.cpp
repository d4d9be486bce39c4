// pinstage-data board [--simulate] [--seconds S] [--lamp L] [--coil C]. On the real board the check
// polls every 2 ms until its time is up or Ctrl+C; on the simulated one a scripted closure of a few
// switches plays in simulated time, so the command ends at once.
#include "BoardCommand.h"

#include "BoardCheck.h"

#include "board/HidapiTransport.h"
#include "board/SimulatedBoard.h"

#include <chrono>
#include <csignal>
#include <thread>

namespace pinstage {

namespace {

volatile std::sig_atomic_t stopRequested = 0;

extern "C" void requestStop(int) {
    stopRequested = 1;
}

struct ScriptedClosure {
    uint32_t atMs;
    int contact;
    bool closed;
    const char* what;
};

// The start button (matrix), the left flipper button (direct switch, port 1) and the drain (matrix).
constexpr ScriptedClosure kSimulatedClosures[] = {
    {100, 5, true, "bouton départ"},       {150, 5, false, "bouton départ"},
    {300, 71, true, "bouton flip gauche"}, {400, 71, false, "bouton flip gauche"},
    {500, 47, true, "bille perdue"},       {550, 47, false, "bille perdue"},
};
constexpr uint32_t kSimulatedRunMs = 700;

bool parseNumber(const std::string& text, long max, long& value) {
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::stol(text);
    return value <= max;
}

int runSimulated(const BoardCheckOptions& options, std::ostream& out, std::ostream& err) {
    ManualClock clock(0);
    SimulatedBoard board(clock);
    size_t next = 0;
    uint32_t start = 0;
    bool started = false;
    BoardCheckHost host{board, clock, [&] {
                            if (!started) {
                                start = clock.now();
                                started = true;
                            }
                            clock.advance(1);
                            for (; next < std::size(kSimulatedClosures); ++next) {
                                const ScriptedClosure& c = kSimulatedClosures[next];
                                if (elapsedSince(clock.now(), start) < c.atMs)
                                    break;
                                out << "(simulation : " << c.what << ", contact c" << c.contact
                                    << (c.closed ? " fermé" : " ouvert") << ")\n";
                                board.setSwitch(c.contact, c.closed);
                            }
                            return true;
                        }};
    return runBoardCheck(host, options, out, err);
}

int runReal(const BoardCheckOptions& options, std::ostream& out, std::ostream& err) {
    SteadyClock clock;
    HidapiTransport board;
    stopRequested = 0;
    auto previousInt = std::signal(SIGINT, requestStop);
    auto previousTerm = std::signal(SIGTERM, requestStop);
    BoardCheckHost host{board, clock, [] {
                            std::this_thread::sleep_for(std::chrono::milliseconds(2));
                            return stopRequested == 0;
                        }};
    if (options.listenMs == 0)
        out << "Ctrl+C pour finir\n";
    int status = runBoardCheck(host, options, out, err);
    std::signal(SIGINT, previousInt);
    std::signal(SIGTERM, previousTerm);
    return status;
}

} // namespace

int runBoardCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    BoardCheckOptions options;
    bool simulate = false;
    bool secondsGiven = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--simulate") {
            simulate = true;
            continue;
        }
        if (a != "--seconds" && a != "--lamp" && a != "--coil") {
            err << "option inconnue : " << a << '\n';
            return 2;
        }
        long value = 0;
        long max = a == "--seconds" ? 86400 : a == "--lamp" ? 63 : 23;
        if (i + 1 >= args.size() || !parseNumber(args[i + 1], max, value)) {
            err << "valeur manquante ou invalide après " << a << " (0 à " << max << ")\n";
            return 2;
        }
        ++i;
        if (a == "--seconds") {
            options.listenMs = uint32_t(value) * 1000;
            secondsGiven = true;
        } else if (a == "--lamp") {
            options.lamp = int(value);
        } else {
            options.coil = int(value);
        }
    }
    if (!simulate)
        return runReal(options, out, err);
    // Simulated time never runs out by itself: the check ends after the script.
    if (!secondsGiven || options.listenMs == 0)
        options.listenMs = kSimulatedRunMs;
    return runSimulated(options, out, err);
}

} // namespace pinstage
