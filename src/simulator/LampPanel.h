// The 64 lamps as round lights, a row per lamp byte and a column per bit, lit as the board's lamp
// reports say (blinking lamps blink); the lamp's name is its tooltip.
#pragma once

#include <QWidget>

#include <array>
#include <cstdint>
#include <string>

namespace pinstage {

class LampPanel : public QWidget {
public:
    explicit LampPanel(QWidget* parent = nullptr);

    void setNames(const std::array<std::string, 64>& namesUtf8);
    void setLampBytes(const std::array<uint8_t, 8>& bytes);
    bool lampShown(int lamp) const;
    // The lamp whose light covers the point, -1 for none.
    int lampAt(QPoint p) const;
    QRect lampRect(int lamp) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;
    bool event(QEvent* e) override;

private:
    std::array<uint8_t, 8> bytes_{};
    std::array<QString, 64> names_;
};

} // namespace pinstage
