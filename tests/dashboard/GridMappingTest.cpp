// Cell-to-output mapping of the playfield grids and the name length rules.
#include "dashboard/GridMapping.h"

#include <gtest/gtest.h>

#include <string>

namespace pinstage::test {

TEST(GridMapping, ContactCellsFollowStrobesAndReturns) {
    EXPECT_EQ(contactOfCell(1, 1), 0);
    EXPECT_EQ(contactOfCell(3, 3), 18); // strobe 2, return 2
    EXPECT_EQ(contactOfCell(2, 2), 9);
    EXPECT_EQ(contactOfCell(1, 6), 5);
    EXPECT_EQ(contactOfCell(8, 8), 63);
    EXPECT_EQ(contactOfCell(1, 9), 64);
    EXPECT_EQ(contactOfCell(8, 9), 71);
    // Titles, the level row and anything outside the grid name no contact.
    for (auto [c, r] : {std::pair{0, 0}, {0, 3}, {3, 0}, {1, 10}, {9, 1}, {1, 11}, {-1, 1}, {1, -1}})
        EXPECT_EQ(contactOfCell(c, r), kNoCell) << c << "," << r;
}

TEST(GridMapping, UnwiredDirectInputsAndTitlesCannotBeRenamed) {
    EXPECT_TRUE(contactCellEditable(1, 1));
    EXPECT_TRUE(contactCellEditable(2, 9));
    EXPECT_FALSE(contactCellEditable(3, 9)); // contact 66
    EXPECT_FALSE(contactCellEditable(4, 9)); // contact 67
    EXPECT_TRUE(contactCellEditable(5, 9));
    EXPECT_FALSE(contactCellEditable(1, 10));
    EXPECT_FALSE(contactCellEditable(0, 1));
    EXPECT_FALSE(contactCellEditable(1, 0));
}

TEST(GridMapping, CoilsByPortRowAndBitColumn) {
    EXPECT_EQ(coilOfCell(1, 1), 0);
    EXPECT_EQ(coilOfCell(4, 1), 3); // Knocker
    EXPECT_EQ(coilOfCell(3, 1), 2); // Flipper relay
    EXPECT_EQ(coilOfCell(1, 2), 8);
    EXPECT_EQ(coilOfCell(8, 3), 23);
    EXPECT_EQ(coilOfCell(1, 4), kNoCell);
    EXPECT_EQ(coilOfCell(0, 1), kNoCell);
    EXPECT_EQ(coilOfCell(9, 1), kNoCell);
}

TEST(GridMapping, LampsByByteColumnAndBitRow) {
    EXPECT_EQ(lampOfCell(1, 1), 0);
    EXPECT_EQ(lampOfCell(2, 2), 9);
    EXPECT_EQ(lampOfCell(3, 2), 17); // the named lamp, not lit byte 1 bit 2
    EXPECT_EQ(lampOfCell(2, 3), 10);
    EXPECT_EQ(lampOfCell(8, 8), 63);
    EXPECT_EQ(lampOfCell(0, 1), kNoCell);
    EXPECT_EQ(lampOfCell(1, 9), kNoCell);
}

TEST(GridMapping, NameLengthsCountCharactersNotBytes) {
    EXPECT_EQ(characterCount("abc"), 3);
    EXPECT_EQ(characterCount("Réglé"), 5);
    EXPECT_EQ(characterCount(""), 0);

    std::string accents24 = "é" + std::string(23, 'x');
    EXPECT_TRUE(contactNameAccepted(accents24));
    EXPECT_TRUE(contactNameAccepted(""));
    EXPECT_FALSE(contactNameAccepted(std::string(25, 'x')));

    EXPECT_FALSE(coilNameAccepted(""));
    EXPECT_TRUE(coilNameAccepted(std::string(25, 'x')));
    EXPECT_FALSE(coilNameAccepted(std::string(26, 'x')));

    EXPECT_FALSE(lampNameAccepted(""));
    EXPECT_TRUE(lampNameAccepted("ç" + std::string(23, 'x')));
    EXPECT_FALSE(lampNameAccepted(std::string(25, 'x')));
}

} // namespace pinstage::test
