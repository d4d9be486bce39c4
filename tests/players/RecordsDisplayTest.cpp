// The records display's rules: the photo rectangles and their drift, the ranking pages with their
// captions and default photos, the photo paths a record may name, and the photos' pixels.
#include "players/RecordsDisplay.h"
#include "platform/FileIo.h"
#include "players/RecordsPhotos.h"

#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <unistd.h>

using namespace pinstage;
namespace fs = std::filesystem;

namespace {

// A data root with the photo directory and a records file made of the given records.
class RankingRoot : public ::testing::Test {
protected:
    RankingRoot()
        : dir_(fs::temp_directory_path() / ("pinstage-ranking-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name())),
          root_(dir_) {
        fs::remove_all(dir_);
        root_.ensureDirectories();
        file_ = playersFile(root_, 0);
    }
    ~RankingRoot() override { fs::remove_all(dir_); }

    void photo(const std::string& name) {
        QImage img(kPhotoWidth, kPhotoHeight, QImage::Format_RGB32);
        img.fill(Qt::darkGreen);
        ASSERT_TRUE(img.save(QString::fromStdString(root_.file(DataDir::Photos, name).string()), "BMP"));
    }
    // Records 0..n-1, record k naming photo "pk.bmp" as the original machine stored it.
    void records(int n) {
        std::vector<FicheJoueur> all(static_cast<size_t>(n));
        for (int k = 0; k < n; ++k)
            all[size_t(k)].cheminPhoto.setUtf8(
                "c:\\Dodu_Test_Logiciel_Lumiscope\\bases de donnees\\Photos\\p" + std::to_string(k) + ".bmp");
        all[0].idClassement = -1;
        EcrireFichesJoueurs(file_, all, true, 0, n);
    }
    // The page from first, loading what exists; the files asked for, in order.
    std::array<RankingSlot, kRankingSlots> page(int first) {
        asked.clear();
        return fillRankingPage(root_, file_, first, [this](int slot, const fs::path& f) {
            asked.push_back(std::to_string(slot) + ":" + f.filename().string());
            return fs::exists(f);
        });
    }

    fs::path dir_;
    DataRoot root_;
    fs::path file_;
    std::vector<std::string> asked;
};

using Kind = RankingSlot::Kind;

} // namespace

TEST(PhotoRectangles, LaidOutInRowsAndBouncingAtTheScreenEdges) {
    auto rects = InitialiserRectanglesClassement();
    const int corners[7][2] = {{10, 50}, {345, 50}, {680, 50}, {10, 340}, {345, 340}, {680, 340}, {10, 630}};
    for (size_t k = 0; k < rects.size(); ++k) {
        EXPECT_EQ(rects[k].left, corners[k][0]) << k;
        EXPECT_EQ(rects[k].top, corners[k][1]) << k;
        EXPECT_EQ(rects[k].right - rects[k].left, 320) << k;
        EXPECT_EQ(rects[k].bottom - rects[k].top, 240) << k;
        EXPECT_FALSE(rects[k].rightward || rects[k].downward) << k;
    }
    // All flags start false: up and left, one pixel a frame, until an edge turns it back.
    PhotoRect r = rects[0];
    bouncePhotoRect(r, 1920, 1080);
    EXPECT_EQ(r.left, 9);
    EXPECT_EQ(r.top, 49);
    for (int f = 0; f < 9; ++f)
        bouncePhotoRect(r, 1920, 1080);
    EXPECT_EQ(r.left, 0); // reached 0: the next frame moves back inwards
    bouncePhotoRect(r, 1920, 1080);
    EXPECT_EQ(r.left, 1);
    EXPECT_TRUE(r.rightward);
    EXPECT_EQ(r.top, 39);

    PhotoRect edge{1600, 840, 1920, 1080, true, true}; // touching the right and bottom edges
    bouncePhotoRect(edge, 1920, 1080);
    EXPECT_EQ(edge.left, 1599);
    EXPECT_EQ(edge.right, 1919);
    EXPECT_EQ(edge.top, 839);
    EXPECT_EQ(edge.bottom, 1079);
    EXPECT_FALSE(edge.rightward || edge.downward);
    PhotoRect inside{1598, 838, 1918, 1078, true, true}; // one short of the edges: keeps going
    bouncePhotoRect(inside, 1920, 1080);
    EXPECT_EQ(inside.left, 1599);
    EXPECT_EQ(inside.top, 839);
    // Rectangle 6 on a 768-high screen starts below the bottom edge and goes back up.
    PhotoRect low = rects[6];
    low.downward = true;
    bouncePhotoRect(low, 1360, 768);
    EXPECT_EQ(low.top, 629);
}

TEST(RankingPages, CaptionsAndPageNumbering) {
    EXPECT_EQ(rankingCaption(1), "Le Vainqueur");
    EXPECT_EQ(rankingCaption(2), "Numero 2");
    EXPECT_EQ(rankingCaption(7), "Numero 7");
    EXPECT_EQ(rankingCaption(30), "Numero 30");
    std::vector<int> firsts{1};
    for (int k = 0; k < 6; ++k)
        firsts.push_back(nextRankingPage(firsts.back()));
    EXPECT_EQ(firsts, (std::vector<int>{1, 7, 13, 19, 25, 1, 7}));
}

TEST_F(RankingRoot, SevenRecordsFillTheFirstPageAndLaterPagesShowUncaptionedDefaults) {
    records(7);
    for (int k = 1; k < 7; ++k)
        photo("p" + std::to_string(k) + ".bmp");
    photo(kDefaultPhotoName);
    auto first = page(1);
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(first[size_t(k)].kind, Kind::RecordPhoto) << k;
        EXPECT_EQ(first[size_t(k)].place, k + 1);
        EXPECT_EQ(first[size_t(k)].caption, rankingCaption(k + 1));
    }
    EXPECT_EQ(asked.front(), "0:p1.bmp");
    auto second = page(7);
    for (const RankingSlot& s : second) {
        EXPECT_EQ(s.kind, Kind::DefaultPhoto);
        EXPECT_TRUE(s.caption.empty());
    }
    EXPECT_EQ(asked.size(), 6u); // only the default photo was asked for
}

TEST_F(RankingRoot, AMissingPhotoShowsTheDefaultAndAMissingDefaultEndsThePage) {
    records(4); // places 1-3
    photo("p1.bmp");
    photo("p3.bmp"); // p2 is missing
    photo(kDefaultPhotoName);
    auto p = page(1);
    EXPECT_EQ(p[0].kind, Kind::RecordPhoto);
    EXPECT_EQ(p[1].kind, Kind::DefaultPhoto);
    EXPECT_TRUE(p[1].caption.empty());
    EXPECT_EQ(p[2].kind, Kind::RecordPhoto);
    EXPECT_EQ(p[2].caption, "Numero 3");
    EXPECT_EQ(p[3].kind, Kind::DefaultPhoto);

    fs::remove(root_.file(DataDir::Photos, kDefaultPhotoName));
    p = page(1);
    EXPECT_EQ(p[0].kind, Kind::RecordPhoto);
    for (size_t k = 1; k < 6; ++k)
        EXPECT_EQ(p[k].kind, Kind::Empty) << k; // slot 1 failed twice: it and the rest stay empty
    EXPECT_EQ(asked, (std::vector<std::string>{"0:p1.bmp", "1:p2.bmp", "1:PhotoDefaut.bmp"}));
}

TEST_F(RankingRoot, FilesOfZeroAndOneHundredBytesAndNoFileHoldNoRecords) {
    photo(kDefaultPhotoName);
    photo("p1.bmp");
    for (size_t size : {size_t(0), size_t(100)}) {
        ASSERT_TRUE(writeFileAtomically(file_, std::vector<uint8_t>(size, 0x41)));
        for (const RankingSlot& s : page(1)) {
            EXPECT_EQ(s.kind, Kind::DefaultPhoto) << size;
            EXPECT_TRUE(s.caption.empty()) << size;
        }
    }
    fs::remove(file_);
    for (const RankingSlot& s : page(1))
        EXPECT_EQ(s.kind, Kind::DefaultPhoto);
}

TEST_F(RankingRoot, OnlyBitmapsInsideThePhotoDirectoryAreLoaded) {
    auto stored = [&](const std::string& path) {
        FicheJoueur f;
        f.cheminPhoto.setUtf8(path);
        return recordPhotoFile(root_, f);
    };
    EXPECT_EQ(stored("bases de donnees/Photos/bas1.bmp"),
              fs::weakly_canonical(root_.file(DataDir::Photos, "bas1.bmp")));
    EXPECT_EQ(
        stored("C:\\Dodu_Test_Logiciel_Lumiscope\\bases de donnees\\Photos\\Joueur-1_06122026050000.bmp"),
        fs::weakly_canonical(root_.file(DataDir::Photos, "Joueur-1_06122026050000.bmp")));
    EXPECT_FALSE(stored("/etc/passwd"));
    EXPECT_FALSE(stored("bases de donnees/Photos/../../fichiers datas/Réglages0.fli"));
    EXPECT_FALSE(stored("bases de donnees/Photos/../../../outside.bmp"));
    EXPECT_FALSE(stored("fichiers images/ospentacle1360.bmp"));
    EXPECT_FALSE(stored(""));

    // A record naming a file outside the photo directory shows the default photo, uncaptioned.
    photo(kDefaultPhotoName);
    std::vector<FicheJoueur> two(2);
    two[1].cheminPhoto.setUtf8(root_.file(DataDir::Images, "choix0.bmp").string());
    EcrireFichesJoueurs(file_, two, true, 0, 2);
    auto p = page(1);
    EXPECT_EQ(p[0].kind, Kind::DefaultPhoto);
    EXPECT_EQ(asked.front(), "0:PhotoDefaut.bmp");
}

TEST(SlideshowNames, FifteenNamesDrawnFromTheSeed) {
    std::minstd_rand random(7);
    std::set<std::string> seen;
    for (int k = 0; k < 500; ++k) {
        std::string name = slideshowPhotoName(random);
        ASSERT_EQ(name.size(), std::string("0_photo-0.bmp").size()) << name;
        EXPECT_TRUE(name[0] >= '0' && name[0] <= '2') << name;
        EXPECT_EQ(name.substr(1, 7), "_photo-");
        EXPECT_TRUE(name[8] >= '0' && name[8] <= '4') << name;
        seen.insert(name);
    }
    EXPECT_EQ(seen.size(), 15u);
    std::minstd_rand a(3), b(3);
    EXPECT_EQ(slideshowPhotoName(a), slideshowPhotoName(b));
}

TEST_F(RankingRoot, PhotosAreScaledCaptionedInRedAndDrawnClippedAtTheirRectangles) {
    QImage big(640, 480, QImage::Format_RGB32);
    big.fill(QColor(0, 0, 200));
    const fs::path bigFile = root_.file(DataDir::Photos, "big.bmp");
    ASSERT_TRUE(big.save(QString::fromStdString(bigFile.string()), "BMP"));
    RecordsPhotos photos;
    EXPECT_FALSE(photos.load(0, root_.file(DataDir::Photos, "none.bmp")));
    EXPECT_FALSE(photos.loaded(0));
    ASSERT_TRUE(photos.load(0, bigFile));
    EXPECT_EQ(photos.photo(0).size(), QSize(320, 240));
    EXPECT_FALSE(photos.load(7, bigFile));

    photos.caption(0, "Le Vainqueur");
    auto reddish = [](QRgb c) {
        return qRed(c) > 200 && qGreen(c) > 40 && qGreen(c) < 130 && qBlue(c) < 100;
    };
    int red = 0, redAbove = 0;
    const QImage& shown = photos.photo(0);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            if (reddish(shown.pixel(x, y)))
                (y >= 205 ? red : redAbove)++;
    EXPECT_GT(red, 100);
    EXPECT_EQ(redAbove, 0);

    QImage target(1000, 600, QImage::Format_RGB32);
    target.fill(Qt::black);
    std::array<PhotoRect, kPhotoRectCount> rects = InitialiserRectanglesClassement();
    rects[0] = PhotoRect{800, 500, 1120, 740, false, false}; // partly outside
    QRegion drawn = photos.draw(target, rects, 0, 6);
    EXPECT_EQ(drawn.boundingRect(), QRect(800, 500, 200, 100));
    EXPECT_EQ(target.pixel(810, 510), qRgb(0, 0, 200));
    EXPECT_EQ(target.pixel(799, 510), qRgb(0, 0, 0));
    EXPECT_TRUE(photos.draw(target, rects, 1, 6).isEmpty()); // nothing loaded there
}
