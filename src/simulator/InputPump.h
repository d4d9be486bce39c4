// Lets the window system deliver pending input while the program keeps re-reading the board
// without returning to its loop (the start button held): at most once per millisecond, never
// from inside itself.
#pragma once

#include <QElapsedTimer>

namespace pinstage {

class InputPump {
public:
    InputPump() { since_.start(); }
    void operator()();
    bool busy() const { return busy_; }
    int runs() const { return runs_; }

private:
    QElapsedTimer since_;
    bool busy_ = false;
    int runs_ = 0;
};

} // namespace pinstage
