// The creation canvas, its thumbnail action and the preview window.
#include "dashboard/FrontonCanvasWindow.h"

#include "display/QtPath.h"
#include "platform/FileIo.h"
#include "platform/PinError.h"

#include <QBuffer>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <span>

namespace pinstage {

class CanvasArea final : public QWidget {
public:
    explicit CanvasArea(FrontonCanvasWindow& owner) : owner_(owner) {
        setFixedSize(owner.model_->canvasWidth(), owner.model_->canvasHeight());
        setMouseTracking(true);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, owner_.renderCanvas(true));
    }
    void mousePressEvent(QMouseEvent* e) override {
        QPoint at = e->position().toPoint();
        if (e->button() == Qt::RightButton)
            owner_.model_->rightPress(at.x(), at.y());
        else if (e->button() == Qt::LeftButton)
            owner_.model_->leftPress(at.x(), at.y());
        owner_.selectionChanged();
        owner_.mouseAt(at.x(), at.y());
        update();
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        QPoint at = e->position().toPoint();
        if (owner_.model_->dragTo(at.x(), at.y())) {
            // The canvas scrolls when the dragged element reaches the visible edge.
            EditRect r = owner_.model_->working(owner_.model_->selected());
            owner_.scroll_->ensureVisible(at.x(), at.y(), 10, 10);
            owner_.scroll_->ensureVisible(r.left + r.width() / 2, r.top + r.height() / 2, r.width() / 2,
                                          r.height() / 2);
            update();
        }
        owner_.mouseAt(at.x(), at.y());
    }
    void mouseReleaseEvent(QMouseEvent*) override { owner_.model_->release(); }

private:
    FrontonCanvasWindow& owner_;
};

FrontonCanvasWindow::FrontonCanvasWindow(FrontonRecord& layout, const DataRoot& root, int configuration,
                                         int selected, QWidget* parent)
    : QDialog(parent), layout_(layout), root_(root), configuration_(configuration),
      model_(std::make_unique<FrontonCanvasModel>(layout)), pictures_(root, layout) {
    model_->select(selected);
    canvas_ = new CanvasArea(*this);
    scroll_ = new QScrollArea;
    scroll_->setWidget(canvas_);
    scroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    mouseLabel_ = new QLabel(QString::fromStdString(mousePositionText(0, 0)));
    visible_ = new QCheckBox(QStringLiteral("Image visible"));
    showAll_ = new QPushButton(QStringLiteral("Tout afficher"));
    thumbnail_ = new QPushButton(QStringLiteral("Vignette et report des positions"));
    close_ = new QPushButton(QStringLiteral("Fermer"));
    for (QPushButton* b : {showAll_, thumbnail_, close_})
        b->setAutoDefault(false);
    connect(visible_, &QCheckBox::toggled, this, [this](bool on) {
        layout_.elements[size_t(model_->selected())].editorVisibility = on ? 1 : 0;
        canvas_->update();
    });
    connect(showAll_, &QPushButton::clicked, this, [this] {
        for (auto& e : layout_.elements)
            e.editorVisibility = elementPicture(e) ? 1 : 0;
        selectionChanged();
        canvas_->update();
    });
    connect(thumbnail_, &QPushButton::clicked, this, [this] {
        try {
            writeThumbnail();
        } catch (const std::exception& e) {
            if (onError)
                onError(QString::fromUtf8(e.what()));
        }
    });
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);

    auto* bar = new QHBoxLayout;
    bar->addWidget(mouseLabel_);
    bar->addWidget(visible_);
    bar->addStretch(1);
    bar->addWidget(showAll_);
    bar->addWidget(thumbnail_);
    bar->addWidget(close_);
    auto* layoutBox = new QVBoxLayout(this);
    layoutBox->addWidget(scroll_, 1);
    layoutBox->addLayout(bar);
    selectionChanged();
    mouseAt(0, 0);
    renderCanvas(false); // reads the pictures of the elements on show
}

FrontonCanvasWindow::~FrontonCanvasWindow() = default;

void FrontonCanvasWindow::mouseAt(int x, int y) {
    setWindowTitle(QString::fromStdString(model_->caption(x, y)));
    mouseLabel_->setText(QString::fromStdString(mousePositionText(x, y)));
}

void FrontonCanvasWindow::selectionChanged() {
    QSignalBlocker quiet(visible_);
    visible_->setChecked(layout_.elements[size_t(model_->selected())].editorVisibility == 1);
}

QImage FrontonCanvasWindow::renderCanvas(bool marks) const {
    QImage img(model_->canvasWidth(), model_->canvasHeight(), QImage::Format_RGB32);
    img.fill(QColor(24, 24, 40));
    QPainter p(&img);
    auto order = model_->drawingOrder([&](int e) { return model_->drawnOnCanvas(e); });
    // A counter or the record digits are drawn with all their members from the first one.
    std::vector<int> members;
    for (int e : order)
        for (int m : FrontonCanvasModel::groupOf(e))
            members.push_back(m);
    int selected = model_->selected();
    auto selectedGroup = FrontonCanvasModel::groupOf(selected);
    for (int e : members) {
        bool opaque = std::find(selectedGroup.begin(), selectedGroup.end(), e) != selectedGroup.end();
        pictures_.draw(
            p, {e}, [&](int n) { return model_->working(n); }, opaque ? e : -1);
    }
    if (marks) {
        // The selected element's rectangle, drawn or not.
        for (int m : selectedGroup) {
            EditRect r = model_->working(m);
            p.setPen(QPen(QColor(255, 255, 0), 1, Qt::DashLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRect(r.left, r.top, std::max(0, r.width() - 1), std::max(0, r.height() - 1)));
        }
    }
    p.end();
    return img;
}

void FrontonCanvasWindow::writeThumbnail() {
    // The table's background under the thumbnail even when it is hidden on the canvas.
    QImage canvas = renderCanvas(false);
    {
        QPainter p(&canvas);
        if (!model_->drawnOnCanvas(0))
            pictures_.draw(
                p, {0}, [&](int n) { return model_->working(n); }, 0);
        pictures_.draw(p, thumbnailElements(layout_), [&](int n) { return model_->working(n); });
    }
    QImage small =
        canvas.scaled(kThumbnailWidth, kThumbnailHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_RGB888);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    std::string name = thumbnailFileName(configuration_);
    if (!small.save(&buffer, "BMP") ||
        !writeFileAtomically(root_.file(DataDir::Images, name),
                             std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                                      size_t(bytes.size()))))
        throw PinError("Impossible de créer l'image " + name);
    model_->writeBack(layout_);
    if (onWrittenBack)
        onWrittenBack();
}

FrontonPreviewWindow::FrontonPreviewWindow(const FrontonRecord& layout, const DataRoot& root, QSize room,
                                           QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Visualisation du fronton Lumiscope en cours de création   "));
    FrontonCanvasModel model(layout);
    FrontonPictures pictures(root, layout);
    QImage img(model.canvasWidth(), model.canvasHeight(), QImage::Format_RGB32);
    img.fill(Qt::black);
    {
        QPainter p(&img);
        // The advertising picture covers the whole backglass while it is shown and is replaced at run
        // time: left out, so that the layout under it can be seen.
        auto order = model.drawingOrder([&](int e) {
            return e != element::kAdvert && isDrawnLayer(layout.elements[size_t(e)].layer) &&
                   elementPicture(layout.elements[size_t(e)]);
        });
        pictures.draw(p, order, [&](int n) { return model.working(n); });
    }
    unreadable_ = pictures.unreadable();
    picture_ = img.size().boundedTo(room) == img.size()
                   ? img
                   : img.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    auto* label = new QLabel;
    label->setPixmap(QPixmap::fromImage(picture_));
    auto* close = new QPushButton(QStringLiteral("Fermer"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* box = new QVBoxLayout(this);
    box->addWidget(label);
    box->addWidget(close, 0, Qt::AlignRight);
    box->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace pinstage
