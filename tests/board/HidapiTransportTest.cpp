#include "board/HidapiTransport.h"
#include "board/BoardIo.h"

#include <gtest/gtest.h>

using namespace pinstage;

// Without a board plugged in (the test machines have none) the real transport behaves as the kit:
// no handle, nothing read, nothing written, and the opening reports no board.
TEST(HidapiTransportWithoutBoard, FindsNoBoardAndTransfersNothing) {
    HidapiTransport usb;
    if (usb.open() != 0)
        GTEST_SKIP() << "an IO-Warrior is plugged in";
    EXPECT_EQ(usb.count(), 0);
    EXPECT_EQ(usb.handle(1), 0u);
    EXPECT_EQ(usb.productId(1), 0u);
    std::array<uint8_t, 8> report{};
    EXPECT_EQ(usb.write(1, kPortInterface, report), 0);
    EXPECT_EQ(usb.read(1, kPortInterface, report), 0);
    BoardIdentification id;
    id.fill(u'x');
    usb.identification(1, id);
    EXPECT_EQ(id[0], 0);
    BoardIo io;
    EXPECT_FALSE(openBoard(io, usb));
    closeBoard(io);
}
