// Drawing and flash timing of the coil indicators.
#include "simulator/CoilPanel.h"

#include <QPainter>

namespace pinstage {

namespace {
constexpr int kCellWidth = 110;
constexpr int kCellHeight = 38;
} // namespace

CoilPanel::CoilPanel(QWidget* parent) : QWidget(parent) {
    wall_.start();
    flashUntil_.fill(-1);
    setMinimumSize(8 * 60, 3 * kCellHeight);
    for (int i = 0; i < 24; ++i)
        names_[size_t(i)] = QStringLiteral("Bobine %1").arg(i);
}

void CoilPanel::setNames(const std::array<std::string, 24>& namesUtf8) {
    for (int i = 0; i < 24; ++i) {
        QString name = QString::fromStdString(namesUtf8[size_t(i)]);
        names_[size_t(i)] = QStringLiteral("%1 %2").arg(i).arg(name);
    }
    update();
}

void CoilPanel::setEnergised(uint32_t mask) {
    uint32_t rising = mask & ~energised_;
    energised_ = mask;
    for (int i = 0; i < 24; ++i)
        if (rising & (1u << i))
            flash(i);
    // Painted again only when what it shows changes: the board changes many times a second.
    if (litMask() != painted_)
        update();
}

uint32_t CoilPanel::litMask() const {
    uint32_t lit = 0;
    for (int i = 0; i < 24; ++i)
        if (indicatorLit(i))
            lit |= 1u << i;
    return lit;
}

void CoilPanel::flash(int coil) {
    if (coil < 0 || coil >= 24)
        return;
    flashUntil_[size_t(coil)] = wall_.elapsed() + kFlashMs;
    ++pulses_[size_t(coil)];
    update();
}

bool CoilPanel::indicatorLit(int coil) const {
    if (coil < 0 || coil >= 24)
        return false;
    return (energised_ & (1u << coil)) || wall_.elapsed() < flashUntil_[size_t(coil)];
}

uint32_t CoilPanel::pulsesSeen(int coil) const {
    return coil >= 0 && coil < 24 ? pulses_[size_t(coil)] : 0;
}

QSize CoilPanel::sizeHint() const {
    return {8 * kCellWidth, 3 * kCellHeight};
}

QRect CoilPanel::cellRect(int coil) const {
    int w = width() / 8, h = height() / 3;
    return {(coil % 8) * w, (coil / 8) * h, w, h};
}

void CoilPanel::paintEvent(QPaintEvent*) {
    painted_ = litMask();
    QPainter p(this);
    QFont f = font();
    f.setPixelSize(10);
    p.setFont(f);
    for (int i = 0; i < 24; ++i) {
        QRect cell = cellRect(i).adjusted(2, 2, -2, -2);
        QRect light(cell.x(), cell.y(), cell.width(), std::max(8, cell.height() / 3));
        bool lit = indicatorLit(i);
        p.setPen(QColor(60, 60, 60));
        p.setBrush(lit ? QColor(255, 40, 30) : QColor(70, 30, 30));
        p.drawRect(light);
        p.setPen(palette().color(QPalette::WindowText));
        QRect text(cell.x(), light.bottom() + 1, cell.width(), cell.bottom() - light.bottom());
        p.drawText(text, Qt::AlignHCenter | Qt::AlignTop,
                   p.fontMetrics().elidedText(names_[size_t(i)], Qt::ElideRight, text.width()));
    }
}

} // namespace pinstage
