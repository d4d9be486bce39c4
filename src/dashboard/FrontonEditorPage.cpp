// The backglass editor page: grid, chooser, canvas, preview, help and restore.
#include "dashboard/FrontonEditorPage.h"

#include "config/FileNames.h"
#include "dashboard/DashboardStyle.h"
#include "dashboard/DashboardUi.h"
#include "dashboard/FrontonCanvasWindow.h"
#include "dashboard/FrontonGridRules.h"
#include "dashboard/FrontonPictures.h"
#include "dashboard/GridMessages.h"
#include "dashboard/PictureCutWindow.h"
#include "display/QtPath.h"
#include "runtime/Machine.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QVBoxLayout>

#include <filesystem>
#include <system_error>

namespace pinstage {

namespace {

const QString kRefusedCaption = QStringLiteral("Valeur Incorrecte");
const QString kPictureRefusedCaption = QStringLiteral("Image refusée");
const QColor kButtonGrey{212, 208, 200};

QString defaultPickFile(QWidget* parent, const QString& title, const QString& dir, const QString& filter) {
    // Qt's own dialog: the cabinet may have no desktop to lend one.
    return QFileDialog::getOpenFileName(parent, title, dir, filter, nullptr,
                                        QFileDialog::DontUseNativeDialog);
}

bool sameDirectory(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec1;
    std::error_code ec2;
    auto ca = std::filesystem::weakly_canonical(a, ec1);
    auto cb = std::filesystem::weakly_canonical(b, ec2);
    return !ec1 && !ec2 && ca == cb;
}

} // namespace

FrontonGrid::FrontonGrid(QWidget* parent) : DashGrid(kFrontonGridColumns, kFrontonGridRows, 1, 2, parent) {}

void FrontonGrid::resizeEvent(QResizeEvent* event) {
    // The shared grid gives every column but the first one width; this one sizes each column.
    QTableWidget::resizeEvent(event);
    fitToTexts();
}

void FrontonGrid::fitToTexts() {
    constexpr int kMargins = 12;
    constexpr int kWidestLabel = 640;
    QFontMetrics metrics(font());
    for (int c = 0; c < columnCount(); ++c) {
        int widest = 0;
        for (int r = 0; r < rowCount(); ++r)
            widest = std::max(widest, metrics.horizontalAdvance(text(c, r)));
        int width = widest + kMargins;
        if (c == fronton_col::kLabel)
            width = std::min(width, kWidestLabel);
        setColumnWidth(c, width);
    }
}

FrontonEditorPage::FrontonEditorPage(Machine& machine, DashboardUi& ui, QWidget* parent)
    : QWidget(parent), m_(machine), ui_(ui), layout_(machine.params.fronton) {
    pickFile = defaultPickFile;
    runWindow = [](QDialog& window) { return window.exec(); };

    QScopedValueRollback<bool> filling(filling_, true);
    grid_ = new FrontonGrid(this);
    grid_->setFont(dash::dashboardFont(16));
    grid_->setRowHeight(24);
    grid_->paintFixedCells(dash::kFixedBlue, dash::kWhite);
    grid_->paintMovableCells(dash::kWhite, dash::kBlack);
    for (int row = 0; row < kFrontonGridRows; ++row) {
        if (isPictureRow(row))
            grid_->paint(fronton_col::kChooser, row, kButtonGrey, dash::kBlack);
        for (int column = 0; column < kFrontonGridColumns; ++column)
            if (!grid_->isFixed(column, row) && !frontonCellEditable(column, row) &&
                column != fronton_col::kChooser)
                grid_->paint(column, row, dash::kAccountingSilver, dash::kBlack);
    }
    grid_->setEditableWhere([](int column, int row) { return frontonCellEditable(column, row); });
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    fill();

    restore_ = new QPushButton(QStringLiteral("Réinitialiser"));
    help_ = new QPushButton(QStringLiteral("Aide"));
    build_ = new QPushButton(QStringLiteral("Construire le fronton"));
    preview_ = new QPushButton(QStringLiteral("Visualiser le fronton"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {build_, preview_, restore_, help_}) {
        b->setAutoDefault(false);
        b->setFont(dash::dashboardFont(18));
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    connect(restore_, &QPushButton::clicked, this, [this] { guarded([this] { restoreDefaults(); }); });
    connect(help_, &QPushButton::clicked, this, [this] { guarded([this] { showHelp(); }); });
    connect(build_, &QPushButton::clicked, this, [this] { guarded([this] { openCanvas(); }); });
    connect(preview_, &QPushButton::clicked, this, [this] { guarded([this] { openPreview(); }); });

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->addLayout(buttons);
    box->addWidget(grid_, 1);

    connect(grid_, &QTableWidget::itemChanged, this, &FrontonEditorPage::cellChanged);
    connect(grid_, &QTableWidget::cellClicked, this, &FrontonEditorPage::cellClicked);
}

int FrontonEditorPage::configuration() const {
    return m_.params.configuration;
}

void FrontonEditorPage::pageShown() {
    ui_.confineCursor(nullptr); // the chooser and the canvas need the whole screen
    loadFronton(configFile(m_.root, kFrontonFileName, configuration()), layout_);
    fill();
}

void FrontonEditorPage::fill() {
    QScopedValueRollback<bool> filling(filling_, true);
    for (int row = 0; row < kFrontonGridRows; ++row)
        for (int column = 0; column < kFrontonGridColumns; ++column)
            grid_->setText(column, row, QString::fromStdString(frontonCellText(layout_, column, row)));
    grid_->fitToTexts();
}

void FrontonEditorPage::refreshRow(int element) {
    QScopedValueRollback<bool> filling(filling_, true);
    int row = element + kFrontonGridTitleRows;
    for (int column = 0; column < kFrontonGridColumns; ++column)
        grid_->setText(column, row, QString::fromStdString(frontonCellText(layout_, column, row)));
}

void FrontonEditorPage::save() {
    saveFronton(configFile(m_.root, kFrontonFileName, configuration()), layout_);
    m_.rt.frontonReloadRequest = 1;
}

void FrontonEditorPage::cellChanged(QTableWidgetItem* item) {
    if (filling_ || item == nullptr)
        return;
    int column = item->column();
    int row = item->row();
    QString typed = item->text();
    CellEdit edit = applyFrontonCell(layout_, column, row, typed.toStdString());
    {
        QScopedValueRollback<bool> filling(filling_, true);
        item->setText(QString::fromStdString(edit.shown));
    }
    if (edit.outcome == CellOutcome::NotANumber)
        ui_.warning(window(), kRefusedCaption,
                    QString::fromStdString(notANumberMessage(typed.toStdString())));
}

void FrontonEditorPage::cellClicked(int row, int column) {
    if (column == fronton_col::kChooser && isPictureRow(row))
        guarded([&] { choosePicture(frontonElementOfRow(row)); });
}

void FrontonEditorPage::guarded(const std::function<void()>& action) {
    // A file that cannot be written is told to the operator; the dashboard carries on.
    try {
        action();
    } catch (const std::exception& e) {
        ui_.error(window(), QString::fromUtf8(e.what()));
    }
}

void FrontonEditorPage::place(QDialog& window) {
    // No window manager on a cabinet: the window places itself over the middle of the dashboard.
    window.adjustSize();
    QRect over = this->window()->geometry();
    if (QScreen* screen = this->window()->screen(); screen && over.isEmpty())
        over = screen->geometry();
    QSize size = window.size().boundedTo(over.size());
    window.setGeometry(QRect(over.center() - QPoint(size.width() / 2, size.height() / 2), size));
}

void FrontonEditorPage::choosePicture(int picture) {
    if (picture < 0 || picture >= kFrontonPictureCount)
        return;
    auto images = m_.root.dir(DataDir::Images);
    QString chosen =
        pickFile(window(),
                 QStringLiteral("Sélection du fichier image (.bmp ou .jpg) utilisé pour l'image numéro ") +
                     QString::number(picture),
                 toQString(images),
                 QStringLiteral("Fichiers Bitmap (*.bmp *.BMP);;Fichiers jpeg ou jpg (*.jpg *.JPG)"));
    if (chosen.isEmpty())
        return;
    std::filesystem::path file(chosen.toStdU16String());
    std::string name = QFileInfo(chosen).fileName().toStdString();
    // The layout keeps a bare name looked up in the images directory: a picture elsewhere would
    // never load, and the start-up accepts only the exact extensions "bmp" and "jpg".
    if (!sameDirectory(file.parent_path(), images)) {
        ui_.warning(window(), kPictureRefusedCaption,
                    QStringLiteral("L'image doit se trouver dans le répertoire « %1 » : copiez-la d'abord.")
                        .arg(QString::fromUtf8(DataRoot::subDirName(DataDir::Images))));
        return;
    }
    std::string ext = file.extension().string();
    if (ext != ".bmp" && ext != ".jpg") {
        ui_.warning(window(), kPictureRefusedCaption,
                    QStringLiteral("Le nom de l'image doit finir par .bmp ou .jpg, en minuscules."));
        return;
    }
    TextSlot<32> slot;
    if (!slot.setUtf8(name) || slot.utf8() != name) {
        ui_.warning(window(), kPictureRefusedCaption,
                    QStringLiteral("Le nom de l'image est trop long (31 caractères au plus)."));
        return;
    }
    QImage image = readLayoutPicture(file);
    if (image.isNull()) {
        ui_.error(window(), QString::fromUtf8(kPictureUnreadable));
        return;
    }
    PictureCutWindow cutter(picture, image, window());
    place(cutter);
    if (runWindow(cutter) != QDialog::Accepted)
        return;
    auto rect = cutter.chosenRect();
    if (!rect) {
        ui_.warning(window(), kPictureRefusedCaption,
                    QStringLiteral("La partie choisie est en dehors de l'image : rien n'est changé."));
        return;
    }
    FrontonElement& e = layout_.elements[size_t(picture)];
    e.pictureFile = slot;
    e.sourceLeft = rect->left;
    e.sourceRight = rect->right;
    e.sourceTop = rect->top;
    e.sourceBottom = rect->bottom;
    refreshRow(picture);
    grid_->fitToTexts();
    save();
}

void FrontonEditorPage::restoreDefaults() {
    restoreFrontonDefaults(m_.root, configuration(), layout_);
    save();
    fill();
}

void FrontonEditorPage::showHelp() {
    QImage picture = readLayoutPicture(m_.root.file(DataDir::Images, "modemploifronton.bmp"));
    if (picture.isNull())
        picture = readLayoutPicture(m_.root.file(DataDir::Images, "modemploifronton.jpg"));
    if (picture.isNull()) {
        ui_.error(window(), QStringLiteral("Image d'aide introuvable : modemploifronton.bmp"));
        return;
    }
    QDialog help(window());
    help.setWindowTitle(QStringLiteral("Mode d'emploi pour construire le fronton"));
    auto* label = new QLabel;
    QSize room = window()->size() * 9 / 10;
    label->setPixmap(
        QPixmap::fromImage(picture.size().boundedTo(room) == picture.size()
                               ? picture
                               : picture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    auto* close = new QPushButton(QStringLiteral("Fermer"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, &help, &QDialog::accept);
    auto* box = new QVBoxLayout(&help);
    box->addWidget(label);
    box->addWidget(close, 0, Qt::AlignRight);
    box->setSizeConstraint(QLayout::SetFixedSize);
    place(help);
    runWindow(help);
}

void FrontonEditorPage::openCanvas() {
    // A layout where nothing is shown in the editor yet (the built-in one) opens with every
    // element that has a picture on show, rather than an empty canvas.
    bool anyShown = false;
    for (const auto& e : layout_.elements)
        anyShown = anyShown || e.editorVisibility == 1;
    if (!anyShown)
        for (auto& e : layout_.elements)
            e.editorVisibility = elementPicture(e) ? 1 : 0;
    int current = frontonElementOfRow(grid_->currentRow());
    FrontonCanvasWindow canvas(layout_, m_.root, configuration(), current > 0 ? current : 1, window());
    canvas.onWrittenBack = [this] { fill(); };
    canvas.onError = [this](const QString& text) { ui_.error(window(), text); };
    QRect over = window()->geometry();
    canvas.setGeometry(over.adjusted(20, 20, -20, -20));
    bool told = canvas.picturesUnreadable();
    if (told)
        ui_.error(window(), QString::fromUtf8(kPictureUnreadable));
    runWindow(canvas);
    if (!told && canvas.picturesUnreadable())
        ui_.error(window(), QString::fromUtf8(kPictureUnreadable));
}

void FrontonEditorPage::openPreview() {
    FrontonPreviewWindow preview(layout_, m_.root, window()->size() * 9 / 10, window());
    if (preview.unreadable())
        ui_.error(window(), QString::fromUtf8(kPictureUnreadable));
    place(preview);
    runWindow(preview);
}

} // namespace pinstage
