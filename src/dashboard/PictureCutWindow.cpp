// The picture cutter's window and its rubber-band area.
#include "dashboard/PictureCutWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace pinstage {

class CutArea final : public QWidget {
public:
    CutArea(PictureCutWindow& owner) : owner_(owner) {
        setFixedSize(owner.image_.size());
        setMouseTracking(false);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, owner_.image_);
        if (auto r = owner_.band_.rect()) {
            // The frame lies 2 pixels outside the band, so the band's own pixels stay visible.
            QPen pen(Qt::red, 1, Qt::DashLine);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRect(QPoint(r->left - 2, r->top - 2), QPoint(r->right + 1, r->bottom + 1)));
        }
    }
    void mousePressEvent(QMouseEvent* e) override {
        QPoint at = e->position().toPoint();
        owner_.band_.press(at.x(), at.y(), e->button() == Qt::RightButton);
        owner_.bandChanged();
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        QPoint at = e->position().toPoint();
        owner_.band_.moveTo(at.x(), at.y());
        owner_.bandChanged();
    }
    void mouseReleaseEvent(QMouseEvent*) override {
        owner_.band_.release();
        owner_.bandChanged();
    }

private:
    PictureCutWindow& owner_;
};

PictureCutWindow::PictureCutWindow(int picture, const QImage& image, QWidget* parent)
    : QDialog(parent), image_(image) {
    setWindowTitle(QStringLiteral("Sélection de la partie d'image qui sera utilisée pour l'image numéro ") +
                   QString::number(picture));
    area_ = new CutArea(*this);
    scroll_ = new QScrollArea;
    scroll_->setWidget(area_);
    scroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The window follows the picture up to 921 x 551; a larger picture scrolls.
    int frame = 2 * scroll_->frameWidth();
    scroll_->setFixedSize(std::min(image.width(), kLargestWidth) + frame,
                          std::min(image.height(), kLargestHeight) + frame);
    if (image.width() > kLargestWidth || image.height() > kLargestHeight) {
        scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        scroll_->setFixedSize(scroll_->width() + 16, scroll_->height() + 16);
    }

    positions_ = new QLabel;
    ok_ = new QPushButton(QStringLiteral("Sélection OK"));
    ok_->setToolTip(QStringLiteral("terminer la sélection"));
    cancel_ = new QPushButton(QStringLiteral("Annuler"));
    cancel_->setToolTip(QStringLiteral("Annuler tout"));
    ok_->setAutoDefault(false);
    cancel_->setAutoDefault(false);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll_);
    layout->addWidget(positions_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    bandChanged();
}

void PictureCutWindow::bandChanged() {
    auto r = band_.rect().value_or(EditRect{});
    positions_->setText(QStringLiteral(" : Position départ X = : %1  Position départ Y = : %2"
                                       "  Position finale X = : %3  Position finale Y  = : %4")
                            .arg(r.left)
                            .arg(r.top)
                            .arg(r.right)
                            .arg(r.bottom));
    area_->update();
}

std::optional<EditRect> PictureCutWindow::chosenRect() const {
    EditRect whole{0, 0, image_.width(), image_.height()};
    return cutToPicture(band_.rect().value_or(whole), image_.width(), image_.height());
}

} // namespace pinstage
