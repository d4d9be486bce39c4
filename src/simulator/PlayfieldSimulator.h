// The window "Simulateur de plateau": the switches as buttons, the lamps and coils as lights, the
// status of the game, the keyboard help, the random ball, automatic coins and starts, and the
// playing and recording of switch scripts. It talks only to the simulated board (the machine sees
// a board like any other) and reads the machine for its status line.
#pragma once

#include "board/SimulatedBoard.h"
#include "runtime/Machine.h"
#include "runtime/Script.h"
#include "simulator/CoilPanel.h"
#include "simulator/InputPump.h"
#include "simulator/KeyboardControls.h"
#include "simulator/LampPanel.h"
#include "simulator/PlayfieldDriver.h"
#include "simulator/SwitchPanel.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace pinstage {

struct SimulatorOptions {
    bool smart = true;            // off with --dumb-playfield
    QWidget* backglass = nullptr; // the window is placed beside it, never over it
    std::function<void()> quit;   // Escape; QCoreApplication::quit when empty
    uint32_t seed = 1;            // the random ball's draws
    bool pumpInputOnRead = true;  // deliver window input from inside board reads
};

class PlayfieldSimulator : public QWidget {
public:
    static constexpr int kRefreshMs = 40;

    PlayfieldSimulator(Machine& m, SimulatedBoard& board, SimulatorOptions options);
    ~PlayfieldSimulator() override;

    PlayfieldDriver& driver() { return *driver_; }
    SwitchPanel* switches() const { return switches_; }
    LampPanel* lamps() const { return lamps_; }
    CoilPanel* coils() const { return coils_; }
    QString statusText() const;
    KeyboardControls* keyboard() const { return keys_; }

    // Names from the parameter records, by board position.
    void reloadNames();
    // Lights, coils, buttons and status from the board and the machine now.
    void refresh();
    // Moves the window beside the backglass (another screen when there is one).
    void placeBesideBackglass();

    // Scripts: loading raises PinError with the parser's message; play starts it now.
    void loadScript(const std::filesystem::path& file);
    void playScript();
    bool scriptFinished() const;
    // Random ball with automatic coins and starts, as the two controls would set them.
    void startDemo();
    // A picture of the whole screen ms milliseconds from now (developers, documentation).
    void grabScreenLater(const QString& file, int ms);

    void startRecording();
    // Stops and saves; false when the file could not be written.
    bool stopRecording(const std::filesystem::path& file);

protected:
    // Follows the backglass: placed beside it again when it is shown or resized; stays above the
    // windows opened over it when it had to be placed over the backglass.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The names and wiring the window shows, to notice when the records are loaded or edited.
    std::vector<uint8_t> namesSnapshot() const;
    void buildControls(QWidget* into);
    void chooseScript();
    void recordClicked(bool on);
    void coilEdges();

    Machine& m_;
    std::function<std::optional<uint32_t>()> previousScheduledInput_;
    SimulatedBoard& board_;
    SimulatorOptions options_;
    QPointer<QWidget> backglass_; // may close before this window
    std::unique_ptr<PlayfieldDriver> driver_;
    InputPump pump_;
    std::optional<ScriptPlayer> script_;
    size_t scriptChangeCount_ = 0;

    SwitchPanel* switches_ = nullptr;
    LampPanel* lamps_ = nullptr;
    CoilPanel* coils_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* scriptState_ = nullptr;
    QPushButton* randomBall_ = nullptr;
    QPushButton* playScript_ = nullptr;
    QPushButton* record_ = nullptr;
    QCheckBox* smart_ = nullptr;
    QCheckBox* autoPlay_ = nullptr;
    KeyboardControls* keys_ = nullptr;
    QTimer refreshTimer_;
    std::array<int, kCoilCount> coilBits_{};
    std::vector<uint8_t> namesShown_;
    int refreshes_ = 0;
    bool overBackglass_ = false; // placed over a corner of the backglass, for want of room
};

// The simulator window for the program's --simulate run, placed and shown.
std::unique_ptr<PlayfieldSimulator> createPlayfieldSimulator(Machine& m, SimulatedBoard& board, bool smart,
                                                             QWidget* backglass = nullptr,
                                                             std::function<void()> quit = {});

} // namespace pinstage
