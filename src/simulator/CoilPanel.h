// The 24 coils as indicators: one flashes on each pulse (long enough to be seen) and stays lit
// while the coil is held; the coil's name is written under it.
#pragma once

#include <QElapsedTimer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <string>

namespace pinstage {

class CoilPanel : public QWidget {
public:
    static constexpr int kFlashMs = 150;

    explicit CoilPanel(QWidget* parent = nullptr);

    void setNames(const std::array<std::string, 24>& namesUtf8);
    // The coils energised now (bit i = coil i); a coil newly energised starts a flash. Called at
    // every refresh too, so that flashes end on time.
    void setEnergised(uint32_t mask);
    // Bit i = indicator i lit now.
    uint32_t litMask() const;
    // A pulse seen between two refreshes, even one already over.
    void flash(int coil);
    bool indicatorLit(int coil) const;
    uint32_t pulsesSeen(int coil) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QRect cellRect(int coil) const;

    QElapsedTimer wall_;
    uint32_t energised_ = 0;
    uint32_t painted_ = 0; // what the last paint showed
    std::array<qint64, 24> flashUntil_{};
    std::array<uint32_t, 24> pulses_{};
    std::array<QString, 24> names_;
};

} // namespace pinstage
