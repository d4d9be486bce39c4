// pinstage: runs the Pentacle table through the IO-Warrior board (or the simulated board) with the
// backglass window as its main window. Without options it behaves as on the cabinet.
#include "ProgramSetup.h"
#include "TerminationSignal.h"

#include "board/HidapiTransport.h"
#include "board/SimulatedBoard.h"
#include "clavpack/Claviervirtuel.h"
#include "dashboard/DashboardLauncher.h"
#include "platform/PinError.h"
#include "runtime/CommandLine.h"
#include "runtime/RandomSeed.h"
#include "runtime/Script.h"
#include "runtime/Trace.h"
#include "runtime/WaysOut.h"
#include "runtime/window/AttractShow.h"
#include "runtime/window/TGlacefronton.h"
#include "sound/SdlSoundEngine.h"

#ifdef PINSTAGE_HAVE_SIMULATOR
#include "simulator/PlayfieldSimulator.h"
#endif
#ifdef PINSTAGE_HAVE_KIOSK
#include "kiosk/KioskContest.h"
#include "kiosk/KioskRules.h"
#include "kiosk/WebAdBrowser.h"
#include "runtime/MachineOps.h"
#include "runtime/Navigation.h"
#include "runtime/window/DrawnPointer.h"
#endif
#ifdef PINSTAGE_HAVE_PLAYERS
#include "players/ContestEntry.h"
#include "players/WebcamStation.h"
#endif

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <memory>
#include <optional>

using namespace pinstage;

namespace {

int failure(const std::string& message, int code) {
    std::fprintf(stderr, "pinstage : %s\n", message.c_str());
    return code;
}

} // namespace

int main(int argc, char** argv) {
    CommandLine cli;
    try {
        cli = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const PinError& e) {
        std::fprintf(stderr, "pinstage : %s\n%s", e.what(), commandLineUsage().c_str());
        return 2;
    }
    if (cli.help) {
        std::printf("%s", commandLineUsage().c_str());
        return 0;
    }

    // The two commands that only write files need no screen: they work on a server too.
    if ((cli.installDefaults || cli.renderBackglass) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef PINSTAGE_HAVE_KIOSK
    // The web engine wants its sandbox decided and its contexts shared before the application exists.
    const bool webSandboxOff = prepareWebEngineSandbox();
    preferSoftwareWebRendering();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
#endif
    QApplication app(argc, argv);
    // The package of the on-screen keyboard is loaded with the program.
    if (QString(TClavierVirtuel::staticMetaObject.className()).isEmpty())
        return failure("le paquet clavpack ne répond pas", 1);

    DataRoot root(cli.root ? *cli.root : DataRoot::defaultRoot());
    try {
        if (cli.installDefaults) {
            auto written = installDefaults(root);
            for (const auto& f : written)
                std::printf("%s\n", f.c_str());
            std::printf("%zu fichier(s) écrit(s) dans %s\n", written.size(), root.root().c_str());
            return 0;
        }
        if (cli.renderBackglass) {
            root.ensureDirectories();
            renderBackglassPicture(root, *cli.renderBackglass, cli.scores.value_or(std::array<uint32_t, 4>{}),
                                   cli.credits.value_or(0));
            return 0;
        }
        prepareDataRoot(root);
    } catch (const PinError& e) {
        return failure(e.what(), 1);
    }

    SteadyClock clock;
    Machine m(clock, root);
    m.rt.keepMediaOptions = cli.mediaOptions;
    m.random.seed(startSeed(cli.seed));
    if (cli.quitAfterMs) {
        m.rt.quitAfterSet = true;
        m.rt.quitAfterMs = *cli.quitAfterMs;
    }

    // The board: the simulated one, or the real one over USB; the journal sees what is sent.
    std::unique_ptr<SimulatedBoard> simulated;
    std::unique_ptr<HidapiTransport> real;
    BoardTransport* transport = nullptr;
    if (cli.simulate) {
        simulated = std::make_unique<SimulatedBoard>(clock);
        transport = simulated.get();
    } else {
        real = std::make_unique<HidapiTransport>();
        transport = real.get();
    }
    std::unique_ptr<FileTraceSink> journal;
    std::unique_ptr<TracingTransport> tracedBoard;
    if (cli.trace) {
        try {
            journal = std::make_unique<FileTraceSink>(*cli.trace);
        } catch (const PinError& e) {
            return failure(e.what(), 1);
        }
        tracedBoard = std::make_unique<TracingTransport>(*transport, clock, *journal);
        transport = tracedBoard.get();
        m.hooks.trace = journal.get();
    }
    m.boardTransport = transport;

    // Timed switch events, applied by the simulated board when it is read.
    std::optional<ScriptPlayer> script;
    if (cli.script) {
        try {
            script.emplace(scriptChanges(loadScript(*cli.script)));
        } catch (const PinError& e) {
            return failure(e.what(), 2);
        }
        simulated->beforeRead = [&](uint32_t now) {
            script->apply(now, [&](int contact, bool closed) { simulated->setSwitch(contact, closed); });
        };
        m.nextScheduledInput = [&] { return script->nextTime(); };
    }

    SdlSoundOptions soundOptions;
    soundOptions.allowSilentFallback = cli.simulate;
    SdlSoundEngine sdl(soundOptions);
    std::unique_ptr<TracingSoundEngine> tracedSound;
    SoundEngine* engine = &sdl;
    if (journal) {
        tracedSound = std::make_unique<TracingSoundEngine>(sdl, clock, *journal);
        engine = tracedSound.get();
    }

#ifdef PINSTAGE_HAVE_PLAYERS
    // The run's one webcam: its capture form is made when the contest needs the picture; without a
    // camera (and without the test camera) its driver index stays -1.
    WebcamStation webcam(programCameraCatalogue(clock, cli.testCamera, cli.simulate), clock, root);
#endif

    SimulatedPowerControl simulatedPower;
    SystemPowerControl systemPower;
    PowerControl& power = cli.simulate ? static_cast<PowerControl&>(simulatedPower) : systemPower;

    GlacefrontonOptions options;
    options.windowed = cli.windowed;
    options.screenshotFile = qEnvironmentVariable("PINSTAGE_SCREENSHOT");
    options.splashEnded = [&](Machine& mm) {
        if (journal)
            journal->setOrigin(mm.rt.splashEndTime);
        if (script)
            script->setOrigin(mm.rt.splashEndTime);
    };

    TGlacefronton window(m, *engine, power, options);
    // The attract media: the ranking of the records table, the game-over slideshow, the advertisers,
    // the posters and the video.
#ifdef PINSTAGE_HAVE_KIOSK
    if (webSandboxOff)
        trace(m, "web engine sandbox off (running as root)");
    // The internet advertisers' page in a locked browser, 80 % of the screen, centred.
    WebAdBrowser adBrowser(&window, [&m](const std::string& line) { trace(m, line); });
#endif
    AttractShow media(m, window.display(), &window);
#ifdef PINSTAGE_HAVE_KIOSK
    // The contest of the start button with its internet kiosk; it also makes the advertisers'
    // browser.
    KioskContest contest(m, window, webcam);
    contest.setAdBrowser(&adBrowser);
    media.setBrowserFactory(
        [&contest, &adBrowser]() -> AdBrowser* {
            contest.CreerNavigateur(kAdvertisingBrowser);
            return &adBrowser;
        },
        [&adBrowser] { adBrowser.close(); });
    // The pointer is held in the advertisers' browser while it is on screen.
    media.adScreen().onConfinePointer = [&window](const AdRect& r) {
        window.input().confine(
            QRect(placedToGlobal(window, QPoint(r.left, r.top)), QSize(r.right - r.left, r.bottom - r.top)));
    };
    media.adScreen().onShowPointer = [&m] { setCursorVisible(m, true); };
    media.adScreen().onReleasePointer = [&m, &window] {
        window.input().releaseConfinement();
        setCursorVisible(m, false);
    };
#elif defined(PINSTAGE_HAVE_PLAYERS)
    // The contest of the start button (name entry "oui"): photo and name on the backglass.
    ContestEntry contest(m, window, webcam);
#endif
    // The test push and a start without a board open the dashboard over the backglass's whole
    // screen; its cursor confinement is the window's pointer's.
    DashboardLauncher dashboard(
        m, &window, [&] { requestQuit(m); }, cli.mediaOptions,
        [&](const QRect* area) {
            if (area)
                window.input().confine(*area);
            else
                window.input().releaseConfinement();
        });
    if (journal)
        window.soundSystem().setTraceHook([&](const SoundTraceEvent& e) {
            if (e.action == SoundAction::PlaySystem)
                journal->line(clock.now(), soundTraceText(e));
        });

#ifdef PINSTAGE_HAVE_SIMULATOR
    std::unique_ptr<PlayfieldSimulator> simulator;
    if (simulated)
        simulator =
            createPlayfieldSimulator(m, *simulated, !cli.dumbPlayfield, &window, [&] { window.close(); });
#endif

    // A stop request ends the run as a window close does, closing a box or the dashboard left open.
    TerminationSignal termination([&] {
        while (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
            if (QApplication::activeModalWidget() == modal)
                break;
        }
        window.close();
    });

    int rc = app.exec();
    traceFinalState(m);
    return rc != 0 ? rc : window.exitCode();
}
