// The picture help window.
#include "dashboard/PictureHelpWindow.h"

#include "platform/qt/FullScreen.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace pinstage {

namespace {
QImage loadPicture(const std::filesystem::path& file) {
    QImage image;
    if (std::filesystem::is_regular_file(file))
        image.load(QString::fromStdString(file.string()));
    return image;
}
} // namespace

QImage loadHelpPicture(const std::filesystem::path& dir, const std::string& baseName) {
    QImage image = loadPicture(dir / (baseName + ".bmp"));
    if (image.isNull())
        image = loadPicture(dir / (baseName + ".jpg"));
    return image;
}

PictureHelpWindow::PictureHelpWindow(const QString& caption, const QImage& picture, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(caption);
    setModal(true);

    auto* title = new QLabel(caption);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);

    picture_ = new QLabel;
    picture_->setAlignment(Qt::AlignCenter);
    QScreen* screen = screenOf(parent ? parent->window() : nullptr);
    QPixmap pixmap = QPixmap::fromImage(picture);
    if (screen && !pixmap.isNull()) {
        // The picture's own size, unless the screen is smaller: then it is shrunk to fit.
        QSize room = screen->availableGeometry().size() - QSize(40, 160);
        if (pixmap.width() > room.width() || pixmap.height() > room.height())
            pixmap = pixmap.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    picture_->setPixmap(pixmap);
    picture_->setFixedSize(pixmap.size());

    close_ = new QPushButton(QStringLiteral("Fermer"));
    close_->setDefault(true);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);

    // A drawn border: without a window manager nothing else sets the window off the page under it.
    auto* border = new QFrame(this);
    border->setFrameStyle(QFrame::Box | QFrame::Plain);
    border->setLineWidth(2);
    auto* inside = new QVBoxLayout(border);
    inside->addWidget(title);
    inside->addWidget(picture_, 0, Qt::AlignCenter);
    inside->addWidget(close_, 0, Qt::AlignHCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(border);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    centreOnScreen(*this, screen);
}

} // namespace pinstage
