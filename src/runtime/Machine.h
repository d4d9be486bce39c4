// The whole state of the running machine in one place: parameter records, board, outputs,
// switches, reels and backglass flags, game and runtime flags, and the hooks through which the
// core reaches the windowed program and the media. The program makes one; each test its own.
#pragma once

#include "board/BoardIo.h"
#include "board/Outputs.h"
#include "board/SwitchState.h"
#include "config/Credits.h"
#include "config/ParameterStore.h"
#include "config/YesNo.h"
#include "display/FramePlan.h"
#include "display/ReelBank.h"
#include "platform/Clock.h"
#include "platform/DataRoot.h"
#include "players/RecordsDisplay.h"
#include "runtime/MachineHooks.h"
#include "runtime/SelectionLayout.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <string>

namespace pinstage {

class SoundSystem;
class BoardTransport;

constexpr int kPlayerCount = 4;
constexpr uint8_t kNoGame = 0x0F;

struct PlayerState {
    uint8_t spare = 0;
    uint8_t ball = 0; // balls completed; the ball in play is ball + 1
    int8_t bonus = 0; // 0..55
    uint32_t score = 0;
    std::array<uint8_t, 8> savedLamps{};
    uint8_t savedCoils = 0;
    uint8_t freeGamesThisGame = 0;
    uint8_t scoreAwards = 0; // bits 0-2: thresholds already awarded
};

// machineEvents bits.
constexpr uint8_t kEventBonusHoleServing = 0x01;
constexpr uint8_t kEventSuppressServeSound = 0x02;
constexpr uint8_t kEventJinglePlaying = 0x04;
constexpr uint8_t kEventBonusHoleRelease = 0x08;
constexpr uint8_t kEventEscapeRequest = 0x80;

// The game and the table rules.
struct GameState {
    std::array<PlayerState, kPlayerCount> players{};
    uint8_t playersDoneMask = kNoGame;
    uint8_t currentPlayer = 0;
    uint8_t lastPlayerIndex = 0;
    uint8_t tilted = 0;
    uint32_t bonusCountTime = 0;
    uint8_t nameEntrants = 0;

    int32_t scoreMultiplier = 1;
    uint32_t multipliedSeconds = 0;
    int8_t pendingBonus = 0;
    uint8_t rightBankLatch = 0;
    uint8_t colourBankLatch = 0;
    uint8_t pentacleBankLatch = 0;
    uint32_t rightBankResetTime = 0;
    uint32_t colourBankResetTime = 0;
    uint32_t pentacleBankResetTime = 0;
    uint8_t machineEvents = 0;
    uint32_t bonusHoleReleaseTime = 0;
    // 1 from the kick's set-up until the kicker has fired; the deaf time counts from the firing.
    uint8_t bonusHoleKickPending = 0;
    uint32_t multipliedJingleEnd = 0;
    uint8_t blinkPhase = 0;
    uint32_t bonusAdvanceTime = 0;
    uint32_t blinkTime = 0;
    uint32_t secondTime = 0;
    uint32_t shootAgainBlinkTime = 0;

    // The game-over marker of the backglass and its time (set when the backglass is built).
    uint8_t gameOverIndicator = 0;
    uint32_t gameOverIndicatorTime = 0;
    // Start-button press time (the 5 s shutdown hold).
    uint32_t startPressTime = 0;

    // 1 while a drained ball is being handled (bonus count, then next ball), for the trace.
    uint8_t drainSeen = 0;
};

// The spine: start-up, loop, ways out, selection screen, attract and navigation.
struct RuntimeState {
    bool mainLoopRunning = false;
    bool firstStartupTick = true;
    bool selectionPending = true;
    bool selectionWaiting = false;
    int32_t configurationNumber = 0;
    int32_t configurationInUse = 0;
    YesNo startupChoiceValue = YesNo::Non;
    uint8_t mediaStep = 0x80;
    uint32_t mediaDeadline = 0;
    uint32_t mediaEndTime = 0;
    uint32_t escapeDeadline = 0;
    bool cursorShown = true;
    bool dashboardAtStart = false;
    bool frontonReloadRequest = false;
    uint8_t chaserIndex = 0;
    bool chaserLighting = true;
    uint32_t chaserTime = 0;
    int loopMode = 0;
    bool presentSuppressed = false;

    // Flipper navigation and the selection screen.
    int32_t navStep = 0;
    uint32_t previousPressTime = 0;
    uint32_t nextPressTime = 0;
    uint32_t lastMoveTime = 0;
    uint32_t bothButtonsSince = 0;
    int32_t keyRow = 0;
    int32_t keyColumn = 0;
    std::array<std::array<std::array<int32_t, 2>, 14>, 5> keyPositions{};
    std::array<int32_t, 2> cursorPoint{};
    // The selection screen's cells and cursor points, computed at each drawing.
    SelectionLayout selection{};

    // Development and process control (no counterpart on the cabinet).
    bool quitRequested = false;    // the window was closed or the run time is over: end the program
    bool closed = false;           // the end of the program has run (outputs off, board closed)
    bool stateTraced = false;      // the final state line is in the journal
    bool keepMediaOptions = false; // --media-options: the eight options keep their stored values
    bool startupTimerEnabled = false;
    bool displayUp = false;         // the backglass is built (between initialisation and tear-down)
    bool recordsLayoutDone = false; // the records display's photo frames are laid out
    bool creditsLoaded = false;     // the credit digits came from the accounting file
    bool boardAbsentTraced = false; // the last opening found no board (said once in the journal)
    uint32_t lastBoardAttempt = 0;  // time of the last opening tried
    uint32_t splashEndTime = 0;     // origin of the trace, the script and the run time limit
    bool splashEnded = false;
    uint32_t quitAfterMs = 0; // with quitAfterSet: end the program this long after the splash
    bool quitAfterSet = false;
    // Turns of the main loop since it started, and those that found nothing to do and waited.
    uint64_t loopTurns = 0;
    uint64_t idleWaits = 0;
    // The time the current idle wait lasts until (set by the loop before each wait).
    uint32_t wakeAt = 0;

    // Attract media.
    bool recordsPhotosShowing = false;
    bool posterAllowed = false;
    uint32_t posterStepTime = 0;
    uint32_t posterChangeTime = 0;
    // The step on which mediaStep stands has started (its end time is set) and not ended yet.
    bool mediaStepStarted = false;
};

struct Machine {
    Machine(const Clock& clock, DataRoot root) : clock(clock), root(std::move(root)) {}
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;

    uint32_t now() const { return clock.now(); }

    const Clock& clock;
    DataRoot root;
    ParameterSet params;
    CreditDigits credits; // mirrored in the accounting record and the credit counter

    BoardIo io;
    Outputs outputs;
    SwitchState switches;
    SoundSystem* sound = nullptr; // none: silent

    ReelBank reels;
    // The drawable elements (null where an element has no symbol); the display fills it.
    SymbolTable symbols{};

    GameState game;
    RuntimeState rt;
    // The players' record buffers and the records display (ranking, game-over slideshow).
    RecordsState records;

    // The board's transport (real or simulated); none: the board never opens.
    BoardTransport* boardTransport = nullptr;

    // The rest of the program: the host's concerns, attached by the program or a test, and the
    // media, entry and trace (which do nothing until set).
    MachineHooks hooks;
    // The time of the next switch change scheduled for the simulated board (a script), if any:
    // the loop's idle wait never sleeps past it.
    std::function<std::optional<uint32_t>()> nextScheduledInput;

    std::minstd_rand random{12345};
};

} // namespace pinstage
