#include "BoardFixture.h"
#include "FakeTransport.h"
#include "platform/PinError.h"

#include <gmock/gmock.h>

using namespace pinstage;
using namespace pinstage::test;
using ::testing::ElementsAre;

namespace {

class BoardOpening : public BoardFixture {};

std::string raisedBy(const std::function<void()>& f) {
    try {
        f();
    } catch (const PinError& e) {
        return e.what();
    }
    return "";
}

} // namespace

TEST_F(BoardOpening, EnablesSwitchThenLampMatrixThenReleasesPorts6And1) {
    ASSERT_TRUE(openBoard(io, board));
    auto log = board.receivedReports();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].interface, kSpecialInterface);
    EXPECT_EQ(log[0].length, 64);
    EXPECT_EQ(log[0].bytes[0], 0x18);
    EXPECT_EQ(log[0].bytes[1], 1);
    EXPECT_EQ(log[1].interface, kSpecialInterface);
    EXPECT_EQ(log[1].length, 64);
    EXPECT_EQ(log[1].bytes[0], 0x14);
    EXPECT_EQ(log[1].bytes[1], 1);
    for (int i = 2; i < 4; ++i) {
        EXPECT_EQ(log[size_t(i)].interface, kPortInterface);
        EXPECT_EQ(log[size_t(i)].length, 8);
        EXPECT_THAT(std::vector<uint8_t>(log[size_t(i)].bytes.begin(), log[size_t(i)].bytes.begin() + 8),
                    ElementsAre(0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF));
    }
    EXPECT_TRUE(board.switchMatrixEnabled());
    EXPECT_TRUE(board.lampMatrixEnabled());
}

TEST_F(BoardOpening, LeavesShadowsReleasedAndRecordsTheBoard) {
    ASSERT_TRUE(openBoard(io, board));
    EXPECT_THAT(io.portOutput, ElementsAre(0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF));
    EXPECT_THAT(io.portInput, ElementsAre(0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF));
    EXPECT_TRUE(boardPresent(io));
    EXPECT_EQ(io.boardCount, 1);
    EXPECT_EQ(io.boards[0].productId, kIoWarrior56);
    EXPECT_EQ(io.boards[0].productName, "IoWarrior 56");
    EXPECT_EQ(identificationUtf8(io.boards[0].identification), "0000SIM1");
    EXPECT_EQ(io.boards[1].handle, 0u);
    for (int p = 0; p < 7; ++p)
        EXPECT_EQ(board.portOutput(p), 0xFF);
}

TEST_F(BoardOpening, FailingPort6WriteStopsBeforePort1) {
    board.failWrites(kPortInterface, 1);
    EXPECT_EQ(raisedBy([&] { openBoard(io, board); }), "erreur d'écriture sur port 6");
    auto ports = received(kPortInterface);
    ASSERT_EQ(ports.size(), 1u);
    EXPECT_FALSE(ports[0].accepted);
}

TEST(BoardOpeningFake, FailingPort1WriteIsReported) {
    FakeTransport fake;
    fake.writeResults = {64, 64, 8, 3};
    BoardIo io;
    EXPECT_EQ(raisedBy([&] { openBoard(io, fake); }), "erreur d'écriture sur port 1");
    ASSERT_EQ(fake.sent.size(), 4u);
    EXPECT_EQ(fake.sent[2].interface, kPortInterface);
    EXPECT_EQ(fake.sent[3].interface, kPortInterface);
    EXPECT_EQ(fake.sent[3].bytes, std::vector<uint8_t>({0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_F(BoardOpening, NoBoardIsReportedAndEveryTransferIsSkipped) {
    board.setPresent(false);
    EXPECT_FALSE(openBoard(io, board));
    EXPECT_FALSE(boardPresent(io));
    EXPECT_TRUE(writePort(io, 3, 0x00));
    EXPECT_EQ(readPorts(io), 0);
    EXPECT_TRUE(writeSpecial(io, 0x15));
    std::array<uint8_t, 64> buf{};
    EXPECT_EQ(readSpecial(io, buf), 0);
    closeBoard(io);
    EXPECT_EQ(board.receivedCount(), 0u);
}

TEST_F(BoardOpening, NoBoardWarningTextIsTheMachinesOwn) {
    EXPECT_STREQ(kNoBoardWarningText, "Defaut de connection USB avec la carte Lumiscope \n"
                                      " ou carte Lumiscope absente ou non reconnue \n"
                                      " Certaines fonctions de test ne seront pas disponibles");
    EXPECT_STREQ(kNoBoardWarningCaption, "Defaut constaté :");
    EXPECT_EQ(kNoBoardWarningTimeoutMs, 2500u);
}

TEST(BoardModels, NamesAndReportSizes) {
    EXPECT_EQ(productName(0x1500), "IoWarrior 40");
    EXPECT_EQ(productName(0x1501), "IoWarrior 24");
    EXPECT_EQ(productName(0x1503), "IoWarrior 56");
    EXPECT_EQ(productName(0x1502), "IoWarrior inconnu ou défectueux");
    EXPECT_EQ(portReportSize(0x1500), 5);
    EXPECT_EQ(portReportSize(0x1501), 3);
    EXPECT_EQ(portReportSize(0x1503), 8);
    EXPECT_EQ(portReportSize(0), 0);
    EXPECT_EQ(specialReportSize(0x1500), 8);
    EXPECT_EQ(specialReportSize(0x1501), 8);
    EXPECT_EQ(specialReportSize(0x1503), 64);
    EXPECT_EQ(specialReportSize(0xFFFF), 0);
}

TEST_F(BoardOpening, SmallerModelsSendTheirOwnReportLengths) {
    for (auto [pid, portLen, specialLen] : {std::tuple{kIoWarrior40, 5, 8}, std::tuple{kIoWarrior24, 3, 8}}) {
        SimulatedBoard small(clock, pid);
        BoardIo smallIo;
        ASSERT_TRUE(openBoard(smallIo, small));
        auto log = small.receivedReports();
        ASSERT_EQ(log.size(), 4u);
        EXPECT_EQ(log[0].length, specialLen);
        EXPECT_EQ(log[2].length, portLen);
        EXPECT_TRUE(log[2].accepted);
    }
}

TEST_F(BoardOpening, UnknownModelIsNamedAndItsPortTransfersRaise) {
    board.setProductId(0x1234);
    EXPECT_EQ(raisedBy([&] { openBoard(io, board); }), "ecriture impossible ou erronée");
    EXPECT_EQ(io.boards[0].productName, "IoWarrior inconnu ou défectueux");
    EXPECT_EQ(raisedBy([&] { readPorts(io); }), "lecture impossible ou erronée");
    EXPECT_EQ(raisedBy([&] { writePort(io, 3, 0); }), "ecriture impossible ou erronée");
    EXPECT_FALSE(writeSpecial(io, 0x15));
    // The unknown chip has no special-report length, so its matrices were never enabled.
    EXPECT_EQ(received(kSpecialInterface).size(), 0u);
}

TEST_F(BoardOpening, PortWriteChangesOneShadowAndResendsTheOthers) {
    openAndClearLog();
    EXPECT_TRUE(writePort(io, 3, 0xFE));
    EXPECT_TRUE(writePort(io, 5, 0x7F));
    auto ports = received(kPortInterface);
    ASSERT_EQ(ports.size(), 2u);
    EXPECT_THAT(std::vector<uint8_t>(ports[1].bytes.begin(), ports[1].bytes.begin() + 8),
                ElementsAre(0, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x7F, 0xFF));
    EXPECT_EQ(board.portOutput(3), 0xFE);
    EXPECT_EQ(board.portOutput(5), 0x7F);
}

TEST_F(BoardOpening, PortOutsideTheReportIsRefusedWithoutTraffic) {
    openAndClearLog();
    EXPECT_FALSE(writePort(io, -1, 0));
    EXPECT_FALSE(writePort(io, 7, 0));
    EXPECT_EQ(board.receivedCount(), 0u);
    EXPECT_THAT(io.portOutput, ElementsAre(0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF));
}

TEST_F(BoardOpening, ShortWritesReportFailure) {
    openAndClearLog();
    board.failWrites(kPortInterface, 1);
    EXPECT_FALSE(writePort(io, 3, 0));
    board.failWrites(kSpecialInterface, 1);
    EXPECT_FALSE(writeSpecial(io, 0x15));
    EXPECT_TRUE(writeSpecial(io, 0x15));
}

TEST_F(BoardOpening, ShortPortReadKeepsTheInputImage) {
    openAndClearLog();
    board.setSwitch(68, true); // queues a port report with port 1 bit 4 low (byte 2)
    auto before = io.portInput;
    board.shortenNextRead(kPortInterface, 5); // bytes 0-4 arrive, the changed one among them
    EXPECT_EQ(readPorts(io), 5);
    EXPECT_EQ(io.lastPortReadCount, 5);
    EXPECT_EQ(io.portInput, before);
    board.requestPortReport();
    EXPECT_EQ(readPorts(io), 8);
    EXPECT_EQ(io.portInput[2], 0xEF);
}

TEST_F(BoardOpening, CloseSwitchesTheMatricesOffLampFirst) {
    openAndClearLog();
    closeBoard(io);
    auto log = board.receivedReports();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].bytes[0], 0x14);
    EXPECT_EQ(log[0].bytes[1], 0);
    EXPECT_EQ(log[1].bytes[0], 0x18);
    EXPECT_EQ(log[1].bytes[1], 0);
    EXPECT_FALSE(board.isOpen());
    EXPECT_FALSE(boardPresent(io));
    EXPECT_FALSE(board.switchMatrixEnabled());
    EXPECT_FALSE(board.lampMatrixEnabled());
    EXPECT_TRUE(writePort(io, 3, 0)); // skipped: no board any more
    EXPECT_EQ(board.receivedCount(), 2u);
}

TEST(BoardOpeningFake, BoardCountIsKeptWithinTheSlots) {
    FakeTransport fake;
    fake.boards = 99;
    BoardIo io;
    ASSERT_TRUE(openBoard(io, fake));
    EXPECT_EQ(io.boardCount, kMaxBoards);
    EXPECT_EQ(io.boards[15].handle, BoardHandle(116));
    EXPECT_EQ(identificationUtf8(io.boards[0].identification), "Aé");

    FakeTransport none;
    none.boards = -3; // an open that gave a handle still names its board
    BoardIo io2;
    ASSERT_TRUE(openBoard(io2, none));
    EXPECT_EQ(io2.boardCount, 1);
    EXPECT_EQ(io2.boards[0].handle, BoardHandle(7));
    EXPECT_EQ(io2.boards[0].productName, "IoWarrior 56");
}

TEST(BoardOpeningFake, ReopeningClearsTheFormerRecords) {
    FakeTransport fake;
    fake.boards = 3;
    BoardIo io;
    ASSERT_TRUE(openBoard(io, fake));
    fake.openResult = 0;
    EXPECT_FALSE(openBoard(io, fake));
    EXPECT_EQ(io.boardCount, 0);
    EXPECT_EQ(io.boards[2].handle, 0u);
}
