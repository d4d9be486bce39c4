// The sounds grid: fill, typing rules, the WAV chooser, the TEST buttons, restore and help.
#include "dashboard/SoundsPage.h"

#include "config/FileNames.h"
#include "config/SoundParams.h"
#include "dashboard/DashboardStyle.h"
#include "dashboard/DashboardUi.h"
#include "dashboard/GridMessages.h"
#include "dashboard/PictureHelpWindow.h"
#include "dashboard/SoundGridRules.h"
#include "dashboard/WavFileChooser.h"
#include "runtime/Machine.h"
#include "sound/SoundSystem.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPushButton>
#include <QResizeEvent>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include <exception>

namespace pinstage {

namespace {

const QString kTestCaption = QStringLiteral("TEST");
const QString kPlayCaption = QStringLiteral("PLAY");
const QString kHelpCaption = QStringLiteral("Mode d'emploi du paramétrage des sons");
const QString kChooserTitle = QStringLiteral("Sélection du fichier Wav utilisé pour le son numéro ");
const QColor kButtonFace{212, 208, 200};
const QColor kPlayingFace{0, 160, 0};
const QColor kLabelGrey{236, 236, 236};

// The five columns have nothing in common: the labels need most of the width, the buttons and
// numbers little. The widths are set here from the texts; the grid keeps the font it is given.
class SoundsGrid final : public DashGrid {
public:
    SoundsGrid() : DashGrid(kSoundGridColumns, kSoundGridRows, 1, 1) {}

    void layoutColumns() {
        QFontMetrics metrics(font());
        auto textWidth = [&](int column) {
            int widest = 0;
            for (int r = 0; r < rowCount(); ++r)
                widest = std::max(widest, metrics.horizontalAdvance(text(column, r)));
            return widest + 16;
        };
        int number = textWidth(kSoundNumberColumn);
        int file = std::max(textWidth(kSoundFileColumn), metrics.horizontalAdvance(QString(24, 'm')) / 2);
        int button = std::max(textWidth(kSoundTestColumn), metrics.horizontalAdvance(kPlayCaption) + 24);
        int function = textWidth(kFunctionSoundColumn);
        // The labels take what the other columns leave; a narrow window keeps them readable and
        // scrolls sideways.
        int left = viewport()->width() - number - file - button - function;
        int label = std::max(left, metrics.horizontalAdvance(QString(30, 'm')));
        setColumnWidth(kSoundNumberColumn, number);
        setColumnWidth(kSoundFileColumn, file);
        setColumnWidth(kSoundTestColumn, button);
        setColumnWidth(kSoundLabelColumn, label);
        setColumnWidth(kFunctionSoundColumn, function);
    }

    QSize sizeHint() const override { return QSize(1200, 600); }
    QSize minimumSizeHint() const override { return QSize(400, 160); }

protected:
    void resizeEvent(QResizeEvent* event) override {
        // Not the shared grid's fitting, which gives every other column one width.
        QTableWidget::resizeEvent(event);
        layoutColumns();
    }
};

std::filesystem::path soundsFileOf(const Machine& m) {
    return configFile(m.root, kSoundsFileName, m.params.configuration);
}

QString utf8(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

SoundsPage::SoundsPage(Machine& machine, DashboardUi& ui, std::function<void()> saveAction, QWidget* parent)
    : QWidget(parent), m_(machine), ui_(ui), saveAction_(std::move(saveAction)), chooser_(chooseWavFile),
      runModal_([](QDialog& window) { window.exec(); }) {
    QScopedValueRollback<bool> filling(filling_, true);
    auto* grid = new SoundsGrid;
    grid_ = grid;
    grid_->setParent(this);
    grid_->setFont(dash::gridFontPoints(11));
    grid_->setRowHeight(24);
    grid_->paintFixedCells(dash::kFixedBlue, dash::kWhite);
    grid_->paintMovableCells(dash::kWhite, dash::kBlack);
    grid_->setText(kSoundNumberColumn, 0, QStringLiteral("Numéro du Son"));
    grid_->setText(kSoundFileColumn, 0, QStringLiteral("Nom du fichier son (format .wav)"));
    grid_->setText(kSoundTestColumn, 0, QString());
    grid_->setText(kSoundLabelColumn, 0, QStringLiteral("Fonction de jeu sonorisée"));
    grid_->setText(kFunctionSoundColumn, 0, QStringLiteral("N°de son pour cette fonction"));
    for (int row = 1; row < kSoundGridRows; ++row) {
        grid_->paint(kSoundLabelColumn, row, kLabelGrey, dash::kBlack);
        if (testSoundOfRow(row) >= 0)
            paintTestButton(row, false);
    }
    // Files are typed for the 64 sounds only; the labels can be selected, not changed.
    grid_->setEditableWhere([](int column, int row) {
        return (column == kSoundFileColumn && testSoundOfRow(row) >= 0) || column == kFunctionSoundColumn;
    });
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    fillFromRecord();

    restore_ = new QPushButton(QStringLiteral("Réinitialiser"), this);
    help_ = new QPushButton(QStringLiteral("Aide"), this);
    for (QPushButton* button : {restore_, help_}) {
        button->setAutoDefault(false);
        button->setMinimumWidth(180);
    }
    auto* top = new QHBoxLayout;
    top->addWidget(restore_);
    top->addWidget(help_);
    top->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(grid_, 1);

    connect(restore_, &QPushButton::clicked, this, &SoundsPage::restoreDefaults);
    connect(help_, &QPushButton::clicked, this, &SoundsPage::showHelp);
    connect(grid_, &QTableWidget::cellClicked, this, &SoundsPage::cellClicked);
    connect(grid_, &QTableWidget::itemChanged, this, &SoundsPage::cellChanged);
}

template <class Action> void SoundsPage::reported(Action&& action) {
    // What a button or a cell starts has no caller to report to: the operator sees the error.
    try {
        action();
    } catch (const std::exception& e) {
        ui_.error(window(), QString::fromUtf8(e.what()));
    }
}

void SoundsPage::pageShown() {
    // A file that cannot be read leaves the table as it was; the grid shows that, then the error.
    try {
        loadSoundParams(soundsFileOf(m_), m_.params.sounds);
    } catch (...) {
        fillFromRecord();
        throw;
    }
    fillFromRecord();
}

void SoundsPage::fillFromRecord() {
    QScopedValueRollback<bool> filling(filling_, true);
    for (int row = 1; row < kSoundGridRows; ++row)
        fillRow(row);
    static_cast<SoundsGrid*>(grid_)->layoutColumns();
}

void SoundsPage::fillRow(int row) {
    int entry = soundEntryOfRow(row);
    if (entry < 0)
        return;
    const SoundEntry& e = m_.params.sounds.entries[size_t(entry)];
    int sound = testSoundOfRow(row);
    grid_->setText(kSoundNumberColumn, row, QString::number(entry));
    grid_->setText(kSoundFileColumn, row, utf8(e.fileName.utf8())); // read only below row 64
    if (sound >= 0)
        paintTestButton(row, (tests_.bits[size_t(sound)] & kSoundTestRedraw) != 0);
    grid_->setText(kSoundLabelColumn, row, utf8(e.label.utf8()));
    grid_->setText(kFunctionSoundColumn, row, QString::number(e.soundNumber));
}

void SoundsPage::paintTestButton(int row, bool playing) {
    QScopedValueRollback<bool> filling(filling_, true);
    grid_->setText(kSoundTestColumn, row, playing ? kPlayCaption : kTestCaption);
    grid_->paint(kSoundTestColumn, row, playing ? kPlayingFace : kButtonFace,
                 playing ? dash::kWhite : dash::kBlack);
    if (auto* cell = grid_->cell(kSoundTestColumn, row))
        cell->setTextAlignment(Qt::AlignCenter);
}

void SoundsPage::cellClicked(int row, int column) {
    int sound = testSoundOfRow(row);
    if (sound < 0)
        return; // rows 65-95: no file dialog, no TEST button
    if (column == kSoundFileColumn) {
        chooseFile(row);
    } else if (column == kSoundTestColumn && !grid_->text(column, row).isEmpty()) {
        if (requestSoundTest(tests_, sound, row))
            paintTestButton(row, true);
    }
}

void SoundsPage::chooseFile(int row) {
    int sound = testSoundOfRow(row);
    QString dir = QString::fromStdString(m_.root.dir(DataDir::Sons).string());
    QString chosen = chooser_(window(), kChooserTitle + QString::number(sound), dir);
    std::string name = bareFileName(chosen.toStdString());
    if (name.empty())
        return; // cancelled, or nothing left once the folders are cut off
    std::string problem = chosenSoundFileProblem(name);
    if (!problem.empty()) {
        ui_.error(window(), utf8(problem));
        return;
    }
    m_.params.sounds.entries[size_t(sound)].fileName.setUtf8(name);
    {
        QScopedValueRollback<bool> filling(filling_, true);
        grid_->setText(kSoundFileColumn, row, utf8(name));
    }
    // The file is not copied: the reload finds it in the sounds directory, or falls back to the
    // sound's default file and rewrites the entry.
    if (saveAction_)
        saveAction_();
    ui_.confineCursor(nullptr);
}

void SoundsPage::cellChanged(QTableWidgetItem* item) {
    if (filling_ || item == nullptr)
        return;
    int row = item->row();
    int entry = soundEntryOfRow(row);
    if (entry < 0)
        return;
    QScopedValueRollback<bool> filling(filling_, true);
    SoundEntry& e = m_.params.sounds.entries[size_t(entry)];
    std::string text = item->text().toStdString();
    if (item->column() == kSoundFileColumn && testSoundOfRow(row) >= 0) {
        if (typedSoundFileAccepted(text))
            e.fileName.setUtf8(text);
        else
            item->setText(QString());
    } else if (item->column() == kFunctionSoundColumn) {
        TypedSoundNumber typed = typedSoundNumber(text);
        switch (typed.kind) {
        case TypedSoundNumber::Accepted:
            e.soundNumber = typed.value;
            item->setText(QString::number(typed.value));
            break;
        case TypedSoundNumber::Silenced:
            e.soundNumber = typed.value;
            item->setText(QString());
            break;
        case TypedSoundNumber::NotANumber:
            item->setText(QString::number(e.soundNumber));
            ui_.error(window(), utf8(notANumberMessage(text)));
            break;
        }
    }
}

void SoundsPage::save() {
    saveSoundParams(soundsFileOf(m_), m_.params.sounds);
    try {
        reloadSoundSystem();
    } catch (...) {
        fillFromRecord(); // names repaired before the failure
        throw;
    }
    fillFromRecord();
}

void SoundsPage::reloadSoundSystem() {
    if (!m_.sound)
        return; // a machine without sound (tools, tests): the file is what counts
    m_.sound->releaseSound();
    m_.sound->initSound();
    m_.sound->loadSounds();
}

void SoundsPage::tick() {
    std::vector<int> done = runSoundTests(tests_, m_.sound, m_.now());
    for (int sound : done)
        paintTestButton(sound + 1, false);
}

void SoundsPage::restoreDefaults() {
    bool restored = false;
    reported([&] {
        restoreSoundParamsDefaults(m_.root, m_.params.configuration, m_.params.contacts, m_.params.sounds);
        restored = true;
    });
    if (!restored)
        return;
    if (saveAction_)
        saveAction_();
    reported([&] { pageShown(); });
}

void SoundsPage::showHelp() {
    QImage picture = loadHelpPicture(m_.root.dir(DataDir::Images), "modemploison");
    if (picture.isNull()) {
        ui_.error(window(), QStringLiteral("Image du mode d'emploi modemploison.bmp introuvable dans le "
                                           "répertoire ") +
                                QString::fromStdString(m_.root.dir(DataDir::Images).string()));
        return;
    }
    PictureHelpWindow window(kHelpCaption, picture, this->window());
    if (runModal_)
        runModal_(window);
}

} // namespace pinstage
