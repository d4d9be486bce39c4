// The keyboard as the machine's buttons, in every window of the program: held keys hold the
// switch closed. Keys typed into a text field, repeated keys and keys the program synthesises
// itself are left alone.
#pragma once

#include "simulator/SmartPlayfield.h"

#include <QObject>
#include <QString>

#include <functional>

namespace pinstage {

enum class SimKey { None, LeftFlipper, RightFlipper, Start, Coin, Tilt, Drain, TestPush, Quit };

// The key's role from its Qt code and, for the two Shift keys, its native codes.
SimKey simKeyFor(int qtKey, quint32 nativeVirtualKey, quint32 nativeScanCode);
// The switch a key drives; -1 for none and for Quit.
int contactForKey(SimKey key);
// One line for the simulator window.
QString keyboardHelpText();

class KeyboardControls : public QObject {
public:
    // A key's release waits this long for the press that would make it an auto-repeat.
    static constexpr uint32_t kReleaseSettleMs = 30;

    KeyboardControls(SmartPlayfield& playfield, std::function<void()> quit, QObject* parent = nullptr);

    // Applies a key's press or release; true when the key belongs to the machine.
    bool handleKey(SimKey key, bool press);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SmartPlayfield& playfield_;
    std::function<void()> quit_;
};

} // namespace pinstage
