#include "BoardFixture.h"
#include "FakeTransport.h"
#include "platform/PinError.h"

#include <gmock/gmock.h>

#include <map>

using namespace pinstage;
using namespace pinstage::test;

namespace {

class SwitchScan : public BoardFixture {
protected:
    void SetUp() override {
        BoardFixture::SetUp();
        openAndClearLog();
        scanMatrix(sw, io, out, clock); // the report the board sends once the matrix is on
    }
    void injectMatrix(std::initializer_list<std::pair<int, uint8_t>> strobes) {
        std::array<uint8_t, 64> r{};
        r[0] = 0x19;
        for (auto [s, v] : strobes)
            r[size_t(1 + s)] = v;
        board.injectReport(kSpecialInterface, r);
    }
    std::vector<int> pendingContacts() const {
        std::vector<int> c;
        for (int i = 0; i < kContactCount; ++i)
            if (sw.contactFlags[size_t(i)] & kContactPending)
                c.push_back(i);
        return c;
    }
    std::string raised(const std::function<void()>& f) {
        try {
            f();
        } catch (const PinError& e) {
            return e.what();
        }
        return "";
    }
};

struct Cell {
    GridColour colour;
    int contact;
};

class RecordingGrid : public ContactGridObserver {
public:
    bool shown = true;
    std::map<std::pair<int, int>, Cell> cells;
    int paints = 0;
    bool contactGridShown() const override { return shown; }
    void paintContactCell(int column, int row, GridColour colour, int contact) override {
        cells[{column, row}] = {colour, contact};
        ++paints;
    }
};

} // namespace

TEST_F(SwitchScan, MatrixReportMarksTheContactsItShowsClosed) {
    injectMatrix({{2, 0x05}});
    scanMatrix(sw, io, out, clock);
    EXPECT_EQ(pendingContacts(), (std::vector<int>{16, 18}));
    EXPECT_EQ(sw.strobe0Level(), 0);

    injectMatrix({{0, 0x22}, {7, 0x80}});
    scanMatrix(sw, io, out, clock);
    EXPECT_EQ(pendingContacts(), (std::vector<int>{1, 5, 16, 18, 63}));
    EXPECT_EQ(sw.strobe0Level(), 0x22);
}

TEST_F(SwitchScan, SimulatedContactsReachTheScan) {
    board.setSwitch(16, true);
    board.setSwitch(18, true);
    scanMatrix(sw, io, out, clock);
    EXPECT_EQ(pendingContacts(), (std::vector<int>{16}));
    scanMatrix(sw, io, out, clock);
    EXPECT_EQ(pendingContacts(), (std::vector<int>{16, 18}));
    EXPECT_EQ(sw.inputImages[0][2], 0x05);
}

TEST_F(SwitchScan, NothingReadChangesNothing) {
    injectMatrix({{0, 0x20}, {3, 0x01}});
    scanMatrix(sw, io, out, clock);
    auto flags = sw.contactFlags;
    auto images = sw.inputImages;
    scanMatrix(sw, io, out, clock); // no report pending: a 0-byte read
    EXPECT_EQ(sw.contactFlags, flags);
    EXPECT_EQ(sw.inputImages, images);
    EXPECT_EQ(sw.strobe0Level(), 0x20);
}

TEST_F(SwitchScan, IncompleteOrForeignMatrixReportsChangeNothing) {
    auto flags = sw.contactFlags;
    injectMatrix({{0, 0xFF}});
    board.shortenNextRead(kSpecialInterface, 30);
    EXPECT_EQ(raised([&] { scanMatrix(sw, io, out, clock); }), "lecture des contacts plateau incomplète");
    EXPECT_EQ(sw.contactFlags, flags);
    EXPECT_EQ(sw.strobe0Level(), 0);

    std::array<uint8_t, 64> foreign{};
    foreign.fill(0xFF);
    foreign[0] = 0x15;
    board.injectReport(kSpecialInterface, foreign);
    scanMatrix(sw, io, out, clock);
    EXPECT_EQ(sw.contactFlags, flags);
    EXPECT_EQ(sw.strobe0Level(), 0);
}

TEST_F(SwitchScan, HeldContactIsMarkedAgainWithEachReportAndNeverClearedByTheScan) {
    board.setSwitch(9, true);
    scanMatrix(sw, io, out, clock);
    sw.contactFlags[9] &= uint8_t(~kContactPending); // the rules consume it
    board.requestMatrixReport();
    scanMatrix(sw, io, out, clock);
    EXPECT_TRUE(sw.contactFlags[9] & kContactPending);
    board.setSwitch(9, false);
    scanMatrix(sw, io, out, clock);
    EXPECT_TRUE(sw.contactFlags[9] & kContactPending); // still pending until consumed
}

TEST_F(SwitchScan, DirectCoilFiresFromTheScanItself) {
    sw.contactFlags[46] = 10 + 1; // "Kicking gauche" linked to coil 10
    board.setSwitch(46, true);
    scanMatrix(sw, io, out, clock);
    EXPECT_TRUE(board.coilEnergised(10));
    EXPECT_EQ(board.portOutput(4), 0xFB);
    EXPECT_EQ(sw.contactFlags[46], 0x80 | 11);
}

TEST_F(SwitchScan, DirectCoilFieldBeyondTheCoilsFiresNothing) {
    for (uint8_t field : {25, 26, 31}) {
        sw.contactFlags[30] = field;
        board.setSwitch(30, true);
        scanMatrix(sw, io, out, clock);
        board.setSwitch(30, false);
        scanMatrix(sw, io, out, clock);
        EXPECT_EQ(received(kPortInterface).size(), 0u) << int(field);
        EXPECT_EQ(out.coilRequest, (std::array<uint8_t, 3>{0, 0, 0}));
    }
    sw.contactFlags[30] = 24; // the last coil
    board.setSwitch(30, true);
    scanMatrix(sw, io, out, clock);
    EXPECT_TRUE(board.coilEnergised(23));
}

TEST_F(SwitchScan, DirectSwitchHeldOverTenReadsGivesOneEvent) {
    board.setSwitch(64, true);
    scanDirectSwitches(sw, io, out, clock);
    EXPECT_EQ(pendingContacts(), (std::vector<int>{64}));
    sw.contactFlags[64] = 0;
    for (int i = 0; i < 10; ++i) {
        board.requestPortReport();
        scanDirectSwitches(sw, io, out, clock);
    }
    EXPECT_TRUE(pendingContacts().empty());
    EXPECT_EQ(sw.dryInputs, 0x01);

    board.setSwitch(64, false);
    scanDirectSwitches(sw, io, out, clock);
    EXPECT_EQ(sw.dryInputs, 0x00);
    EXPECT_TRUE(pendingContacts().empty());
    board.setSwitch(64, true);
    scanDirectSwitches(sw, io, out, clock);
    EXPECT_EQ(pendingContacts(), (std::vector<int>{64}));
}

TEST_F(SwitchScan, DirectSwitchLevelsFollowTheirPortBits) {
    const std::pair<int, uint8_t> wiring[] = {{64, 0x01}, {65, 0x02}, {68, 0x10},
                                              {69, 0x20}, {70, 0x40}, {71, 0x80}};
    for (auto [contact, bit] : wiring) {
        board.setSwitch(contact, true);
        scanDirectSwitches(sw, io, out, clock);
        EXPECT_EQ(sw.dryInputs, bit) << contact;
        EXPECT_TRUE(sw.contactFlags[size_t(contact)] & kContactPending) << contact;
        board.setSwitch(contact, false);
        scanDirectSwitches(sw, io, out, clock);
        EXPECT_EQ(sw.dryInputs, 0) << contact;
    }
}

TEST_F(SwitchScan, UnwiredDirectSwitchesNeverGiveAnEvent) {
    for (int i = 0; i < 3; ++i) {
        board.setSwitch(66, true);
        board.setSwitch(67, true);
        scanDirectSwitches(sw, io, out, clock);
        board.setSwitch(66, false);
        board.setSwitch(67, false);
        scanDirectSwitches(sw, io, out, clock);
    }
    EXPECT_TRUE(pendingContacts().empty());
    EXPECT_EQ(sw.dryInputs & 0x0C, 0);
    EXPECT_EQ(sw.dryLatched, 0);
}

TEST_F(SwitchScan, BadPortReportsRaiseOrAreIgnored) {
    board.setSwitch(64, true);
    board.shortenNextRead(kPortInterface, 7);
    EXPECT_EQ(raised([&] { scanDirectSwitches(sw, io, out, clock); }), "erreur de lecture contacts secs");
    EXPECT_EQ(sw.dryInputs, 0);
    EXPECT_TRUE(pendingContacts().empty());

    std::array<uint8_t, 8> foreign{};
    foreign[0] = 3; // not a port report
    board.injectReport(kPortInterface, foreign);
    scanDirectSwitches(sw, io, out, clock);
    EXPECT_EQ(sw.dryInputs, 0);
    EXPECT_TRUE(pendingContacts().empty());
}

TEST_F(SwitchScan, DirectSwitchFiresItsDirectCoil) {
    sw.contactFlags[71] = 3 + 1; // knocker
    board.setSwitch(71, true);
    scanDirectSwitches(sw, io, out, clock);
    EXPECT_TRUE(board.coilEnergised(3));
}

TEST_F(SwitchScan, ContactGridIsPaintedAndConsumesMatrixEvents) {
    RecordingGrid grid;
    board.setSwitch(18, true);
    board.setSwitch(64, true);
    scanDirectSwitches(sw, io, out, clock, &grid);
    scanMatrix(sw, io, out, clock, &grid);
    Cell c18 = grid.cells.at({3, 3}); // strobe 2, return 2
    EXPECT_EQ(c18.colour, kGridBlue);
    EXPECT_EQ(c18.contact, 18);
    EXPECT_EQ(grid.cells.at({1, 1}).colour, kGridGreen);
    EXPECT_EQ(grid.cells.at({8, 8}).contact, 63);
    EXPECT_EQ(grid.cells.at({1, kGridDirectStateRow}).colour, kGridBlue);
    EXPECT_EQ(grid.cells.at({2, kGridDirectStateRow}).colour, kGridGreen);
    EXPECT_EQ(grid.cells.at({2, kGridDirectNameRow}).colour, kGridYellow);
    EXPECT_EQ(grid.cells.at({2, kGridDirectNameRow}).contact, 65);
    for (int c = 0; c < kMatrixContactCount; ++c)
        EXPECT_FALSE(sw.contactFlags[size_t(c)] & kContactPending) << c;
    EXPECT_TRUE(sw.contactFlags[64] & kContactPending); // direct events stay for their consumer
}

TEST_F(SwitchScan, HiddenGridIsNotPainted) {
    RecordingGrid grid;
    grid.shown = false;
    board.setSwitch(18, true);
    scanMatrix(sw, io, out, clock, &grid);
    EXPECT_EQ(grid.paints, 0);
    EXPECT_TRUE(sw.contactFlags[18] & kContactPending);
}

TEST_F(SwitchScan, ClearingEventsKeepsOrDropsTheDirectCoilLinks) {
    sw.contactFlags[30] = 0x80 | 9;
    sw.contactFlags[5] = 0x80;
    sw.contactFlags[70] = 0x80 | 2;
    sw.inputImages[0][0] = 0x21;
    sw.inputImages[2][7] = 0x44;
    clearContactEvents(sw, false);
    EXPECT_EQ(sw.contactFlags[30], 9);
    EXPECT_EQ(sw.contactFlags[5], 0);
    EXPECT_EQ(sw.contactFlags[70], 0x82);
    EXPECT_EQ(sw.strobe0Level(), 0);
    EXPECT_EQ(sw.inputImages[2][7], 0);
    sw.contactFlags[30] = 0x89;
    clearContactEvents(sw, true);
    EXPECT_EQ(sw.contactFlags[30], 0);
    EXPECT_EQ(sw.contactFlags[70], 0x82);
}

TEST(SwitchScanWithoutBoard, ScansReturnAtOnce) {
    ManualClock clock;
    SimulatedBoard board(clock);
    board.setPresent(false);
    BoardIo io;
    SwitchState sw;
    Outputs out;
    EXPECT_FALSE(openBoard(io, board));
    board.setSwitch(64, true);
    scanMatrix(sw, io, out, clock);
    scanDirectSwitches(sw, io, out, clock);
    EXPECT_EQ(sw.dryInputs, 0);
    EXPECT_EQ(sw.contactFlags[64], 0);
}

TEST(SwitchScanOtherModels, SmallerReportsAreReadErrors) {
    ManualClock clock;
    SimulatedBoard board(clock, kIoWarrior40);
    BoardIo io;
    SwitchState sw;
    Outputs out;
    ASSERT_TRUE(openBoard(io, board));
    EXPECT_THROW(scanMatrix(sw, io, out, clock), PinError); // an 8-byte matrix report
    board.setSwitch(64, true);
    EXPECT_THROW(scanDirectSwitches(sw, io, out, clock), PinError); // a 5-byte port report
}

TEST(SwitchScanOtherModels, UnknownModelPortReadRaises) {
    ManualClock clock;
    SimulatedBoard board(clock, 0x1234);
    BoardIo io;
    SwitchState sw;
    Outputs out;
    EXPECT_THROW(openBoard(io, board), PinError);
    try {
        scanDirectSwitches(sw, io, out, clock);
        FAIL();
    } catch (const PinError& e) {
        EXPECT_STREQ(e.what(), "lecture impossible ou erronée");
    }
}

TEST(SwitchScanBoardGone, VanishedBoardRaisesTheReadMessages) {
    ManualClock clock;
    FakeTransport gone;
    BoardIo io;
    SwitchState sw;
    Outputs out;
    buildOutputs(out, defaultCoils(), defaultLamps());
    ASSERT_TRUE(openBoard(io, gone));
    gone.readAnswers = {{-1, {}}, {-1, {}}};
    try {
        scanMatrix(sw, io, out, clock);
        FAIL();
    } catch (const PinError& e) {
        EXPECT_STREQ(e.what(), "lecture des contacts plateau incomplète");
    }
    try {
        scanDirectSwitches(sw, io, out, clock);
        FAIL();
    } catch (const PinError& e) {
        EXPECT_STREQ(e.what(), "erreur de lecture contacts secs");
    }
    EXPECT_EQ(io.portInput[7], 0xFF);
    gone.writeResults = {-1};
    coilPulse(out, 3);
    EXPECT_THROW(runCoilEngine(out, io, clock), PinError);
}
