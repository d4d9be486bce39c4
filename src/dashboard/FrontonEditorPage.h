// Page 4: the backglass editor. A grid of the 89 layout records with the typed-value rules, the
// picture chooser and cutter, the creation canvas, the preview, the help picture and the
// restore-defaults action. The page edits its own copy of the layout: the running backglass is
// rebuilt from the saved file when the dashboard closes.
#pragma once

#include "config/FrontonParams.h"
#include "dashboard/DashGrid.h"

#include <QWidget>

#include <functional>

class QDialog;
class QPushButton;

namespace pinstage {

struct Machine;
class DashboardUi;

// The grid with its own column widths: the function labels need a wide column, the numbers do not.
class FrontonGrid final : public DashGrid {
    Q_OBJECT
public:
    explicit FrontonGrid(QWidget* parent = nullptr);
    void fitToTexts();

protected:
    void resizeEvent(QResizeEvent* event) override;
};

class FrontonEditorPage final : public QWidget {
    Q_OBJECT
public:
    FrontonEditorPage(Machine& machine, DashboardUi& ui, QWidget* parent = nullptr);

    DashGrid* grid() const { return grid_; }
    const FrontonRecord& layout() const { return layout_; }
    QPushButton* restoreButton() const { return restore_; }
    QPushButton* helpButton() const { return help_; }
    QPushButton* buildButton() const { return build_; }
    QPushButton* previewButton() const { return preview_; }

    // Page shown: the mouse is freed, the numbered "FrontonParam.fli" read, the grid filled.
    void pageShown();
    // "Enregistrer" on this page: the layout saved; the backglass is rebuilt from it when the
    // dashboard closes.
    void save();
    void restoreDefaults();
    void showHelp();
    // Column 1 of a picture row: file dialog, then the cutter.
    void choosePicture(int picture);
    void openCanvas();
    void openPreview();
    void fill();

    // What the page asks of the window system, replaceable by tests and tools: the file dialog
    // (returns the chosen path, empty when cancelled) and running a window modally (its result).
    std::function<QString(QWidget* parent, const QString& title, const QString& dir, const QString& filter)>
        pickFile;
    std::function<int(QDialog&)> runWindow;

private:
    void cellChanged(class QTableWidgetItem* item);
    void cellClicked(int row, int column);
    void refreshRow(int element);
    void guarded(const std::function<void()>& action);
    void place(QDialog& window);
    int configuration() const;

    Machine& m_;
    DashboardUi& ui_;
    FrontonRecord layout_;
    FrontonGrid* grid_;
    QPushButton* restore_;
    QPushButton* help_;
    QPushButton* build_;
    QPushButton* preview_;
    bool filling_ = false;
};

} // namespace pinstage
