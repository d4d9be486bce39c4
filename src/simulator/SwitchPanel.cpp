// The switch buttons and their grid.
#include "simulator/SwitchPanel.h"

#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

namespace pinstage {

SwitchButton::SwitchButton(int contact, QWidget* parent) : QPushButton(parent), contact_(contact) {
    setFocusPolicy(Qt::NoFocus); // the keyboard stays the machine's
    // Room for the contact number and the start of its name, whatever the window's width.
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("c00-Abcd…")) + 12);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void SwitchButton::setClosed(bool closed) {
    if (closed == closed_)
        return;
    closed_ = closed;
    update();
}

void SwitchButton::paintEvent(QPaintEvent*) {
    // The text is elided on the right, so that the contact number ("c19-") always shows.
    QPainter p(this);
    QRect r = rect().adjusted(1, 1, -1, -1);
    if (closed_) {
        // Blue as on the dashboard's contact grid, drawn here: changing the palette or a style
        // sheet at every closure would keep adding to the style's caches.
        p.fillRect(r, QColor(0, 0, 255));
        p.setPen(Qt::white);
    } else {
        QStyleOptionButton option;
        initStyleOption(&option);
        option.text.clear();
        style()->drawControl(QStyle::CE_PushButton, &option, &p, this);
        p.setPen(palette().color(QPalette::ButtonText));
    }
    p.drawText(r.adjusted(3, 0, -3, 0), Qt::AlignCenter, shownText());
}

QString SwitchButton::shownText() const {
    return fontMetrics().elidedText(text(), Qt::ElideRight, std::max(0, width() - 8));
}

void SwitchButton::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::RightButton) {
        if (onToggle)
            onToggle(contact_);
        e->accept();
        return;
    }
    if (e->button() == Qt::LeftButton && onHit)
        onHit(contact_);
    QPushButton::mousePressEvent(e);
}

SwitchPanel::SwitchPanel(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setSpacing(2);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int s = 0; s < 8; ++s)
        grid->addWidget(new QLabel(QStringLiteral("Strobe %1").arg(s), this), 0, s + 1, Qt::AlignCenter);
    for (int r = 0; r < 8; ++r)
        grid->addWidget(new QLabel(QStringLiteral("Retour %1").arg(r), this), r + 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Direct"), this), 9, 0);
    for (int c = 0; c < 72; ++c) {
        auto* b = new SwitchButton(c, this);
        b->onHit = [this](int contact) {
            if (onHit)
                onHit(contact);
        };
        b->onToggle = [this](int contact) {
            if (onToggle)
                onToggle(contact);
        };
        buttons_[size_t(c)] = b;
        if (c < 64)
            grid->addWidget(b, c % 8 + 1, c / 8 + 1);
        else
            grid->addWidget(b, 9, c - 64 + 1);
    }
}

void SwitchPanel::setNames(const std::array<std::string, 72>& namesUtf8) {
    for (int c = 0; c < 72; ++c) {
        QString name = QString::fromStdString(namesUtf8[size_t(c)]);
        if (name.isEmpty())
            name = QStringLiteral("c%1").arg(c);
        buttons_[size_t(c)]->setText(name);
        buttons_[size_t(c)]->setToolTip(name);
    }
}

void SwitchPanel::showStates(const std::function<bool(int)>& closed) {
    for (int c = 0; c < 72; ++c)
        buttons_[size_t(c)]->setClosed(closed(c));
}

SwitchButton* SwitchPanel::button(int contact) {
    return contact >= 0 && contact < 72 ? buttons_[size_t(contact)] : nullptr;
}

} // namespace pinstage
