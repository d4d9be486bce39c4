// Page 3: the sound table in a grid. Each of the 64 sounds has its WAV file (chosen in a file
// dialog or typed) and a TEST button; each of the 95 game functions shows its label and the
// sound number it plays (typed). "Enregistrer" saves "SonsParam.fli" (numbered) and reloads the
// sound system; "Réinitialiser" brings back the default table, "Aide" shows the help picture.
#pragma once

#include "dashboard/DashGrid.h"
#include "dashboard/SoundTestButtons.h"

#include <QString>
#include <QWidget>

#include <functional>

class QDialog;
class QPushButton;

namespace pinstage {

struct Machine;
class DashboardUi;

class SoundsPage final : public QWidget {
    Q_OBJECT
public:
    // Asks for one file; returns its path, or an empty text when cancelled.
    using FileChooser = std::function<QString(QWidget* parent, const QString& title, const QString& dir)>;
    // Shows a window modally and returns once it is closed.
    using ModalRunner = std::function<void(QDialog& window)>;

    // saveAction is the dashboard's "Enregistrer" for this page (it shows its own errors).
    SoundsPage(Machine& machine, DashboardUi& ui, std::function<void()> saveAction,
               QWidget* parent = nullptr);

    DashGrid* grid() const { return grid_; }
    QPushButton* restoreButton() const { return restore_; }
    QPushButton* helpButton() const { return help_; }
    const SoundTestState& testState() const { return tests_; }

    // The page comes on show: the numbered "SonsParam.fli" read into the table, then the grid.
    void pageShown();
    // "Enregistrer": the table saved, then the sound system released, opened and loaded again
    // (a missing file is repaired there, and the grid shows the repaired name).
    void save();
    // The dashboard's timer: the TEST buttons.
    void tick();
    // "Réinitialiser": the numbered "DefautSons.fli" (or the built-in table, written as both
    // files when it is missing), saved and loaded, then the grid from the file.
    void restoreDefaults();
    // "Aide": "modemploison.bmp" (or ".jpg") of the images directory in its window.
    void showHelp();

    // Qt's own file dialog and a modal exec unless replaced (tests).
    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }
    void setModalRunner(ModalRunner runner) { runModal_ = std::move(runner); }

private:
    void fillFromRecord();
    void fillRow(int row);
    void paintTestButton(int row, bool playing);
    void cellClicked(int row, int column);
    void cellChanged(QTableWidgetItem* item);
    void chooseFile(int row);
    void reloadSoundSystem();
    template <class Action> void reported(Action&& action);

    Machine& m_;
    DashboardUi& ui_;
    std::function<void()> saveAction_;
    FileChooser chooser_;
    ModalRunner runModal_;
    DashGrid* grid_;
    QPushButton* restore_;
    QPushButton* help_;
    SoundTestState tests_;
    bool filling_ = false;
};

} // namespace pinstage
