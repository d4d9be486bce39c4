// The sounds page: the grid and its typing rules, the TEST buttons on the dashboard's timer, the
// WAV chooser with the save and reload it starts, restore defaults and the help picture.
#include "DashboardFixture.h"

#include "config/FileNames.h"
#include "config/SoundParams.h"
#include "dashboard/PictureHelpWindow.h"
#include "dashboard/SoundGridRules.h"
#include "dashboard/SoundsPage.h"
#include "sound/DefaultSoundNames.h"
#include "sound/RecordingSoundEngine.h"
#include "sound/SoundParamsSaver.h"
#include "sound/SoundSystem.h"
#include "sound/WavWriter.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <fstream>

namespace pinstage::test {

namespace {
void writeSilentWav(const std::filesystem::path& path) {
    std::vector<int16_t> samples(441, 0);
    auto image = encodeWav16(22050, 1, samples);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
}
} // namespace

class SoundsPageTest : public DashboardTest {
protected:
    RecordingSoundEngine engine;
    std::unique_ptr<SoundSystem> sound;
    int chooserCalls = 0;
    QString chooserTitle, chooserDir, chosenPath;

    // A sounds directory holding every default file, a loaded sound system, page 3 on show.
    void open() {
        std::filesystem::path sons = m->root.dir(DataDir::Sons);
        for (const std::string& name : defaultSoundFiles())
            writeSilentWav(sons / name);
        sound = std::make_unique<SoundSystem>(engine, m->params.sounds, sons,
                                              soundParamsSaver(m->root, 0, m->params.sounds));
        sound->initSound();
        sound->loadSounds();
        m->sound = sound.get();
        makeDashboard();
        page()->setFileChooser([this](QWidget*, const QString& title, const QString& dir) {
            ++chooserCalls;
            chooserTitle = title;
            chooserDir = dir;
            return chosenPath;
        });
        dash->showPage(TTableauDeBord::kSoundsPage);
        engine.clearCalls();
    }
    void TearDown() override {
        DashboardTest::TearDown();
        if (m)
            m->sound = nullptr;
    }
    SoundsPage* page() const { return dash->soundsPage(); }
    DashGrid* grid() const { return page()->grid(); }
    std::filesystem::path file() const { return configFile(root(), kSoundsFileName, 0); }
    SoundsRecord stored() const {
        SoundsRecord r = defaultSoundParams(m->params.contacts);
        loadSoundParams(file(), r);
        return r;
    }
    const SoundEntry& entry(int i) const { return m->params.sounds.entries[size_t(i)]; }
};

TEST(SoundGridRules, TypedNumbersAndChosenNames) {
    auto kind = [](const char* t) { return typedSoundNumber(t).kind; };
    EXPECT_EQ(typedSoundNumber("0").value, 0);
    EXPECT_EQ(typedSoundNumber("63").value, 63);
    EXPECT_EQ(typedSoundNumber(" 7 ").value, 7);
    EXPECT_EQ(kind("+7"), TypedSoundNumber::Accepted);
    for (const char* silenced : {"", "64", "-5", "-0", "100", "007"}) {
        EXPECT_EQ(kind(silenced), TypedSoundNumber::Silenced) << silenced;
        EXPECT_EQ(typedSoundNumber(silenced).value, kNoSound) << silenced;
    }
    for (const char* notNumber : {"x", "1a", "-", "abc", "5 5", "²"})
        EXPECT_EQ(kind(notNumber), TypedSoundNumber::NotANumber) << notNumber;
    EXPECT_EQ(bareFileName("C:\\sons\\neuf\\cloche.wav"), "cloche.wav");
    EXPECT_EQ(bareFileName("/home/op/cloche.wav"), "cloche.wav");
    EXPECT_EQ(bareFileName("/home/op/"), "");
    EXPECT_FALSE(chosenSoundFileProblem(std::string(21, 'a') + ".wav").empty()); // 25 characters
    EXPECT_TRUE(chosenSoundFileProblem(std::string(20, 'a') + ".wav").empty());
    EXPECT_TRUE(chosenSoundFileProblem("vingt-quatre_cars_é.wav").empty());
    EXPECT_FALSE(chosenSoundFileProblem("son_日本.wav").empty());
    EXPECT_EQ(testSoundOfRow(64), 63);
    EXPECT_EQ(testSoundOfRow(65), -1);
    EXPECT_EQ(soundEntryOfRow(95), 94);
    EXPECT_EQ(soundEntryOfRow(96), -1);
}

TEST_F(SoundsPageTest, GridShowsTheTableAndTakesWhatIsTyped) {
    open();
    ASSERT_EQ(grid()->columnCount(), 5);
    ASSERT_EQ(grid()->rowCount(), 96);
    EXPECT_EQ(grid()->text(0, 0), QString::fromUtf8("Numéro du Son"));
    EXPECT_EQ(grid()->text(1, 0), "Nom du fichier son (format .wav)");
    EXPECT_EQ(grid()->text(2, 0), "");
    EXPECT_EQ(grid()->text(3, 0), QString::fromUtf8("Fonction de jeu sonorisée"));
    EXPECT_EQ(grid()->text(4, 0), QString::fromUtf8("N°de son pour cette fonction"));
    EXPECT_EQ(grid()->text(0, 1), "0");
    EXPECT_EQ(grid()->text(1, 1), "rouleau.wav");
    EXPECT_EQ(grid()->text(3, 1), "son bobine rouleau");
    EXPECT_EQ(grid()->text(4, 1), "0");
    EXPECT_EQ(grid()->text(4, 13), "255"); // function 12, "inutilisé"
    EXPECT_EQ(grid()->text(1, 50), "Cloche_flipper.wav");
    EXPECT_EQ(grid()->text(4, 60), "30"); // function 59, strobe 3 return 4
    EXPECT_EQ(grid()->text(0, 95), "94");
    for (int row = 1; row <= 64; ++row)
        ASSERT_EQ(grid()->text(2, row), "TEST") << row;
    for (int row = 65; row <= 95; ++row) {
        ASSERT_EQ(grid()->text(2, row), "") << row;
        ASSERT_FALSE(grid()->cellEditable(1, row)) << row;
        ASSERT_TRUE(grid()->cellEditable(4, row)) << row;
    }
    EXPECT_FALSE(grid()->cellEditable(3, 5));
    EXPECT_FALSE(grid()->cellEditable(2, 5));
    EXPECT_FALSE(grid()->cellEditable(0, 5));

    // Column 4: 0-63 taken; 64, a negative number, a longer text or nothing silence the function.
    typeIntoCell(grid(), 4, 6, "64");
    EXPECT_EQ(grid()->text(4, 6), "");
    EXPECT_EQ(entry(5).soundNumber, kNoSound);
    typeIntoCell(grid(), 4, 6, "12");
    EXPECT_EQ(entry(5).soundNumber, 12);
    typeIntoCell(grid(), 4, 70, "63");
    EXPECT_EQ(entry(69).soundNumber, 63);
    typeIntoCell(grid(), 4, 7, "-5");
    EXPECT_EQ(grid()->text(4, 7), "");
    EXPECT_EQ(entry(6).soundNumber, kNoSound);
    // Not a number: a French message, the old value kept in the cell and the table.
    typeIntoCell(grid(), 4, 6, "x");
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_TRUE(ui.errors[0].contains(QString::fromUtf8("n'est pas un nombre entier")))
        << ui.errors[0].toStdString();
    EXPECT_EQ(entry(5).soundNumber, 12);
    EXPECT_EQ(grid()->text(4, 6), "12");

    // Column 1: 1 to 20 characters; otherwise the cell empties and the table keeps its name.
    typeIntoCell(grid(), 1, 3, "vingt_et_un_cars.wav_"); // 21
    EXPECT_EQ(grid()->text(1, 3), "");
    EXPECT_EQ(entry(2).fileName.utf8(), "merci.wav");
    typeIntoCell(grid(), 1, 3, QString::fromUtf8("éclat_de_rire_20.wav"));
    EXPECT_EQ(entry(2).fileName.utf8(), "éclat_de_rire_20.wav");
    EXPECT_TRUE(engine.calls().empty()); // typing reloads nothing

    // "Enregistrer" writes what was typed and reloads the sound system; the missing file falls
    // back to its default name, which the grid then shows.
    QTest::mouseClick(dash->saveButton(), Qt::LeftButton);
    EXPECT_TRUE(ui.errors.size() == 1u);
    SoundsRecord r = stored();
    EXPECT_EQ(r.entries[5].soundNumber, 12);
    EXPECT_EQ(r.entries[6].soundNumber, kNoSound);
    EXPECT_EQ(r.entries[69].soundNumber, 63);
    EXPECT_EQ(r.entries[2].fileName.utf8(), "merci.wav");
    EXPECT_EQ(grid()->text(1, 3), "merci.wav");
    ASSERT_GE(engine.calls().size(), 2u);
    EXPECT_EQ(engine.calls()[0].call, RecordingSoundEngine::Call::Close);
    EXPECT_EQ(engine.calls()[1].call, RecordingSoundEngine::Call::Open);
    EXPECT_TRUE(engine.hasBuffer(63));
}

TEST_F(SoundsPageTest, TestButtonsPlayOnceOnTheTimerAndTurnBack) {
    open();
    clickCell(grid(), 2, 4); // sound 3
    EXPECT_EQ(grid()->text(2, 4), "PLAY");
    EXPECT_EQ(page()->testState().lastRow, 4);
    EXPECT_EQ(engine.playCount(3), 0); // the timer plays it
    ticks(1, 40);
    EXPECT_EQ(engine.playCount(3), 1);
    EXPECT_EQ(engine.calls().back(),
              (RecordingSoundEngine::Record{RecordingSoundEngine::Call::Play, 3, false, 0}));
    ticks(7, 40); // 280 ms
    EXPECT_EQ(grid()->text(2, 4), "PLAY");
    clock.advance(20);
    dash->tick(); // exactly 300 ms: not yet
    EXPECT_EQ(grid()->text(2, 4), "PLAY");
    clock.advance(1);
    dash->tick();
    EXPECT_EQ(grid()->text(2, 4), "TEST");
    EXPECT_EQ(page()->testState().lastRow, 0);
    EXPECT_EQ(engine.playCount(3), 1);

    // The next test stops what this page started before playing its own sound.
    engine.clearCalls();
    clickCell(grid(), 2, 11); // sound 10
    ticks(1, 40);
    ASSERT_EQ(engine.calls().size(), 2u);
    EXPECT_EQ(engine.calls()[0],
              (RecordingSoundEngine::Record{RecordingSoundEngine::Call::Stop, 3, false, 0}));
    EXPECT_EQ(engine.calls()[1],
              (RecordingSoundEngine::Record{RecordingSoundEngine::Call::Play, 10, false, 0}));

    // Rows 65-95: no button, no file dialog; the tick works on any page.
    engine.clearCalls();
    grid()->scrollToItem(grid()->cell(2, 80));
    clickCell(grid(), 2, 80);
    clickCell(grid(), 1, 80);
    dash->showPage(TTableauDeBord::kAccountingPage);
    ticks(10, 40);
    EXPECT_EQ(engine.playCount(79), 0);
    EXPECT_EQ(chooserCalls, 0);
    EXPECT_EQ(grid()->text(2, 11), "TEST");
}

TEST_F(SoundsPageTest, ChosenFileIsKeptBareSavedAndReloaded) {
    open();
    std::filesystem::path sons = m->root.dir(DataDir::Sons);
    writeSilentWav(sons / "cloche.wav");
    auto before = snapshotFiles(datas());

    chosenPath = ""; // cancelled
    clickCell(grid(), 1, 8);
    EXPECT_EQ(chooserCalls, 1);
    EXPECT_EQ(chooserTitle, QString::fromUtf8("Sélection du fichier Wav utilisé pour le son numéro 7"));
    EXPECT_EQ(chooserDir.toStdString(), sons.string());
    chosenPath = "C:\\ailleurs\\un_nom_bien_trop_long_pour_la_case.wav";
    clickCell(grid(), 1, 8);
    EXPECT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(snapshotFiles(datas()), before);
    EXPECT_TRUE(engine.calls().empty());
    EXPECT_EQ(entry(7).fileName.utf8(), "catherinetta.wav");

    // A file of the sounds directory, named with its folders: the bare name is stored, saved at
    // once, the sound system reloaded, the mouse let go.
    chosenPath = QString::fromStdString((sons / "cloche.wav").string());
    clickCell(grid(), 1, 8);
    EXPECT_EQ(grid()->text(1, 8), "cloche.wav");
    EXPECT_EQ(stored().entries[7].fileName.utf8(), "cloche.wav");
    EXPECT_EQ(engine.calls().front().call, RecordingSoundEngine::Call::Close);
    ASSERT_FALSE(ui.confinements.empty());
    EXPECT_EQ(ui.confinements.back(), std::nullopt);

    // A file from elsewhere: stored bare, then the reload finds no such file in the sounds
    // directory and falls back to the sound's default, rewriting the table and the file.
    chosenPath = "/media/clef/ailleurs.wav";
    clickCell(grid(), 1, 8);
    EXPECT_EQ(entry(7).fileName.utf8(), "catherinetta.wav");
    EXPECT_EQ(stored().entries[7].fileName.utf8(), "catherinetta.wav");
    EXPECT_EQ(grid()->text(1, 8), "catherinetta.wav");
    EXPECT_EQ(ui.errors.size(), 1u);
}

TEST_F(SoundsPageTest, RestoreDefaultsWithoutTheCopyRecreatesBothFiles) {
    open();
    std::filesystem::path copy = configFile(root(), kSoundsDefaultCopyName, 0);
    std::filesystem::remove(copy);
    typeIntoCell(grid(), 4, 2, "40");
    typeIntoCell(grid(), 1, 1, "autre.wav");
    QTest::mouseClick(dash->saveButton(), Qt::LeftButton); // autre.wav is missing: back to rouleau.wav
    typeIntoCell(grid(), 4, 2, "41");
    m->params.sounds.entries[30].label.setUtf8("renommée");
    ASSERT_EQ(stored().entries[1].soundNumber, 40);
    engine.clearCalls();

    QTest::mouseClick(page()->restoreButton(), Qt::LeftButton);
    EXPECT_TRUE(ui.errors.empty());
    ASSERT_TRUE(std::filesystem::exists(copy));
    auto defaults = encodeSoundParams(defaultSoundParams(m->params.contacts));
    EXPECT_EQ(fileBytes(copy), defaults);
    EXPECT_EQ(fileBytes(file()), defaults);
    EXPECT_EQ(encodeSoundParams(m->params.sounds), defaults);
    EXPECT_EQ(grid()->text(4, 2), "1");
    EXPECT_EQ(grid()->text(3, 31), "Musique de fonds");
    EXPECT_EQ(grid()->text(1, 1), "rouleau.wav");
    EXPECT_EQ(engine.calls().front().call, RecordingSoundEngine::Call::Close); // reloaded

    // With the copy present, it is the copy that comes back.
    SoundsRecord custom = defaultSoundParams(m->params.contacts);
    custom.entries[4].soundNumber = 17;
    saveSoundParams(copy, custom);
    QTest::mouseClick(page()->restoreButton(), Qt::LeftButton);
    EXPECT_EQ(grid()->text(4, 5), "17");
    EXPECT_EQ(stored().entries[4].soundNumber, 17);
}

TEST_F(SoundsPageTest, HelpShowsTheBitmapElseTheJpeg) {
    open();
    std::filesystem::path images = m->root.dir(DataDir::Images);
    QString caption;
    QSize picture;
    int shown = 0;
    page()->setModalRunner([&](QDialog& window) {
        ++shown;
        caption = window.windowTitle();
        picture = static_cast<PictureHelpWindow&>(window).pictureLabel()->pixmap().size();
        static_cast<PictureHelpWindow&>(window).closeButton()->click();
        EXPECT_EQ(window.result(), QDialog::Accepted);
    });
    QImage bmp(300, 200, QImage::Format_RGB32);
    bmp.fill(Qt::white);
    ASSERT_TRUE(bmp.save(QString::fromStdString((images / "modemploison.bmp").string()), "BMP"));
    QImage jpg(200, 120, QImage::Format_RGB32);
    jpg.fill(Qt::gray);
    ASSERT_TRUE(jpg.save(QString::fromStdString((images / "modemploison.jpg").string()), "JPG"));

    QTest::mouseClick(page()->helpButton(), Qt::LeftButton);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(caption, QString::fromUtf8("Mode d'emploi du paramétrage des sons"));
    EXPECT_EQ(picture, QSize(300, 200));

    // A bitmap that does not load: the JPEG.
    std::ofstream(images / "modemploison.bmp", std::ios::trunc) << "pas une image";
    QTest::mouseClick(page()->helpButton(), Qt::LeftButton);
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(picture, QSize(200, 120));

    std::filesystem::remove(images / "modemploison.jpg");
    QTest::mouseClick(page()->helpButton(), Qt::LeftButton);
    EXPECT_EQ(shown, 2);
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_TRUE(ui.errors[0].contains("modemploison.bmp"));
}

} // namespace pinstage::test
