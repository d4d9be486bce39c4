// The records table in the game: a finished game's contest players appended with their final
// scores and ranked by the next ranking step, which sorts only when there is something new.
#include "SpineFixture.h"

#include "config/AdjustmentRows.h"
#include "runtime/Attract.h"
#include "runtime/GameOver.h"
#include "runtime/PlayerRecords.h"
#include "runtime/Startup.h"

#include <regex>
#include <set>

using namespace pinstage;
using namespace pinstage::test;

namespace {

class PlayerRecords : public SpineTest {
protected:
    void SetUp() override {
        bringUp();
        FormCreate(m);
        host.timerEnabled = false;
        setOption(m.params.adjustments, AdjustmentOption::RankingPhotos, true);
    }
    // A game of `players` players ending with these scores on their reels.
    void gameEnds(const std::vector<int64_t>& scores) {
        m.game.lastPlayerIndex = uint8_t(scores.size() - 1);
        m.game.playersDoneMask = 0;
        for (size_t p = 0; p < scores.size(); ++p)
            m.reels.counter(int(p))->showValueAtOnce(scores[p]);
        showGameOver(m);
    }
    std::vector<FicheJoueur> file() {
        std::vector<FicheJoueur> all(32);
        all.resize(size_t(LireFichesJoueurs(playersFileInUse(m), all, 0, 32)));
        return all;
    }
    // Attract turns until the ranking step has started.
    void untilRankingStarts() {
        for (int t = 0; t < 200000; ++t) {
            attractStep(m);
            if (m.rt.mediaStepStarted && m.rt.mediaStep == kMediaRanking)
                break;
            clock.advance(1);
        }
        ASSERT_EQ(m.rt.mediaStep, kMediaRanking);
    }
};

} // namespace

TEST_F(PlayerRecords, TwoContestPlayersAreAppendedAtGameOverAndRankedByTheNextRankingStep) {
    EXPECT_EQ(m.records.buffers[1].nomDuJoueur.utf8(), "Brindlework"); // the start-up defaults
    untilRankingStarts();                                              // the first step sorts the fresh file
    EXPECT_FALSE(m.records.sortPending);
    EXPECT_EQ(file()[1].score, 6u);
    m.hooks.media->FinirEtapeMedia(m);

    // Players 1 and 3 took part in the contest; player 2 did not and player 4 was not in the game.
    beginContestRecord(m, 1);
    m.records.buffers[0].nomDuJoueur.setUtf8("Éloïse");
    m.records.buffers[0].cheminPhoto.setUtf8("bases de donnees/Photos/Joueur-0_06122026050000.bmp");
    beginContestRecord(m, 3);
    m.records.buffers[2].cheminPhoto.setUtf8("bases de donnees/Photos/Joueur-2_06122026050100.bmp");
    beginContestRecord(m, 4);
    m.records.buffers[3].nomDuJoueur.setUtf8("Absent");
    EXPECT_TRUE(m.records.buffers[2].nomDuJoueur.utf8().empty());
    gameEnds({5, 1200, 40});

    auto records = file();
    ASSERT_EQ(records.size(), 9u);
    EXPECT_EQ(records[7].nomDuJoueur.utf8(), "Éloïse");
    EXPECT_EQ(records[7].score, 5u);
    EXPECT_EQ(records[7].idClassement, 7);
    EXPECT_EQ(records[8].cheminPhoto.utf8(), "bases de donnees/Photos/Joueur-2_06122026050100.bmp");
    EXPECT_EQ(records[8].score, 40u);
    EXPECT_EQ(records[8].idClassement, 8);
    EXPECT_TRUE(std::regex_match(records[8].dateFin.utf8(), std::regex(R"(\d\d/\d\d/\d{4} \d\d:\d\d:\d\d)")));
    EXPECT_TRUE(m.records.sortPending);
    EXPECT_EQ(m.records.contestEntrant, (std::array<bool, 4>{}));

    // The next game without a contest adds nothing.
    gameEnds({7, 7});
    EXPECT_EQ(file().size(), 9u);

    untilRankingStarts();
    records = file();
    const uint32_t ranked[] = {1000000, 40, 6, 5, 5, 4, 3, 2, 1};
    for (size_t k = 0; k < records.size(); ++k)
        EXPECT_EQ(records[k].score, ranked[k]) << k;
    EXPECT_EQ(records[1].idClassement, 1);
    EXPECT_EQ(records[0].idClassement, -1);
    std::set<std::string> fives{records[3].nomDuJoueur.utf8(), records[4].nomDuJoueur.utf8()};
    EXPECT_EQ(fives, (std::set<std::string>{"Tous flippers", "Éloïse"}));
    EXPECT_EQ(m.rt.mediaEndTime, clock.now() + kRankingStepMs);
    EXPECT_TRUE(m.records.rankingShowing);

    // With nothing new, a later ranking step leaves the file unsorted.
    m.hooks.media->FinirEtapeMedia(m);
    std::vector<FicheJoueur> late(1);
    late[0].score = 999;
    EcrireFichesJoueurs(playersFileInUse(m), late, true, 0, 1);
    untilRankingStarts();
    EXPECT_EQ(file().back().score, 999u);
}

TEST_F(PlayerRecords, AFailedSaveKeepsTheMachineGoingAndTheFileAsItWas) {
    std::filesystem::remove(playersFileInUse(m));
    std::filesystem::create_directory(playersFileInUse(m)); // cannot be written as a file
    beginContestRecord(m, 1);
    m.records.buffers[0].nomDuJoueur.setUtf8("Bob");
    gameEnds({10});
    EXPECT_TRUE(std::filesystem::is_directory(playersFileInUse(m)));
    untilRankingStarts(); // the sort finds no file: the step goes on
    EXPECT_TRUE(m.rt.mediaStepStarted);
}
