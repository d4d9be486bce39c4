#include "SpineFixture.h"

#include "board/LampEngine.h"
#include "board/OutputOperations.h"
#include "platform/PinError.h"
#include "runtime/Trace.h"

#include <gmock/gmock.h>

#include <fstream>
#include <sstream>

using namespace pinstage;
using namespace pinstage::test;
using ::testing::ElementsAre;

namespace {

class MemorySink : public TraceSink {
public:
    bool enabled() const override { return true; }
    void line(uint32_t time, const std::string& text) override {
        lines.push_back(std::to_string(time) + " " + text);
    }
    std::vector<std::string> lines;
};

class Trace : public SpineTest {
protected:
    Trace() : tracing(board, clock, sink) {
        m.boardTransport = &tracing;
        fullLoad(m.root, 0, m.params, nullptr);
    }
    MemorySink sink;
    TracingTransport tracing;
};

} // namespace

TEST_F(Trace, PortWritesAreJournalledWhenTheirValueChanges) {
    ASSERT_TRUE(openMachineBoard(m));
    // The opening writes port 6 (all seven ports at first) then port 1 (sent again unchanged).
    ASSERT_GE(sink.lines.size(), 7u);
    EXPECT_EQ(sink.lines[0], "10000 port 0 0xFF");
    sink.lines.clear();
    clock.advance(5);
    writePort(m.io, 4, 0xFB);
    writePort(m.io, 3, 0x7F);
    EXPECT_THAT(sink.lines, ElementsAre("10005 port 4 0xFB", "10005 port 3 0x7F"));
    sink.lines.clear();
    writePort(m.io, 3, 0x7F); // sent again unchanged: the whole report
    ASSERT_EQ(sink.lines.size(), 7u);
    EXPECT_EQ(sink.lines[3], "10005 port 3 0x7F");
    EXPECT_EQ(sink.lines[4], "10005 port 4 0xFB");
}

TEST_F(Trace, LampPairsAreOneLineAndRefusedWritesAreNotJournalled) {
    ASSERT_TRUE(openMachineBoard(m));
    buildOutputs(m.outputs, m.params.coils, m.params.lamps);
    sink.lines.clear();
    for (auto& lamp : m.outputs.lamps)
        lamp.flags = 0; // steady lamps, whatever the record's blink settings
    lampOn(m.outputs, 0);
    lampOn(m.outputs, 63);
    lampOn(m.outputs, 9);
    runLampEngine(m.outputs, m.io, m.clock);
    EXPECT_THAT(sink.lines, ElementsAre("10000 lamps 0x01 0x02 0x00 0x00 0x00 0x00 0x00 0x80"));
    auto bytes = board.lampBytes();
    EXPECT_EQ(bytes[0], 0x01);
    EXPECT_EQ(bytes[7], 0x80);
    sink.lines.clear();
    board.failWrites(kPortInterface, 1);
    writePort(m.io, 5, 0x00);
    EXPECT_TRUE(sink.lines.empty());
}

TEST_F(Trace, SoundEventsReadAsTheJournalWantsThem) {
    EXPECT_EQ(soundTraceText({SoundAction::Play, 12, false, {}}), "sound play 12 once");
    EXPECT_EQ(soundTraceText({SoundAction::Play, 30, true, {}}), "sound play 30 loop");
    EXPECT_EQ(soundTraceText({SoundAction::Stop, 7, false, {}}), "sound stop 7");
    EXPECT_EQ(soundTraceText({SoundAction::PlaySystem, -1, false, "gongo.wav"}), "sound system gongo.wav");
}

TEST_F(Trace, TheStateLineCarriesScoresBallsBonusCreditsMaskPlayerAndMultiplier) {
    host.initDisplay(m); // the reels, at design size
    m.reels.counter(0)->showValueAtOnce(123450);
    m.reels.counter(2)->showValueAtOnce(7);
    m.game.players[0].ball = 2;
    m.game.players[1].ball = 1;
    m.game.players[0].bonus = 12;
    m.game.players[3].bonus = -1;
    m.credits = {3, 0};
    m.game.playersDoneMask = 0x0C;
    m.game.currentPlayer = 1;
    m.game.scoreMultiplier = 3;
    EXPECT_EQ(stateLine(m), "state scores=123450,0,7,0 balls=2,1,0,0 bonus=12,0,0,-1 credits=03 mask=0x0C "
                            "player=1 multiplier=3");
}

TEST_F(Trace, TheStateLineIsWrittenOncePerRun) {
    m.hooks.trace = &sink;
    traceFinalState(m);
    traceFinalState(m);
    ASSERT_EQ(sink.lines.size(), 1u);
    EXPECT_THAT(sink.lines[0], ::testing::HasSubstr("state scores=0,0,0,0"));
}

TEST_F(Trace, TheFileCountsFromItsOriginAndKeepsEveryLine) {
    auto file = std::filesystem::temp_directory_path() / ("trace-" + std::to_string(::getpid()) + ".txt");
    {
        FileTraceSink out(file);
        out.setOrigin(5000);
        out.line(5000, "splash end");
        out.line(7500, "port 3 0xFE");
        out.line(4990, "early");
        std::ifstream in(file); // flushed line by line: readable while open
        std::string first;
        std::getline(in, first);
        EXPECT_EQ(first, "0 splash end");
    }
    std::ifstream in(file);
    std::stringstream all;
    all << in.rdbuf();
    EXPECT_EQ(all.str(), "0 splash end\n2500 port 3 0xFE\n-10 early\n");
    std::filesystem::remove(file);
    EXPECT_THROW(FileTraceSink bad(file / "no" / "such"), PinError);
}
