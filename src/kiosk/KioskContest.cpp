// The kiosk's opening, keys, typed addresses and closing.
#include "kiosk/KioskContest.h"

#include "clavpack/Claviervirtuel.h"
#include "config/AdjustmentRows.h"
#include "kiosk/KioskRules.h"
#include "kiosk/StrayBrowserWindows.h"
#include "players/ContestRules.h"
#include "players/DrawnKeyPositions.h"
#include "runtime/MachineOps.h"
#include "runtime/Navigation.h"
#include "runtime/window/TGlacefronton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPlainTextEdit>

namespace pinstage {

namespace {

const char* const kWarning =
    "Vous allez accéder à Internet \n Vous vous engagez à ne pas visualiser de sites \n contraires aux "
    "bonnes "
    "moeurs \n et à la législation actuelle \n vous serez pénalement seul responsable des conséquences \n du "
    "non "
    "respect de ces règles \n choisissez avec  les boutons de flipper \n Validez votre choix avec le bouton "
    "d'engagement";

// The keyboard's mode and its captions, drawn again.
void switchCaptions(TClavierVirtuel& k, bool internet) {
    k.InternetEncours = internet;
    k.BuildButtonImages();
    k.RegenerateKeys = true;
    k.DrawButtons();
    k.update();
}

QString prompt() {
    return QString::fromUtf8(kKioskAddressPrompt);
}

} // namespace

KioskContest::KioskContest(Machine& m, TGlacefronton& window, WebcamStation& webcam)
    : ContestEntry(m, window, webcam) {}

KioskContest::~KioskContest() {
    closeKioskWindows();
}

bool KioskContest::openKiosk() {
    if (kioskOpen())
        return true;
    BasculerKiosque();
    return true;
}

bool KioskContest::askWarning() {
    if (answer_)
        return answer_();
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Avertissement Important"),
                    QString::fromUtf8(kWarning), QMessageBox::Ok | QMessageBox::Cancel, &backglass());
    return backglass().execWithButtons(box) == QMessageBox::Ok;
}

void KioskContest::leaveInternetMode() {
    if (TClavierVirtuel* k = keyboard())
        switchCaptions(*k, false);
    restartContest();
}

void KioskContest::BasculerKiosque() {
    Machine& m = machine();
    TClavierVirtuel* k = keyboard();
    if (!k)
        return;
    if (k->InternetEncours) {
        FermerFenetresIE();
        closeKioskWindows();
        leaveInternetMode();
        return;
    }
    switchCaptions(*k, true);
    // The camera is not needed while the kiosk has the screen; the contest's first step makes its
    // window again.
    if (webcamStation().captureForm()) {
        webcamStation().webcam().Apercu(false);
        webcamStation().freeCaptureForm();
    }
    if (photoWindow())
        photoWindow()->hide();
    backglass().input().releaseConfinement();
    // The flippers choose the answer, not the pointer: hidden while the warning is up.
    setCursorVisible(m, false);
    const bool accepted = askWarning();
    setCursorVisible(m, true);
    if (!accepted) {
        trace(m, "kiosk warning cancelled");
        leaveInternetMode();
        return;
    }
    if (!browser_)
        CreerNavigateur(kKioskBrowser);
    if (!browser_) {
        trace(m, "kiosk refused");
        leaveInternetMode();
        return;
    }
    backglass().input().releaseConfinement();
    trace(m, "kiosk open");
    trace(m, std::string("kiosk load ") + kKioskStartPage);
    browser_->load(QString::fromUtf8(kKioskStartPage));
    address_->setText(prompt());
}

void KioskContest::CreerNavigateur(int mode) {
    if (mode != kKioskBrowser) {
        if (ads_)
            ads_->create();
        return;
    }
    if (browser_)
        return;
    Machine& m = machine();
    QWidget& host = backglass();
    const int w = host.width();
    const int h = host.height();
    browser_ = new LockedBrowser(&host, [&m](const std::string& line) { trace(m, line); });
    const KioskRect b = kioskBrowserRect(w, h);
    browser_->setGeometry(b.left, b.top, b.width, b.height);
    browser_->setHomePage(QString::fromUtf8(kKioskStartPage));
    browser_->show();
    browser_->raise();
    const KioskRect kr = kioskKeyboardRect(w, h);
    if (!address_) {
        // Left of the keyboard, in the strip under the browser.
        address_ = new QLineEdit(&host);
        QFont f = address_->font();
        f.setPointSize(14);
        address_->setFont(f);
        address_->setGeometry(10, kr.top + 10, std::max(200, kr.left - 20), 40);
    }
    address_->show();
    address_->raise();
    // The contest's panel and name window stay under the browser, hidden.
    if (panel())
        panel()->hide();
    if (memo() && memo()->parentWidget())
        memo()->parentWidget()->hide();
    if (TClavierVirtuel* k = keyboard()) {
        k->setGeometry(kr.left, kr.top, kr.width, kr.height);
        k->show();
        k->raise();
        m.rt.keyPositions = drawnKeyPositions(*k);
        m.rt.keyRow = kEnterKeyRow;
        m.rt.keyColumn = kEnterKeyColumn;
        const auto& enter = m.rt.keyPositions[kEnterKeyRow][kEnterKeyColumn];
        moveCursorTo(m, enter[0], enter[1]);
    }
}

void KioskContest::sendKey(int key, const QString& text, Qt::KeyboardModifiers mods) {
    if (!address_)
        return;
    address_->setFocus();
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(address_, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    if (address_)
        QApplication::sendEvent(address_, &release);
}

void KioskContest::dropPrompt() {
    // The invitation is not part of the address being typed.
    if (address_ && address_->text() == prompt())
        address_->clear();
}

void KioskContest::kioskKey(int button) {
    TClavierVirtuel* k = keyboard();
    if (!k)
        return;
    const int code = contestKeyCode(k->Buffer().toStdString());
    switch (kioskKeyOf(code)) {
    case KioskKey::Print:
    case KioskKey::Shift:
        break;
    case KioskKey::BackSpace:
        dropPrompt();
        sendKey(Qt::Key_Backspace, {});
        break;
    case KioskKey::ClearAll:
        if (address_)
            address_->clear();
        break;
    case KioskKey::Space:
        dropPrompt();
        sendKey(Qt::Key_Space, QStringLiteral(" "));
        break;
    case KioskKey::Home:
        if (browser_) {
            trace(machine(), std::string("kiosk load ") + kKioskStartPage);
            browser_->home();
        }
        break;
    case KioskKey::Back:
        if (browser_)
            browser_->back();
        break;
    case KioskKey::Forward:
        if (browser_)
            browser_->forward();
        break;
    case KioskKey::Reload:
        if (browser_)
            browser_->reload();
        break;
    case KioskKey::Toggle:
        BasculerKiosque();
        break;
    case KioskKey::Character: {
        const KeyStroke s = strokeForCaption(k->GetButtonCaption(TVKButton(button)).toStdString());
        if (s.character == 0)
            break;
        dropPrompt();
        const QString text = QString::fromUcs4(&s.character, 1);
        sendKey(text.toUpper().at(0).unicode(), text, s.shift ? Qt::ShiftModifier : Qt::NoModifier);
        break;
    }
    }
}

void KioskContest::kioskEnter() {
    ValiderAdresse();
}

void KioskContest::ValiderAdresse() {
    if (address_) {
        const QString typed = address_->text();
        if (typed != prompt())
            address_text_ = kioskAddressFromTyped(typed.toStdString());
    }
    if (browser_ && !address_text_.empty()) {
        trace(machine(), "kiosk load " + address_text_);
        browser_->load(QString::fromStdString(address_text_));
    }
    if (address_)
        address_->setText(prompt());
}

void KioskContest::closeKioskWindows() {
    if (browser_) {
        browser_->stop();
        trace(machine(), "kiosk close");
    }
    delete browser_.data();
    delete address_.data();
}

} // namespace pinstage
