// Key mapping of the simulator and its application-wide event filter.
#include "simulator/KeyboardControls.h"

#include "simulator/PlayfieldMap.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace pinstage {

namespace {

// Native codes of the Shift keys: X11 key symbols, Windows virtual keys, then X11 key codes and PC
// scan codes of the right one (a left Shift is whatever is not known to be right).
constexpr quint32 kXkShiftL = 0xFFE1;
constexpr quint32 kXkShiftR = 0xFFE2;
constexpr quint32 kX11CodeShiftR = 62;
constexpr quint32 kScanShiftR = 0x36;
constexpr quint32 kWinVkLShift = 0xA0;
constexpr quint32 kWinVkRShift = 0xA1;

bool rightShift(quint32 nativeVirtualKey, quint32 nativeScanCode) {
    if (nativeVirtualKey == kXkShiftR || nativeVirtualKey == kWinVkRShift)
        return true;
    if (nativeVirtualKey == kXkShiftL || nativeVirtualKey == kWinVkLShift)
        return false;
    return nativeScanCode == kX11CodeShiftR || nativeScanCode == kScanShiftR;
}

bool typingText() {
    QWidget* focus = QApplication::focusWidget();
    return focus && focus->testAttribute(Qt::WA_InputMethodEnabled);
}

} // namespace

SimKey simKeyFor(int qtKey, quint32 nativeVirtualKey, quint32 nativeScanCode) {
    switch (qtKey) {
    case Qt::Key_Shift:
        return rightShift(nativeVirtualKey, nativeScanCode) ? SimKey::RightFlipper : SimKey::LeftFlipper;
    case Qt::Key_1:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return SimKey::Start;
    case Qt::Key_5:
        return SimKey::Coin;
    case Qt::Key_T:
        return SimKey::Tilt;
    case Qt::Key_D:
        return SimKey::Drain;
    case Qt::Key_PageDown:
    case Qt::Key_F2:
        return SimKey::TestPush;
    case Qt::Key_Escape:
        return SimKey::Quit;
    default:
        return SimKey::None;
    }
}

int contactForKey(SimKey key) {
    switch (key) {
    case SimKey::LeftFlipper:
        return playfield::kLeftFlipperButton;
    case SimKey::RightFlipper:
        return playfield::kRightFlipperButton;
    case SimKey::Start:
        return playfield::kStart;
    case SimKey::Coin:
        return playfield::kCoin;
    case SimKey::Tilt:
        return playfield::kTilt;
    case SimKey::Drain:
        return playfield::kDrain;
    case SimKey::TestPush:
        return playfield::kTestPush;
    case SimKey::None:
    case SimKey::Quit:
        break;
    }
    return -1;
}

QString keyboardHelpText() {
    return QStringLiteral(
        "Clavier : Maj gauche = flipper gauche (c71) · Maj droite = flipper droit (c64) · "
        "1 ou Entrée = départ (c5) · 5 = pièce (c4) · T = tilt (c7) · D = bille perdue (c47) · "
        "Page suivante ou F2 = test (c0) · Échap = quitter. Clic = impulsion, clic droit = "
        "maintenu fermé.");
}

KeyboardControls::KeyboardControls(SmartPlayfield& playfield, std::function<void()> quit, QObject* parent)
    : QObject(parent), playfield_(playfield), quit_(std::move(quit)) {}

bool KeyboardControls::handleKey(SimKey key, bool press) {
    if (key == SimKey::None)
        return false;
    if (key == SimKey::Quit) {
        if (press && quit_)
            quit_();
        return true;
    }
    int contact = contactForKey(key);
    // When the program is busy, the window system may no longer mark a held key's repeats, which
    // then come as releases each followed at once by a press: a release settles before it counts.
    if (press)
        playfield_.press(contact);
    else
        playfield_.releaseSoon(contact, kReleaseSettleMs);
    return true;
}

bool KeyboardControls::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return QObject::eventFilter(watched, event);
    // Keys the program synthesises for its message boxes are not the player's.
    if (!event->spontaneous() || typingText())
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    SimKey role = simKeyFor(key->key(), key->nativeVirtualKey(), key->nativeScanCode());
    if (role == SimKey::None)
        return false;
    // A modal box keeps its own Escape.
    if (role == SimKey::Quit && QApplication::activeModalWidget())
        return false;
    if (key->isAutoRepeat())
        return true; // a held key stays one closure
    return handleKey(role, event->type() == QEvent::KeyPress);
}

} // namespace pinstage
