// Colours and fonts of the dashboard.
#include "dashboard/DashboardStyle.h"

#include <QStringList>

namespace pinstage::dash {

QColor toQColor(GridColour c) {
    return QColor(c.red, c.green, c.blue);
}

QColor readableTextOn(const QColor& background) {
    // Perceived brightness (ITU-R BT.601 weights).
    int brightness = (299 * background.red() + 587 * background.green() + 114 * background.blue()) / 1000;
    return brightness > 150 ? kBlack : kWhite;
}

namespace {
QFont sansFont() {
    QFont f;
    f.setFamilies(QStringList{"MS Sans Serif", "Liberation Sans", "DejaVu Sans"});
    f.setStyleHint(QFont::SansSerif);
    return f;
}
} // namespace

QFont dashboardFont(int pixelSize) {
    QFont f = sansFont();
    f.setPixelSize(pixelSize);
    return f;
}

QFont gridFontPoints(int pointSize) {
    QFont f = sansFont();
    f.setPointSize(pointSize);
    return f;
}

} // namespace pinstage::dash
