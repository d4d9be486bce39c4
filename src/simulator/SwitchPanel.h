// The 72 switches as buttons: the 8 x 8 matrix (a column per strobe, a row per return) and the
// 8 direct switches, labelled with the contact names. A click closes the switch briefly, a right
// click keeps it closed until the next right click; a closed switch shows blue.
#pragma once

#include <QPushButton>
#include <QWidget>

#include <array>
#include <functional>
#include <string>

namespace pinstage {

class SwitchButton : public QPushButton {
public:
    SwitchButton(int contact, QWidget* parent);
    int contact() const { return contact_; }
    void setClosed(bool closed);
    bool shownClosed() const { return closed_; }
    // The name as the button shows it now: elided on the right when it is too long for the width.
    QString shownText() const;

    std::function<void(int)> onHit;
    std::function<void(int)> onToggle;

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    int contact_;
    bool closed_ = false;
};

class SwitchPanel : public QWidget {
public:
    explicit SwitchPanel(QWidget* parent = nullptr);

    void setNames(const std::array<std::string, 72>& namesUtf8);
    // closed(c) tells whether contact c is closed now.
    void showStates(const std::function<bool(int)>& closed);
    SwitchButton* button(int contact);

    std::function<void(int)> onHit;
    std::function<void(int)> onToggle;

private:
    std::array<SwitchButton*, 72> buttons_{};
};

} // namespace pinstage
