// The webcam and its capture form on the test camera, with a manual clock and frames produced on
// demand: the driver menu and its check mark, photos, the 4 s recording and the missing camera.
#include "platform/FileIo.h"
#include "players/Capture_window.h"
#include "players/TestCamera.h"
#include "players/WebcamStation.h"

#include <QMediaPlayer>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

using namespace pinstage;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

namespace {

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

class WebcamTest : public ::testing::Test {
protected:
    WebcamTest() : root(fs::temp_directory_path() / ("pinstage-webcam-" + std::to_string(::getpid()))) {
        fs::remove_all(root.root());
        root.ensureDirectories();
        dialogs.photoFile = [](QWidget*, const QString&) { return QString(); };
        dialogs.videoFile = [](QWidget*, const QString&) { return QString(); };
        dialogs.inform = [this](QWidget*, const QString& t) { informed << t; };
        dialogs.warn = [this](QWidget*, const QString& t) { warned << t; };
    }
    ~WebcamTest() override { fs::remove_all(root.root()); }

    // Two test cameras without timers, and an input that never opens when broken is set.
    CameraCatalogue twoCameras(bool withBroken = false) {
        return [this, withBroken] {
            std::vector<CameraEntry> list;
            for (QString name : {QStringLiteral("Caméra de test"), QStringLiteral("Caméra de test 2")})
                list.push_back({name, QStringLiteral("pinstage"),
                                [this, name] { return std::make_unique<TestCamera>(clock, name, false); }});
            if (withBroken)
                list.push_back(
                    {QStringLiteral("Débranchée"), QStringLiteral("usb-1"), [] { return nullptr; }});
            return list;
        };
    }
    TestCamera& camera(TWebCam& w) { return *dynamic_cast<TestCamera*>(w.device()); }
    void frames(TWebCam& w, int n) {
        for (int i = 0; i < n; ++i) {
            clock.advance(TestCamera::kFrameIntervalMs);
            camera(w).produceFrame();
        }
    }

    ManualClock clock{50000};
    DataRoot root;
    CaptureDialogs dialogs;
    QStringList informed, warned;
};

} // namespace

TEST_F(WebcamTest, TwoDriversTheFirstCheckedAndConnectedAClickMovesTheCheck) {
    WebcamStation station(twoCameras(true), clock, root, dialogs);
    EXPECT_EQ(station.driverIndex(), -1);
    TFenetre_capture& form = station.openCaptureForm();
    EXPECT_EQ(form.windowTitle(), "Lumiscope vidéo");
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    const auto& entries = form.driverEntries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0]->text(), "Caméra de test, pinstage");
    EXPECT_EQ(entries[1]->text(), "Caméra de test 2, pinstage");
    EXPECT_EQ(entries[2]->text(), "Débranchée, usb-1");
    EXPECT_TRUE(entries[0]->isChecked());
    EXPECT_FALSE(entries[1]->isChecked());
    EXPECT_EQ(station.driverIndex(), 0);
    EXPECT_TRUE(station.webcam().device()->isActive());
    EXPECT_EQ(form.webcam().captureWindow()->size(), QSize(320, 240));

    entries[1]->trigger();
    EXPECT_EQ(station.driverIndex(), 1);
    EXPECT_EQ(station.webcam().connection().connectedBefore, 1);
    EXPECT_FALSE(entries[0]->isChecked());
    EXPECT_TRUE(entries[1]->isChecked());
    frames(station.webcam(), 1);
    EXPECT_EQ(station.webcam().lastFrameTime(), clock.now());

    // An input that does not open: the second camera stays connected and keeps the check.
    entries[2]->trigger();
    EXPECT_EQ(station.driverIndex(), 1);
    EXPECT_TRUE(entries[1]->isChecked());
    EXPECT_FALSE(entries[2]->isChecked());
    EXPECT_TRUE(station.webcam().device()->isActive());
    ASSERT_EQ(warned.size(), 1);
    EXPECT_THAT(warned[0].toStdString(),
                HasSubstr("Impossible de connecter le périphérique « Débranchée, usb-1 »"));
    EXPECT_EQ(station.webcam().Connecter(7), 0);
    EXPECT_EQ(station.driverIndex(), 1);

    // Freed by another window: no driver until the form is made again, which connects the first.
    station.freeCaptureForm();
    EXPECT_EQ(station.driverIndex(), -1);
    EXPECT_EQ(station.webcam().device(), nullptr);
    EXPECT_EQ(station.openCaptureForm().driverEntries().size(), 3u);
    EXPECT_EQ(station.driverIndex(), 0);

    if (QString shot = qEnvironmentVariable("PINSTAGE_SCREENSHOT"); !shot.isEmpty()) {
        station.captureForm()->show();
        frames(station.webcam(), 20);
        station.captureForm()->VisualisationClick();
        QCoreApplication::processEvents();
        station.captureForm()->grab().save(shot);
        // The same form with its driver menu open, as the screen shows it.
        QMenu* menu = station.captureForm()->menuBar()->actions().last()->menu();
        menu->popup(station.captureForm()->mapToGlobal(QPoint(230, 20)));
        QTest::qWait(300);
        QGuiApplication::primaryScreen()
            ->grabWindow(0)
            .copy(station.captureForm()->frameGeometry().adjusted(0, 0, 120, 0))
            .save(QString(shot).replace(".png", "-menu.png"));
        menu->hide();
    }
}

TEST_F(WebcamTest, APhotoIsA320By240BmpInThePhotoDirectoryAndAFailureSaysSo) {
    WebcamStation station(twoCameras(), clock, root, dialogs);
    TFenetre_capture& form = station.openCaptureForm();
    const fs::path photos = root.dir(DataDir::Photos);

    QString early = form.UnePhoto(photos / "early.bmp");
    EXPECT_THAT(early.toStdString(), HasSubstr("Impossible d'enregistrer la photo"));
    EXPECT_FALSE(fs::exists(photos / "early.bmp"));

    frames(station.webcam(), 3);
    const fs::path shot = photos / "Joueur-1_06122026050000.bmp";
    EXPECT_EQ(form.UnePhoto(shot), QString());
    EXPECT_TRUE(station.webcam().previewing());
    auto bytes = *readWholeFile(shot);
    ASSERT_EQ(bytes.size(), 54u + 320 * 240 * 3);
    EXPECT_EQ(bytes[28], 24);
    QImage img(QString::fromStdString(shot.string()));
    ASSERT_EQ(img.size(), QSize(320, 240));
    // The saved picture is the camera's frame: the first colour bar is white, the last blue.
    EXPECT_EQ(img.pixelColor(5, 5), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(315, 5), QColor(Qt::blue));

    // Outside the photo directory, or over an unwritable place: refused, reported, nothing written.
    QString outside = form.UnePhoto(root.root() / "evil.bmp");
    EXPECT_THAT(outside.toStdString(), HasSubstr("Impossible d'enregistrer la photo"));
    EXPECT_THAT(outside.toStdString(), HasSubstr("répertoire des photos"));
    EXPECT_FALSE(fs::exists(root.root() / "evil.bmp"));
    fs::permissions(photos, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    QString refused = form.UnePhoto(photos / "later.bmp");
    fs::permissions(photos, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_THAT(refused.toStdString(), HasSubstr("écriture refusée"));
    EXPECT_FALSE(fs::exists(photos / "later.bmp"));

    // The operator's menu goes through the same checks and shows the failure.
    dialogs.photoFile = [&](QWidget*, const QString&) { return QStringLiteral("/tmp/x.bmp"); };
    TFenetre_capture menuForm(station.webcam(), root.root(), dialogs);
    frames(station.webcam(), 1);
    menuForm.Prendre_Une_PhotoClick();
    ASSERT_EQ(warned.size(), 1);
    EXPECT_THAT(warned[0].toStdString(), HasSubstr("Impossible d'enregistrer la photo /tmp/x.bmp"));
}

TEST_F(WebcamTest, VideoRecordStopsByItselfAfterFourSecondsAndLeavesAPlayableFile) {
    WebcamStation station(twoCameras(), clock, root, dialogs);
    TFenetre_capture& form = station.openCaptureForm();
    TWebCam& cam = station.webcam();
    QSignalSpy ended(&cam, &TWebCam::recordingEnded);
    frames(cam, 2);

    VideoRecordStart start = form.VideoRecord();
    ASSERT_TRUE(start.started) << start.message.toStdString();
    const fs::path file = root.root() / "Videotest.avi";
    EXPECT_EQ(start.file.toStdString(), file.string());
    const uint32_t began = clock.now();
    int produced = 0;
    while (cam.recording() && produced < 1000) {
        frames(cam, 1);
        ++produced;
    }
    // It stopped on the first frame after 4 s, by itself.
    EXPECT_GT(clock.now() - began, 4000u);
    EXPECT_LE(clock.now() - began, 4000u + TestCamera::kFrameIntervalMs);
    ASSERT_EQ(ended.count(), 1);
    EXPECT_TRUE(ended[0][0].toBool());
    EXPECT_THAT(ended[0][2].toString().toStdString(), HasSubstr("Vidéo enregistrée"));
    EXPECT_EQ(cam.Arreter(), 0);

    auto b = *readWholeFile(file);
    ASSERT_GT(b.size(), 224u);
    EXPECT_EQ(le32(b, 48), uint32_t(produced)); // every frame of the recording
    const uint64_t durationUs = uint64_t(le32(b, 32)) * le32(b, 48);
    EXPECT_NEAR(double(durationUs), 4.0e6, 0.05e6);
    const uint32_t firstSize = le32(b, 228);
    QImage first =
        QImage::fromData(QByteArray(reinterpret_cast<const char*>(b.data() + 232), int(firstSize)), "JPG");
    EXPECT_EQ(first.size(), QSize(320, 240));

    // The system's player opens it: about 4 s long and its pictures come out.
    QMediaPlayer player;
    QVideoSink sink;
    player.setVideoSink(&sink);
    QSignalSpy frameSpy(&sink, &QVideoSink::videoFrameChanged);
    player.setSource(QUrl::fromLocalFile(QString::fromStdString(file.string())));
    player.play();
    for (int i = 0; i < 100 && frameSpy.isEmpty(); ++i)
        frameSpy.wait(100);
    ASSERT_FALSE(frameSpy.isEmpty()) << player.errorString().toStdString();
    for (int i = 0; i < 50 && player.duration() <= 0; ++i)
        QSignalSpy(&player, &QMediaPlayer::durationChanged).wait(100);
    EXPECT_NEAR(double(player.duration()), 4000.0, 100.0);
    EXPECT_EQ(frameSpy.last()[0].value<QVideoFrame>().size(), QSize(320, 240));
    player.stop();

    // The operator's recording: the file asked for, the message, Escape ends it and says so.
    dialogs.videoFile = [&](QWidget*, const QString&) {
        return QString::fromStdString((root.root() / "op.avi").string());
    };
    TFenetre_capture menuForm(cam, root.root(), dialogs);
    frames(cam, 1);
    menuForm.Demarre_CaptureClick();
    ASSERT_EQ(informed.size(), 1);
    EXPECT_EQ(informed[0], "Appuyez sur la touche échappement pour arrêter l'enregistrement");
    frames(cam, 10);
    QTest::keyClick(&menuForm, Qt::Key_Escape);
    EXPECT_FALSE(cam.recording());
    ASSERT_EQ(informed.size(), 2);
    EXPECT_THAT(informed[1].toStdString(), HasSubstr("Vidéo enregistrée"));
    EXPECT_TRUE(fs::exists(root.root() / "op.avi"));

    // The recorder's and the source's choices go through the dialogs.
    QStringList offered;
    cam.choose = [&](QWidget*, const QString&, const QStringList& items, int) {
        offered << items;
        return 0;
    };
    EXPECT_EQ(cam.DialogueCompression(), 1);
    EXPECT_EQ(cam.DialogueSource(), 1);
    ASSERT_EQ(offered.size(), 2);
    EXPECT_TRUE(offered[0].startsWith("AVI, Motion JPEG"));
    EXPECT_TRUE(offered[1].startsWith("320 × 240"));
    cam.choose = [](QWidget*, const QString&, const QStringList&, int) { return -1; };
    EXPECT_EQ(cam.DialogueSource(), 0);

    // A capture file that cannot be made: not started, and the reason given.
    cam.FichierCapture(root.root() / "missing" / "x.avi");
    EXPECT_EQ(cam.Enregistrer(), 0);
    EXPECT_THAT(cam.lastError().toStdString(), HasSubstr("Impossible d'enregistrer la vidéo"));
    EXPECT_FALSE(cam.recording());
}

TEST_F(WebcamTest, WithoutACameraTheIndexStaysMinusOne) {
    WebcamStation station([] { return std::vector<CameraEntry>{}; }, clock, root, dialogs);
    TFenetre_capture& form = station.openCaptureForm();
    EXPECT_TRUE(form.driverEntries().empty());
    EXPECT_EQ(station.driverIndex(), -1);
    EXPECT_EQ(station.webcam().Connecter(0), 0);
    EXPECT_THAT(form.UnePhoto(root.dir(DataDir::Photos) / "a.bmp").toStdString(),
                HasSubstr("aucune webcam n'est connectée"));
    EXPECT_FALSE(form.VideoRecord().started);
    EXPECT_EQ(station.webcam().Copier(), 0);

    // The program's list: this machine has no video input, so the test camera only on request.
    auto names = [](const CameraCatalogue& c) {
        QStringList l;
        for (const auto& e : c())
            l << e.name + ", " + e.version;
        return l;
    };
    const bool inputs = !names(programCameraCatalogue(clock, false, false)).isEmpty();
    if (!inputs) {
        EXPECT_THAT(names(programCameraCatalogue(clock, false, true)),
                    ::testing::ElementsAre("Caméra de test, pinstage"));
        EXPECT_THAT(names(programCameraCatalogue(clock, true, false)),
                    ::testing::ElementsAre("Caméra de test, pinstage"));
    }
    EXPECT_TRUE(names(programCameraCatalogue(clock, true, false)).contains("Caméra de test, pinstage"));
}
