// Drawing and tooltips of the lamp lights.
#include "simulator/LampPanel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace pinstage {

namespace {
constexpr int kCell = 30;
constexpr int kLabel = 22; // the byte numbers at the left
} // namespace

LampPanel::LampPanel(QWidget* parent) : QWidget(parent) {
    setMinimumSize(kLabel + 8 * 18, 8 * 18);
    for (int n = 0; n < 64; ++n)
        names_[size_t(n)] = QStringLiteral("Led %1").arg(n);
}

void LampPanel::setNames(const std::array<std::string, 64>& namesUtf8) {
    for (int n = 0; n < 64; ++n) {
        QString name = QString::fromStdString(namesUtf8[size_t(n)]);
        names_[size_t(n)] = name.isEmpty() ? QStringLiteral("Led %1").arg(n) : name;
    }
}

void LampPanel::setLampBytes(const std::array<uint8_t, 8>& bytes) {
    if (bytes == bytes_)
        return;
    bytes_ = bytes;
    update();
}

bool LampPanel::lampShown(int lamp) const {
    if (lamp < 0 || lamp >= 64)
        return false;
    return bytes_[size_t(lamp / 8)] & (1u << (lamp % 8));
}

QSize LampPanel::sizeHint() const {
    return {kLabel + 8 * kCell, 8 * kCell};
}

QRect LampPanel::lampRect(int lamp) const {
    int cell = std::max(12, std::min((width() - kLabel) / 8, height() / 8));
    int d = cell - 6;
    int row = lamp / 8, column = lamp % 8;
    return {kLabel + column * cell + 3, row * cell + 3, d, d};
}

int LampPanel::lampAt(QPoint p) const {
    for (int n = 0; n < 64; ++n)
        if (lampRect(n).contains(p))
            return n;
    return -1;
}

void LampPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f = font();
    f.setPixelSize(9);
    p.setFont(f);
    for (int row = 0; row < 8; ++row) {
        QRect first = lampRect(row * 8);
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(QRect(0, first.y(), kLabel - 2, first.height()), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(row));
    }
    for (int n = 0; n < 64; ++n) {
        QRect r = lampRect(n);
        bool lit = lampShown(n);
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(lit ? QColor(255, 200, 40) : QColor(70, 55, 30));
        p.drawEllipse(r);
        p.setPen(lit ? Qt::black : QColor(170, 170, 170));
        p.drawText(r, Qt::AlignCenter, QString::number(n));
    }
}

bool LampPanel::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        int n = lampAt(help->pos());
        if (n >= 0)
            QToolTip::showText(help->globalPos(), names_[size_t(n)], this, lampRect(n));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(e);
}

} // namespace pinstage
