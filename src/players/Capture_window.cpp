#include "players/Capture_window.h"

#include "display/QtPath.h"

#include <QFileDialog>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QVBoxLayout>

namespace pinstage {

namespace {
std::filesystem::path toPath(const QString& s) {
    return std::filesystem::path(s.toStdU16String());
}
} // namespace

CaptureDialogs standardCaptureDialogs() {
    CaptureDialogs d;
    d.photoFile = [](QWidget* parent, const QString& photoDir) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Enregistrer la photo"), photoDir,
                                            QStringLiteral("Images bitmap (*.bmp)"));
    };
    d.videoFile = [](QWidget* parent, const QString& startDir) {
        QFileDialog dialog(parent, QStringLiteral("Sélection du fichier de capture vidéo"), startDir,
                           QStringLiteral("Fichiers Vidéos (*.avi *.AVI)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("avi"));
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                   ? dialog.selectedFiles().first()
                   : QString();
    };
    d.inform = [](QWidget* parent, const QString& text) {
        QMessageBox::information(parent, QStringLiteral("Lumiscope vidéo"), text);
    };
    d.warn = [](QWidget* parent, const QString& text) {
        QMessageBox::warning(parent, QStringLiteral("Lumiscope vidéo"), text);
    };
    return d;
}

TFenetre_capture::TFenetre_capture(TWebCam& webcam, std::filesystem::path videoDir, CaptureDialogs dialogs,
                                   QWidget* parent)
    : QMainWindow(parent), webcam_(webcam), videoDir_(std::move(videoDir)), dialogs_(std::move(dialogs)) {
    setWindowFlag(Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Lumiscope vidéo"));
    setFont(QFont(QStringLiteral("MS Sans Serif")));
    resize(986, 639);

    QMenu* file = menuBar()->addMenu(QStringLiteral("Fichier"));
    file->addAction(QStringLiteral("Prendre_Une _Photo"), this, &TFenetre_capture::Prendre_Une_PhotoClick);
    file->addAction(QStringLiteral("Quitter"), this, &TFenetre_capture::QuitterClick);
    QMenu* tools = menuBar()->addMenu(QStringLiteral("Outils"));
    tools->addAction(QStringLiteral("Prévisualisation"), this, &TFenetre_capture::VisualisationClick);
    QMenu* capture = menuBar()->addMenu(QStringLiteral("Capture"));
    capture->addAction(QStringLiteral("Démarrer Capture"), this, &TFenetre_capture::Demarre_CaptureClick);
    capture->addAction(QStringLiteral("Arrêter Capture"), this, &TFenetre_capture::Arret_CaptureClick);
    QMenu* edit = menuBar()->addMenu(QStringLiteral("Edition"));
    edit->addAction(QStringLiteral("Copier"), this, &TFenetre_capture::Copier_Clip_BoardClick);
    webcamMenu_ = menuBar()->addMenu(QStringLiteral("Paramètres Web Cam"));
    webcamMenu_->addAction(QStringLiteral("Format Vidéo"), this, &TFenetre_capture::Choix_format_videoClick);
    webcamMenu_->addAction(QStringLiteral("Périphérique de Capture"), this,
                           &TFenetre_capture::Choix_Peripherique_de_captureClick);
    webcamMenu_->addAction(QStringLiteral("Compression"), this, &TFenetre_capture::CompressionClick);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    image1_ = new QLabel(central);
    image1_->setVisible(false);
    layout->addWidget(image1_, 0, Qt::AlignTop | Qt::AlignLeft);
    setCentralWidget(central);

    // The webcam in this window, its drivers listed, one menu entry each, the first connected.
    webcam_.attach(this);
    layout->addWidget(webcam_.captureWindow(), 0, Qt::AlignTop | Qt::AlignLeft);
    layout->addStretch(1);
    webcam_.ListerPeripheriques();
    if (!webcam_.drivers().empty())
        webcamMenu_->addSeparator();
    for (const auto& d : webcam_.drivers()) {
        QAction* entry = webcamMenu_->addAction(QString::fromStdString(d.text));
        entry->setCheckable(true);
        entry->setData(d.index);
        connect(entry, &QAction::triggered, this, [this, entry] { driverEntryClicked(entry); });
        driverEntries_.push_back(entry);
    }
    if (!webcam_.drivers().empty())
        webcam_.Connecter(0);
    checkConnectedDriver();
    // The capture window is 320 wide; the window keeps room for the whole menu bar all the same.
    setMinimumWidth(menuBar()->sizeHint().width());
    connect(&webcam_, &TWebCam::recordingEnded, this,
            [this](bool ok, const QString&, const QString& message) {
                if (!menuRecording_)
                    return;
                menuRecording_ = false;
                (ok ? dialogs_.inform : dialogs_.warn)(this, message);
            });
    adjustSize();
}

TFenetre_capture::~TFenetre_capture() {
    webcam_.detach();
}

void TFenetre_capture::checkConnectedDriver() {
    for (QAction* a : driverEntries_)
        a->setChecked(a->data().toInt() == webcam_.driverIndex());
}

// The check mark follows the connected driver: it moves only when the connection succeeds.
void TFenetre_capture::driverEntryClicked(QAction* entry) {
    if (!webcam_.Connecter(entry->data().toInt()))
        dialogs_.warn(this,
                      QStringLiteral("Impossible de connecter le périphérique « %1 »").arg(entry->text()));
    checkConnectedDriver();
}

QString TFenetre_capture::UnePhoto(const std::filesystem::path& path) {
    webcam_.Apercu(false);
    QString error = webcam_.EnregistrerImage(path);
    webcam_.Apercu(true);
    return error;
}

VideoRecordStart TFenetre_capture::VideoRecord() {
    VideoRecordStart r;
    webcam_.FichierCapture(videoDir_ / "Videotest.avi");
    webcam_.recordingTimeLimit = 4;
    r.started = webcam_.Enregistrer() == 1;
    if (r.started && webcam_.device())
        r.file = toQString(webcam_.device()->planRecording(videoDir_ / "Videotest.avi").file);
    r.message = r.started ? webcam_.recordingNote() : webcam_.lastError();
    return r;
}

void TFenetre_capture::Prendre_Une_PhotoClick() {
    webcam_.Apercu(false);
    const QString name = dialogs_.photoFile(this, toQString(webcam_.photoDirectory()));
    if (!name.isEmpty()) {
        QString error = webcam_.EnregistrerImage(toPath(name));
        if (!error.isEmpty())
            dialogs_.warn(this, error);
    }
    webcam_.Apercu(true);
}

void TFenetre_capture::QuitterClick() {
    close();
}

void TFenetre_capture::VisualisationClick() {
    image1_->setVisible(true);
    QImage picture;
    if (webcam_.CopierVersImage(picture)) {
        image1_->setPixmap(QPixmap::fromImage(picture));
        image1_->adjustSize();
    }
    centralWidget()->layout()->activate();
    layout()->activate();
    resize(sizeHint());
}

void TFenetre_capture::Demarre_CaptureClick() {
    const QString name = dialogs_.videoFile(this, toQString(videoDir_));
    if (name.isEmpty())
        return;
    webcam_.FichierCapture(toPath(name));
    QString message = QStringLiteral("Appuyez sur la touche échappement pour arrêter l'enregistrement");
    if (webcam_.device()) {
        const QString note = webcam_.device()->planRecording(toPath(name)).note;
        if (!note.isEmpty())
            message = note + QStringLiteral("\n") + message;
    }
    dialogs_.inform(this, message);
    menuRecording_ = webcam_.Enregistrer() == 1;
    if (!menuRecording_)
        dialogs_.warn(this, webcam_.lastError());
}

void TFenetre_capture::Arret_CaptureClick() {
    webcam_.Arreter();
}

void TFenetre_capture::Copier_Clip_BoardClick() {
    webcam_.Copier();
}

void TFenetre_capture::Choix_format_videoClick() {
    webcam_.DialogueSource();
}

void TFenetre_capture::Choix_Peripherique_de_captureClick() {
    QStringList names;
    for (const auto& d : webcam_.drivers())
        names << QString::fromStdString(d.text);
    int picked =
        webcam_.choose(this, QStringLiteral("Périphérique de Capture"), names, webcam_.driverIndex());
    if (picked >= 0 && size_t(picked) < driverEntries_.size())
        driverEntryClicked(driverEntries_[size_t(picked)]);
}

void TFenetre_capture::CompressionClick() {
    webcam_.DialogueCompression();
}

void TFenetre_capture::FormResize() {
    if (webcam_.captureWindow())
        webcam_.FormatVideo();
}

void TFenetre_capture::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    FormResize();
}

void TFenetre_capture::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && webcam_.recording()) {
        webcam_.Arreter();
        return;
    }
    QMainWindow::keyPressEvent(e);
}

} // namespace pinstage
