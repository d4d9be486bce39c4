// The contest's windows, steps and key dispatch on Qt.
#include "players/ContestEntry.h"

#include "clavpack/Claviervirtuel.h"
#include "config/AdjustmentRows.h"
#include "config/PentacleTable.h"
#include "runtime/GameSwitches.h"
#include "runtime/MachineOps.h"
#include "runtime/ModalKeys.h"
#include "runtime/Navigation.h"
#include "runtime/PlayerRecords.h"
#include "runtime/window/DrawnPointer.h"
#include "runtime/window/TGlacefronton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace pinstage {

namespace {

constexpr uint32_t kMissingWebcamMs = 3000;
constexpr uint32_t kInfoMs = 2000;
constexpr int kMargin = 20;

const char* const kPhotoInstructions[] = {
    "Utilisez les boutons de flipper gauche et droite",
    "pour sélectionner les touches du clavier",
    "Pour valider l'appuie de chaque touche,",
    "utilisez le bouton d'engagement de partie",
    "Pour prendre la photo, cliquez sur la touche photo",
    "Si vous ne désirez pas être photographié,",
    "clickez directement sur Entrée",
};

QString qs(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

} // namespace

ContestEntry::ContestEntry(Machine& m, TGlacefronton& window, WebcamStation& webcam)
    : m_(m), window_(window), webcam_(webcam) {
    m_.hooks.entry = this;
}

ContestEntry::~ContestEntry() {
    // The program ends: the pointer is never left confined.
    releasePointer();
    FermerFenetresConcours();
    if (m_.hooks.entry == this)
        m_.hooks.entry = &MachineHooks::defaultEntry;
}

FicheJoueur& ContestEntry::record() {
    return m_.records.buffers[size_t(std::clamp(flow_.player, 1, kPlayerCount) - 1)];
}

bool ContestEntry::keyboardFormOpen() const {
    return flow_.active && keyboard_ && keyboard_->isVisible();
}

void ContestEntry::createCaptureWindow(Machine& m) {
    // The capture form exists before the contest's first step asks for the driver index.
    if (optionIsYes(m.params.adjustments, AdjustmentOption::NameEntry) && !webcam_.captureForm())
        webcam_.openCaptureForm().hide();
}

void ContestEntry::startNameStep(Machine& m) {
    flow_ = ContestFlow{};
    flow_.active = true;
    flow_.player = std::clamp(int(m.game.nameEntrants), 1, kPlayerCount);
    photoPath_.clear();
    trace(m, "contest open player " + std::to_string(flow_.player));
}

void ContestEntry::closeNameStep(Machine& m) {
    flow_.active = false;
    flow_.finished = false;
    releasePointer();
    FermerFenetresConcours();
    trace(m, "contest close");
}

void ContestEntry::releasePointer() {
    window_.input().releaseConfinement();
}

void ContestEntry::PreparerFenetresConcours(int mode) {
    if (mode != 1)
        return; // the kiosk's windows come with the kiosk
    QWidget* host = &window_;
    if (!panel_) {
        panel_ = new QLabel(host);
        panel_->setFrameStyle(QFrame::Box | QFrame::Plain);
        panel_->setLineWidth(2);
    }
    if (!photo_) {
        photo_ = new QLabel(host);
        photo_->setFixedSize(kPhotoWidth, kPhotoHeight);
        photo_->setAlignment(Qt::AlignCenter);
        photo_->setStyleSheet("background:black; color:white; border:2px solid white;");
    }
    if (!nameWin_) {
        nameWin_ = new QWidget(host);
        nameWin_->setAutoFillBackground(true);
        auto* layout = new QVBoxLayout(nameWin_);
        memo_ = new QPlainTextEdit(nameWin_);
        memo_->setReadOnly(true);
        memo_->setFocusPolicy(Qt::NoFocus);
        QFont courier(QStringLiteral("Courier"));
        courier.setStyleHint(QFont::TypeWriter);
        courier.setPointSize(12);
        memo_->setFont(courier);
        field_ = new QLineEdit(nameWin_);
        field_->setMaxLength(kNameMaxCharacters);
        QFont big = field_->font();
        big.setPointSize(18);
        big.setBold(true);
        field_->setFont(big);
        layout->addWidget(memo_);
        layout->addWidget(field_);
    }
    if (!keyboard_) {
        keyboard_ = new TClavierVirtuel(host);
        keyboard_->BuildButtonImages();
        keyboard_->RegenerateKeys = true;
        keyboard_->DrawButtons();
        QObject::connect(keyboard_, &TClavierVirtuel::OnButtonDown, keyboard_,
                         [this](QObject*, TVKButton b) { ToucheClavier(int(b)); });
        QObject::connect(keyboard_, &TClavierVirtuel::OnUserDone, keyboard_,
                         [this](QObject*) { SaisieTerminee(); });
    }
    placeWindows();
    const QRect kb = keyboard_->geometry();
    m_.rt.keyPositions = contestKeyPositions(kb.left(), kb.top() + kb.height());
    m_.rt.keyRow = 0;
    m_.rt.keyColumn = 0;
    moveCursorTo(m_, m_.rt.keyPositions[0][0][0], m_.rt.keyPositions[0][0][1]);
}

void ContestEntry::placeWindows() {
    const QSize screen = window_.size();
    const QSize kbSize = keyboard_->size();
    const int kbLeft = std::max(0, (screen.width() - kbSize.width()) / 2);
    const int kbTop = std::max(0, screen.height() - kbSize.height() - kMargin);
    keyboard_->move(kbLeft, kbTop);
    // The photo at the top right, the panel at the top left, the name between them and the keys.
    photo_->move(screen.width() - kPhotoWidth - kMargin, kMargin);
    const int panelWidth = std::max(300, photo_->x() - 2 * kMargin - kPhotoWidth - kMargin);
    panel_->setGeometry(kMargin, kMargin, std::min(panelWidth, 760), kPhotoHeight + 20);
    const int nameTop = std::max(panel_->geometry().bottom() + 10, kbTop - 240);
    nameWin_->setGeometry(kbLeft, nameTop, kbSize.width(), std::max(120, kbTop - 10 - nameTop));
}

void ContestEntry::drawPanelInstructions() {
    QPixmap picture(panel_->size());
    picture.fill(QColor(10, 20, 70));
    QPainter p(&picture);
    p.setPen(Qt::white);
    QFont f = panel_->font();
    f.setPointSize(panel_->width() >= 600 ? 13 : 11);
    f.setBold(true);
    p.setFont(f);
    const int line = p.fontMetrics().height() + 4;
    int y = 12 + p.fontMetrics().ascent();
    p.setPen(QColor(255, 220, 80));
    p.drawText(12, y, QStringLiteral("joueur N° %1 ici votre photo pour concourir").arg(flow_.player));
    p.setPen(Qt::white);
    for (const char* text : kPhotoInstructions)
        p.drawText(12, y += line, QString::fromUtf8(text));
    p.end();
    panel_->setPixmap(picture);
}

void ContestEntry::showMemo(std::initializer_list<const char*> lines) {
    memo_->clear();
    for (const char* l : lines)
        memo_->appendPlainText(QString::fromUtf8(l));
}

void ContestEntry::EtapeConcours() {
    Machine& m = m_;
    if (!flow_.active)
        return;
    if (!flow_.windowsPrepared) {
        flow_.windowsPrepared = true;
        PreparerFenetresConcours(1);
        m.rt.keyRow = kEnterKeyRow;
        m.rt.keyColumn = kEnterKeyColumn;
        const auto& enter = m.rt.keyPositions[kEnterKeyRow][kEnterKeyColumn];
        moveCursorTo(m, enter[0], enter[1]);
        // The press that opened the contest never clicks a key.
        clearClosure(m, contact::kStart);
        beginContestRecord(m, flow_.player);
        photoPath_.clear();
        // The kiosk frees the camera's window; coming back, the contest makes it again.
        createCaptureWindow(m);
        if (webcam_.driverIndex() < 0 &&
            optionIsYes(m.params.adjustments, AdjustmentOption::PhotoAtGameOver)) {
            setCursorVisible(m, true);
            releasePointer();
            message(int(QMessageBox::Warning), QStringLiteral("Web Cam Manquante"),
                    QStringLiteral("joueur N° %1 pas de WebCam connectée,\n vous ne pouvez pas participer au "
                                   "concours ..... \n désolé \n Appuyez sur le bouton d'engagement ou return")
                        .arg(flow_.player),
                    kMissingWebcamMs);
            setCursorVisible(m, false);
            record().cheminPhoto.setCp1252("");
            flow_.finished = true;
            trace(m, "contest finished");
            return;
        }
        panel_->show();
        photo_->show();
        photo_->clear();
        photo_->setText(QStringLiteral("Photo"));
        nameWin_->hide();
        keyboard_->show();
        keyboard_->raise();
        // Without a webcam (and the photo setting "non") the name step comes at once.
        flow_.photoMode = webcam_.driverIndex() >= 0;
        window_.input().confine(QRect(placedToGlobal(window_, keyboard_->pos()), keyboard_->size()));
        drawPanelInstructions();
        panel_->repaint();
        flow_.ignoreNextStart = true;
        flow_.pointerShown = false;
        return;
    }
    if (!flow_.finished) {
        if (!flow_.pointerShown) {
            flow_.pointerShown = true;
            setCursorVisible(m, true);
        }
        const bool kiosk = keyboard_ && keyboard_->InternetEncours;
        // The dashboard frees the pointer when it closes; the entry goes on inside the keyboard.
        if (!kiosk && keyboard_ && keyboard_->isVisible() && !window_.input().confinement())
            window_.input().confine(QRect(placedToGlobal(window_, keyboard_->pos()), keyboard_->size()));
        if (kiosk) {
            // The kiosk has the screen: no photo, no name until it is left.
        } else if (flow_.photoMode) {
            TFenetre_capture& form = webcam_.openCaptureForm();
            if (!form.isVisible()) {
                form.move(placedToGlobal(window_, photo_->pos()));
                form.show();
                webcam_.webcam().Apercu(true);
                drawPanelInstructions();
            }
            form.raise();
        } else if (!nameWin_->isVisible()) {
            if (TFenetre_capture* form = webcam_.captureForm())
                form->hide();
            nameWin_->show();
            showMemo({"Entrez votre nom ou un texte", "de 20 caractères maximum.",
                      "Sélectionnez les touches du", "clavier avec les boutons de",
                      "flipper et validez chaque touche", "avec le bouton d'engagement.",
                      "Ou utilisez le clavier", "situé en bas du plateau de flipper"});
            flow_.instructionsShown = true;
            field_->setFocus();
        } else if (!flow_.instructionsShown) {
            field_->setMaxLength(kNameMaxCharacters);
            if (field_->isModified()) {
                copyName();
                field_->setModified(false);
            }
        }
    }
    if (closurePending(m, contact::kStart)) {
        clearClosure(m, contact::kStart);
        if (contestStartPress(flow_) == StartPress::Click)
            clickAtPointer();
    }
}

void ContestEntry::clickAtPointer() {
    // The keys take the click themselves: the window system's search for the window under a
    // point is not reliable on every platform once the capture window is up.
    const QPoint global = window_.input().cursorPos();
    if (keyboard_ && keyboard_->isVisible()) {
        const QPoint local = keyboard_->mapFromGlobal(global);
        if (keyboard_->rect().contains(local)) {
            QMouseEvent press(QEvent::MouseButtonPress, QPointF(local), QPointF(global), Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(keyboard_, &press);
            QMouseEvent release(QEvent::MouseButtonRelease, QPointF(local), QPointF(global), Qt::LeftButton,
                                Qt::NoButton, Qt::NoModifier);
            if (keyboard_)
                QApplication::sendEvent(keyboard_, &release);
            return;
        }
    }
    window_.input().click();
}

void ContestEntry::copyName() {
    record().nomDuJoueur.setCp1252(storedContestName(field_->text().toStdString()));
}

void ContestEntry::FermerFenetresConcours() {
    closeKioskWindows();
    if (TFenetre_capture* form = webcam_.captureForm()) {
        webcam_.webcam().Apercu(false);
        form->hide();
    }
    delete keyboard_;
    delete photo_;
    delete nameWin_;
    delete panel_;
    flow_.windowsPrepared = false;
}

void ContestEntry::PrendrePhotoJoueur() {
    if (keyboard_)
        keyboard_->setBuffer({});
    if (!webcam_.captureVisible() || (keyboard_ && keyboard_->InternetEncours))
        return;
    FicheJoueur& f = record();
    const std::string date = currentDateTimeText();
    f.dateDebut.setUtf8(date);
    const std::filesystem::path path = m_.root.file(DataDir::Photos, contestPhotoName(flow_.player, date));
    const QString error = webcam_.captureForm()->UnePhoto(path);
    if (!error.isEmpty()) {
        trace(m_, "contest photo failed: " + error.toStdString());
        return;
    }
    photoPath_ = path;
    setPhotoPath(m_.root, f, path);
    f.score = 0;
    reloadPhoto();
    flow_.photoMode = false;
    trace(m_, "contest photo " + path.filename().string());
}

void ContestEntry::reloadPhoto() {
    if (photo_ && !photoPath_.empty())
        photo_->setPixmap(QPixmap(qs(photoPath_)));
}

void ContestEntry::injectKey(int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(field_, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(field_, &release);
}

void ContestEntry::injectCharacter(const KeyStroke& k) {
    const QString text = QString::fromUcs4(&k.character, 1);
    const Qt::KeyboardModifiers mods = k.shift ? Qt::ShiftModifier : Qt::NoModifier;
    const int key = text.toUpper().at(0).unicode();
    if (k.shift) {
        QKeyEvent shift(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
        QApplication::sendEvent(field_, &shift);
    }
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(field_, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(field_, &release);
    if (k.shift) {
        QKeyEvent shift(QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier);
        QApplication::sendEvent(field_, &shift);
    }
}

void ContestEntry::ToucheClavier(int button) {
    // "Entrée" is handled by SaisieTerminee; its unchanged Buffer means nothing here.
    if (!keyboard_ || !field_ || button == vkbClose)
        return;
    if (keyboard_->InternetEncours) {
        kioskKey(button);
        if (keyboard_ && !keyboard_->Buffer().isEmpty())
            keyboard_->setBuffer({});
        return;
    }
    const int code = contestKeyCode(keyboard_->Buffer().toStdString());
    if (flow_.instructionsShown) {
        flow_.instructionsShown = false;
        field_->clear();
    }
    switch (contestKeyOf(code)) {
    case ContestKey::Photo:
        PrendrePhotoJoueur();
        break;
    case ContestKey::BackSpace:
        reloadPhoto();
        field_->end(false);
        field_->backspace();
        field_->end(false);
        copyName();
        field_->setModified(false);
        break;
    case ContestKey::ClearAll:
        if (webcam_.captureVisible())
            break;
        showMemo({"Entrez votre nom ou un texte", "de 20 caractères maximum",
                  "Sélectionnez les touches du clavier", "à l'aide des boutons de flipper",
                  "Validez chaque touche", "avec le bouton d'engagement d'une partie"});
        field_->clear();
        reloadPhoto();
        record().nomDuJoueur.setCp1252("");
        flow_.instructionsShown = true;
        break;
    case ContestKey::Space:
        field_->setFocus();
        injectKey(Qt::Key_Space, QStringLiteral(" "));
        break;
    case ContestKey::NextLine:
        injectKey(Qt::Key_Return, QStringLiteral("\r"));
        break;
    case ContestKey::Internet:
        if (!optionIsYes(m_.params.adjustments, AdjustmentOption::Kiosk) || !openKiosk()) {
            trace(m_, "kiosk refused");
            message(int(QMessageBox::Warning), QStringLiteral("Lumiscope"),
                    QStringLiteral("Accès à Internet non autorisé"), kInfoMs);
        }
        break;
    case ContestKey::Help:
        injectKey(Qt::Key_F1);
        break;
    case ContestKey::Info:
        message(int(QMessageBox::Information), QStringLiteral("Information"),
                QStringLiteral("Ce flipper est piloté par pinstage,\nson programme de contrôle."), kInfoMs);
        break;
    case ContestKey::Shift:
        break; // the keyboard changes its captions itself
    case ContestKey::RetakePhoto:
        flow_.photoMode = true;
        flow_.windowsPrepared = false;
        break;
    case ContestKey::Character: {
        field_->setFocus();
        if (utf8CharacterCount(field_->text().toStdString()) >= kNameMaxCharacters)
            break;
        injectCharacter(strokeForCaption(keyboard_->GetButtonCaption(TVKButton(button)).toStdString()));
        break;
    }
    }
    if (keyboard_ && !keyboard_->Buffer().isEmpty())
        keyboard_->setBuffer({});
}

void ContestEntry::SaisieTerminee() {
    if (keyboard_ && keyboard_->InternetEncours) {
        kioskEnter();
        return;
    }
    if (!nameWin_ || !flow_.active || flow_.finished)
        return;
    if (flow_.photoMode)
        field_->clear(); // the player declined the photo
    copyName();
    flow_.finished = true;
    releasePointer();
    trace(m_, "contest name \"" + field_->text().toStdString() + "\"");
    trace(m_, "contest finished");
}

void ContestEntry::message(int icon, const QString& title, const QString& text, uint32_t ms) {
    trace(m_, "contest message \"" + title.toStdString() + "\"");
    QMessageBox box(QMessageBox::Icon(icon), title, text, QMessageBox::Ok, &window_);
    requestEscape(m_, ms);
    window_.execWithButtons(box);
}

} // namespace pinstage
