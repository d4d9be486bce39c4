#include "MachineHarness.h"

#include "board/BoardIo.h"
#include "board/Outputs.h"
#include "config/Accounting.h"
#include "config/AdjustmentRows.h"
#include "config/Adjustments.h"
#include "config/Credits.h"
#include "config/ParameterStore.h"
#include "display/ReelBank.h"
#include "display/ScreenMapping.h"
#include "runtime/GameServe.h"
#include "runtime/GameStart.h"
#include "runtime/MainLoop.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <sstream>
#include <stdexcept>

namespace pinstage::test {

namespace {

constexpr int kGameOverFunction = 78; // 31 + c47
constexpr int kGameOverSound = 63;
constexpr int32_t kJingleMs = 3000;
constexpr int32_t kSoundMs = 400;

std::filesystem::path freshRoot() {
    static std::atomic<int> serial{0};
    auto dir = std::filesystem::temp_directory_path() /
               ("pinstage-game-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
    std::filesystem::remove_all(dir);
    return dir;
}

bool reelsStill(const Machine& m) {
    for (int c = 0; c < ReelBank::kCounterCount; ++c)
        if (const Compteur* counter = m.reels.counter(c); counter && !counter->idle())
            return false;
    return true;
}

} // namespace

int harnessSoundOf(int function) {
    if (function == kGameOverFunction)
        return kGameOverSound;
    if (function >= 0 && function < kGameOverSound)
        return function;
    return -1;
}

std::vector<std::string> RecordingTrace::matching(std::string_view prefix) const {
    std::vector<std::string> out;
    for (const auto& l : lines)
        if (std::string_view(l.text).substr(0, prefix.size()) == prefix)
            out.push_back(l.text);
    return out;
}

std::vector<TimedSwitch> parseSwitchScript(std::string_view text) {
    std::vector<TimedSwitch> out;
    std::istringstream in{std::string(text)};
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (auto hash = line.find('#'); hash != std::string::npos)
            line.erase(hash);
        std::istringstream words(line);
        std::string time, action, contact, extra;
        if (!(words >> time))
            continue;
        auto bad = [&](const char* why) {
            return std::runtime_error("line " + std::to_string(number) + ": " + why);
        };
        if (!(words >> action >> contact))
            throw bad("incomplete");
        uint32_t t = 0;
        uint32_t ms = 50;
        int c = -1;
        try {
            size_t used = 0;
            t = uint32_t(std::stoul(time, &used));
            if (used != time.size())
                throw bad("time");
            if (contact.size() < 2 || contact[0] != 'c')
                throw bad("contact");
            c = std::stoi(contact.substr(1), &used);
            if (used != contact.size() - 1 || c < 0 || c > 71)
                throw bad("contact");
            if (words >> extra) {
                if (action != "pulse")
                    throw bad("duration on a close or open");
                ms = uint32_t(std::stoul(extra, &used));
                if (used != extra.size())
                    throw bad("duration");
            }
        } catch (const std::logic_error&) {
            throw bad("number");
        }
        if (words >> extra)
            throw bad("trailing words");
        if (action == "close") {
            out.push_back({t, c, true});
        } else if (action == "open") {
            out.push_back({t, c, false});
        } else if (action == "pulse") {
            out.push_back({t, c, true});
            out.push_back({t + ms, c, false});
        } else {
            throw bad("action");
        }
    }
    return out;
}

MachineHarness::MachineHarness(HarnessOptions options) : rootDir(freshRoot()), m(clock, DataRoot(rootDir)) {
    m.root.ensureDirectories();
    fullLoad(m.root, 0, m.params, nullptr);
    AdjustmentsRecord& adj = m.params.adjustments;
    adj.ballsPerGame = uint16_t(options.ballsPerGame);
    setOption(adj, AdjustmentOption::FreePlay, options.freePlay);
    setOption(adj, AdjustmentOption::Lottery, options.lottery);
    if (options.adjust)
        options.adjust(adj);
    saveAdjustments(adjustmentsFileOf(m.root, m.params), adj);

    m.params.accounting.creditUnits = uint8_t(options.credits % 10);
    m.params.accounting.creditTens = uint8_t(options.credits / 10 % 10);
    saveAccounting(accountingFileOf(m.root, m.params), m.params.accounting);
    m.credits = creditDigits(m.params.accounting);

    for (int f = 0; f < kSoundFunctionCount; ++f) {
        int s = harnessSoundOf(f);
        m.params.sounds.entries[size_t(f)].soundNumber = s < 0 ? kNoSound : s;
    }
    sound = std::make_unique<SoundSystem>(engine, m.params.sounds, m.root.dir(DataDir::Sons), nullptr);
    sound->initSound();
    for (int s = 0; s < kSoundCount; ++s) {
        WavData wav;
        wav.durationMs = s == 11 ? kJingleMs : kSoundMs;
        sound->loadSound(s, wav);
    }
    engine.clearCalls();
    m.sound = sound.get();

    buildOutputs(m.outputs, m.params.coils, m.params.lamps);
    board.beforeRead = [this](uint32_t now) { applyDue(now); };
    board.onOutputsChanged = [this] { watchCoils(); };
    if (!openBoard(m.io, board))
        throw std::runtime_error("simulated board did not open");

    ScreenSize screen{1360, 768};
    m.reels.build(m.params.fronton, DesignMapping::fromLayout(screen, m.params.fronton), ReelSounds{});
    for (int e = 0; e < element::kCount; ++e)
        m.symbols[size_t(e)] = &placements[size_t(e)];
    if (Compteur* credits = m.reels.counter(ReelBank::kCreditCounter))
        credits->showValueAtOnce(m.credits.value());

    m.random.seed(options.seed);
    m.hooks.attachHost(host);
    m.hooks.trace = &traceLog;
    m.rt.mainLoopRunning = 1;
    armDirectCoils(m);
    connectReelsToGame(m);
    origin_ = clock.now();
}

MachineHarness::~MachineHarness() {
    board.beforeRead = nullptr;
    board.onOutputsChanged = nullptr;
    std::error_code ec;
    std::filesystem::remove_all(rootDir, ec);
}

void MachineHarness::applyDue(uint32_t now) {
    // Changes in time order, those due now applied in the order given.
    size_t i = 0;
    while (i < pendingChanges_.size()) {
        const TimedSwitch& s = pendingChanges_[i];
        if (uint32_t(now - origin_) >= s.time) {
            board.setSwitch(s.contact, s.closed);
            pendingChanges_.erase(pendingChanges_.begin() + long(i));
        } else {
            ++i;
        }
    }
}

void MachineHarness::watchCoils() {
    for (int k = 0; k < 3; ++k) {
        uint8_t port = board.portOutput(3 + k);
        uint8_t energised = uint8_t(lastCoilPorts_[size_t(k)] & ~port);
        uint8_t released = uint8_t(~lastCoilPorts_[size_t(k)] & port);
        for (int b = 0; b < 8; ++b) {
            if (energised & (1u << b))
                coilPulses_[size_t(8 * k + b)].push_back(clock.now());
            if (released & (1u << b))
                coilReleases_[size_t(8 * k + b)].push_back(clock.now());
        }
        lastCoilPorts_[size_t(k)] = port;
    }
}

void MachineHarness::turn() {
    clock.advance(1);
    loopTurn(m);
}

void MachineHarness::run(uint32_t ms) {
    uint32_t end = clock.now() + ms;
    while (int32_t(end - clock.now()) > 0)
        turn();
}

bool MachineHarness::runUntil(const std::function<bool()>& done, uint32_t maxMs) {
    uint32_t start = clock.now();
    while (!done()) {
        if (clock.now() - start > maxMs)
            return false;
        turn();
    }
    return true;
}

bool MachineHarness::settle(uint32_t maxMs) {
    return runUntil([this] { return reelsStill(m) && m.game.pendingBonus == 0 && !pending(47); }, maxMs);
}

void MachineHarness::close(int contact) {
    schedule({elapsed(), contact, true});
}

void MachineHarness::open(int contact) {
    schedule({elapsed(), contact, false});
}

void MachineHarness::pulse(int contact, uint32_t ms) {
    schedule({elapsed(), contact, true});
    schedule({elapsed() + ms, contact, false});
}

void MachineHarness::schedule(const TimedSwitch& change) {
    // Kept in time order; equal times keep the order they were given in.
    auto at = pendingChanges_.end();
    while (at != pendingChanges_.begin() && (at - 1)->time > change.time)
        --at;
    pendingChanges_.insert(at, change);
}

void MachineHarness::runScript(std::string_view text) {
    for (const auto& s : parseSwitchScript(text))
        schedule(s);
}

void MachineHarness::hit(int contact) {
    pulse(contact);
    run(40);
}

void MachineHarness::coin() {
    hit(4);
    settle();
}

void MachineHarness::pressStart() {
    pulse(5);
    run(40);
    settle();
}

void MachineHarness::drain() {
    pulse(47);
    turn();
    runUntil([this] { return !pending(47); });
    settle();
}

uint32_t MachineHarness::score(int player) const {
    return uint32_t(m.reels.counterValue(player, Compteur::kMaxReels));
}

int MachineHarness::creditsShown() const {
    return int(m.reels.counterValue(ReelBank::kCreditCounter, 2));
}

int MachineHarness::creditsStored() const {
    return m.credits.value();
}

AccountingRecord MachineHarness::accountingFile() const {
    AccountingRecord r;
    loadAccounting(accountingFileOf(m.root, m.params), r);
    return r;
}

int MachineHarness::creditsInFile() const {
    return credits(accountingFile());
}

AdjustmentsRecord MachineHarness::adjustmentsFile() const {
    AdjustmentsRecord r;
    loadAdjustments(adjustmentsFileOf(m.root, m.params), r);
    return r;
}

std::vector<uint32_t> MachineHarness::coilPulses(int coil) const {
    if (coil < 0 || coil >= kCoilCount)
        return {};
    return coilPulses_[size_t(coil)];
}

std::vector<uint32_t> MachineHarness::coilReleases(int coil) const {
    if (coil < 0 || coil >= kCoilCount)
        return {};
    return coilReleases_[size_t(coil)];
}

int MachineHarness::plays(int function) const {
    int s = harnessSoundOf(function);
    return s < 0 ? 0 : engine.playCount(s);
}

bool MachineHarness::pending(int contact) const {
    return contact >= 0 && contact < kContactCount &&
           (m.switches.contactFlags[size_t(contact)] & kContactPending);
}

std::string MachineHarness::stateLine() const {
    std::string scores, balls, bonus;
    for (int p = 0; p < kPlayerCount; ++p) {
        const char* sep = p == 0 ? "" : ",";
        scores += sep + std::to_string(score(p));
        balls += sep + std::to_string(unsigned(m.game.players[size_t(p)].ball));
        bonus += sep + std::to_string(int(m.game.players[size_t(p)].bonus));
    }
    char tail[96];
    std::snprintf(tail, sizeof tail, " credits=%d%d mask=0x%02X player=%u multiplier=%d", int(m.credits.tens),
                  int(m.credits.units), unsigned(m.game.playersDoneMask), unsigned(m.game.currentPlayer),
                  int(m.game.scoreMultiplier));
    return "state scores=" + scores + " balls=" + balls + " bonus=" + bonus + tail;
}

} // namespace pinstage::test
