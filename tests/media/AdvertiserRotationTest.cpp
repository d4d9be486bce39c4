// The advertisers' rotation on real files: the default file, the count written back, the wrap to
// the first advertiser, local pictures in the overlay, the browser, and damaged files and names.
#include "media/AdvertiserRotation.h"
#include "config/Advertisers.h"

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

namespace pinstage {
namespace {

namespace fs = std::filesystem;

struct FakeScreen : AdScreen {
    bool overlay = true;
    std::vector<fs::path> loaded;
    int shows = 0;
    int pointerShows = 0;
    bool overlayExists() const override { return overlay; }
    bool loadOverlayPicture(const fs::path& file) override {
        loaded.push_back(file);
        return fs::exists(file);
    }
    void showOverlay() override { ++shows; }
    void showPointer() override { ++pointerShows; }
};

struct FakeBrowser : AdBrowser {
    std::vector<std::string> addresses;
    bool exists() const override { return true; }
    bool visible() const override { return true; }
    void showAddress(const std::string& a) override { addresses.push_back(a); }
    AdRect rectangle() const override { return {10, 20, 300, 400}; }
};

class AdvertiserRotationTest : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("pinstage-adrot-" + std::to_string(::getpid()));
    DataRoot root{dir};
    std::vector<std::string> journal;
    FakeScreen screen;
    static constexpr uint32_t kStart = 1000;

    void SetUp() override { root.ensureDirectories(); }
    void TearDown() override { fs::remove_all(dir); }

    AdvertiserRotation rotation() {
        return AdvertiserRotation(
            root, 0, kStart, MediaJournal{[this](uint32_t, const std::string& t) { journal.push_back(t); }});
    }
    std::vector<FicheAnnonceur> records() {
        fs::path f = advertisersFile(root, 0);
        int n = 0;
        LireAnnonceurs(f, {}, 0, 0, &n);
        std::vector<FicheAnnonceur> out(static_cast<size_t>(n));
        LireAnnonceurs(f, out, 0, n);
        return out;
    }
    void writeLocal(int count, const std::string& picture, int onAir, int32_t onScreen) {
        std::vector<FicheAnnonceur> fiches(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) {
            fiches[size_t(i)].typeAnnonce = 0;
            fiches[size_t(i)].adresseConnection.setUtf8(picture);
            fiches[size_t(i)].dureeMiniDiffusion = 15000;
            fiches[size_t(i)].enDiffusion = i == onAir ? 1 : 0;
            fiches[size_t(i)].tempsAffichage = i == onAir ? onScreen : 0;
            fiches[size_t(i)].debutDiffusion = kStart + 1;
        }
        fs::remove(advertisersFile(root, 0));
        EcrireAnnonceurs(advertisersFile(root, 0), fiches, false, 0, count);
    }
};

TEST_F(AdvertiserRotationTest, DefaultFileShowsAdvertiserZeroThenCountsItsShowingAndMovesOn) {
    CreerAnnonceursDefaut(root, 0);
    auto rot = rotation();
    // Within the first 10 s nothing happens; then advertiser 0 goes on air, its stored start tick 0
    // (from before this program started) counting as now rather than as 11 s on screen.
    rot.DiffusionAnnonceurs(9000, nullptr, screen);
    EXPECT_EQ(rot.shownIndex(), -1);
    rot.DiffusionAnnonceurs(11001, nullptr, screen);
    EXPECT_EQ(rot.shownIndex(), 0);
    EXPECT_EQ(screen.pointerShows, 1); // an internet advertiser, even without a browser
    auto r = records();
    ASSERT_EQ(r.size(), 19u);
    EXPECT_EQ(r[0].debutDiffusion, 11001u);
    EXPECT_EQ(r[0].tempsAffichage, 0);
    EXPECT_EQ(r[0].diffusionsEffectives, 0);

    rot.DiffusionAnnonceurs(21001, nullptr, screen); // exactly 10 s: not yet a check
    EXPECT_EQ(records()[0].tempsAffichage, 0);
    rot.DiffusionAnnonceurs(21002, nullptr, screen);
    EXPECT_EQ(records()[0].tempsAffichage, 10001);
    rot.DiffusionAnnonceurs(31003, nullptr, screen);
    EXPECT_EQ(records()[0].tempsAffichage, 20002);
    EXPECT_EQ(rot.shownIndex(), 0);
    // The stored time on screen now exceeds the 15 s minimum: one showing counted, 1 on air.
    rot.DiffusionAnnonceurs(41004, nullptr, screen);
    r = records();
    EXPECT_EQ(rot.shownIndex(), 1);
    EXPECT_EQ(r[0].diffusionsEffectives, 1);
    EXPECT_EQ(r[0].enDiffusion, 0);
    EXPECT_EQ(r[0].tempsAffichage, 0);
    EXPECT_EQ(r[0].dateDerniereDiffusion.utf8().size(), 19u); // dd/mm/yyyy hh:mm:ss
    EXPECT_EQ(r[1].enDiffusion, 1);
    EXPECT_EQ(r[1].debutDiffusion, 41004u);
    EXPECT_EQ(r[1].diffusionsEffectives, 0);
    EXPECT_EQ(screen.pointerShows, 1); // once only
    EXPECT_EQ(journal, (std::vector<std::string>{"media advertiser 0 on air", "media advertiser 0 shown",
                                                 "media advertiser 1 on air"}));
}

TEST_F(AdvertiserRotationTest, LastLocalAdvertiserWrapsToTheFirstAndItsPictureGoesToTheOverlay) {
    writeLocal(3, "ad.bmp", 2, 16000);
    std::ofstream(root.file(DataDir::PubImages, "ad.bmp")) << "x";
    auto rot = rotation();
    rot.DiffusionAnnonceurs(20000, nullptr, screen);
    auto r = records();
    EXPECT_EQ(rot.shownIndex(), 0);
    EXPECT_EQ(r[2].diffusionsEffectives, 1);
    EXPECT_EQ(r[2].enDiffusion, 0);
    EXPECT_EQ(r[0].enDiffusion, 1);
    EXPECT_EQ(r[0].debutDiffusion, 20000u);
    ASSERT_EQ(screen.loaded.size(), 1u);
    EXPECT_EQ(screen.loaded[0], root.file(DataDir::PubImages, "ad.bmp"));
    EXPECT_EQ(screen.shows, 1);
    EXPECT_EQ(screen.pointerShows, 0);

    // A single advertiser follows itself: counted again, back on air with a new start.
    writeLocal(1, "ad.bmp", 0, 15001);
    auto one = rotation();
    one.DiffusionAnnonceurs(20000, nullptr, screen);
    r = records();
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].diffusionsEffectives, 1);
    EXPECT_EQ(r[0].enDiffusion, 1);
    EXPECT_EQ(r[0].debutDiffusion, 20000u);
}

TEST_F(AdvertiserRotationTest, BrowserGetsTheAddressAndNavigationIsTakenAtTheNextPass) {
    CreerAnnonceursDefaut(root, 0);
    FakeBrowser browser;
    auto rot = rotation();
    rot.DiffusionAnnonceurs(11001, &browser, screen);
    ASSERT_EQ(browser.addresses.size(), 1u);
    EXPECT_EQ(browser.addresses[0], records()[0].adresseConnection.utf8());
    EXPECT_TRUE(rot.navigatePending());
    rot.DiffusionAnnonceurs(11002, &browser, screen); // pending: no 10 s wait
    EXPECT_FALSE(rot.navigatePending());
    EXPECT_EQ(browser.addresses.size(), 2u);
    rot.DiffusionAnnonceurs(11003, &browser, screen);
    EXPECT_EQ(browser.addresses.size(), 2u);
}

TEST_F(AdvertiserRotationTest, DamagedFilesAndPictureNamesWithAPathLeaveTheRotationIdle) {
    auto rot = rotation();
    const fs::path file = advertisersFile(root, 0);
    // No file, an empty file, a file with a partial record: nothing read, nothing written.
    rot.DiffusionAnnonceurs(20000, nullptr, screen);
    EXPECT_FALSE(fs::exists(file));
    std::ofstream(file, std::ios::binary).close();
    rot.DiffusionAnnonceurs(40000, nullptr, screen);
    EXPECT_EQ(fs::file_size(file), 0u);
    writeLocal(2, "ad.bmp", 0, 0);
    std::ofstream(file, std::ios::binary | std::ios::app) << std::string(50, 'z');
    const auto before = fs::last_write_time(file);
    rot.DiffusionAnnonceurs(60000, nullptr, screen);
    EXPECT_EQ(fs::file_size(file), 2 * kFicheAnnonceurSize + 50);
    EXPECT_EQ(fs::last_write_time(file), before);
    // A file of more advertisers than a machine can show is not read at all.
    fs::resize_file(file, (kMaxAdvertisers + 1) * kFicheAnnonceurSize);
    rot.DiffusionAnnonceurs(70000, nullptr, screen);
    EXPECT_EQ(fs::file_size(file), (kMaxAdvertisers + 1) * kFicheAnnonceurSize);
    EXPECT_EQ(rot.shownIndex(), -1);
    EXPECT_TRUE(journal.empty());

    // Picture names reaching outside the pictures' directory are never loaded; the counting goes on.
    for (const char* name : {"../../secret.bmp", "/etc/passwd", "c:\\x.bmp", "..", ""}) {
        SCOPED_TRACE(name);
        writeLocal(1, name, 0, 0);
        journal.clear();
        auto r2 = rotation();
        r2.DiffusionAnnonceurs(80000, nullptr, screen);
        EXPECT_EQ(r2.shownIndex(), 0);
        EXPECT_TRUE(screen.loaded.empty());
        EXPECT_EQ(journal.back(), "media advertiser 0 picture refused");
    }
    // A start tick ahead of now is a start now, not a showing of four billion milliseconds.
    writeLocal(1, "ad.bmp", 0, 0);
    std::vector<FicheAnnonceur> f(1);
    LireAnnonceurs(file, f, 0, 1);
    f[0].debutDiffusion = 95000;
    EcrireAnnonceurs(file, f, false, 0, 1);
    auto r3 = rotation();
    r3.DiffusionAnnonceurs(90000, nullptr, screen);
    EXPECT_EQ(records()[0].tempsAffichage, 0);
    EXPECT_EQ(records()[0].debutDiffusion, 90000u);
}

} // namespace
} // namespace pinstage
