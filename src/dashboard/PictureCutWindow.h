// The picture cutter: a chosen picture at its own size, in which the operator draws, moves and
// resizes the rubber band that becomes the picture's source rectangle.
#pragma once

#include "dashboard/EditorGeometry.h"

#include <QDialog>
#include <QImage>

#include <optional>

class QLabel;
class QPushButton;
class QScrollArea;

namespace pinstage {

class PictureCutWindow final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kLargestWidth = 921;
    static constexpr int kLargestHeight = 551;

    PictureCutWindow(int picture, const QImage& image, QWidget* parent = nullptr);

    // The widget showing the picture, one pixel per picture pixel (for the mouse).
    QWidget* pictureArea() const { return area_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    QLabel* positions() const { return positions_; }
    const RubberBand& band() const { return band_; }

    // What "Sélection OK" keeps: the band cut to width - 1 and height - 1, the whole picture so cut
    // when no band was drawn; nullopt when the band lies off the picture.
    std::optional<EditRect> chosenRect() const;

private:
    friend class CutArea;
    void bandChanged();

    QImage image_;
    RubberBand band_;
    QWidget* area_;
    QScrollArea* scroll_;
    QLabel* positions_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

} // namespace pinstage
