// The creation canvas window: the backglass at design scale in a scrolling area, where the
// elements are selected (right button), moved and resized (left button); its thumbnail action
// writes "choix.bmp" (numbered) and hands the working rectangles back to the layout.
#pragma once

#include "dashboard/FrontonCanvasModel.h"
#include "dashboard/FrontonPictures.h"

#include <QDialog>

#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace pinstage {

class FrontonCanvasWindow final : public QDialog {
    Q_OBJECT
public:
    // layout is the page's record: the thumbnail action writes the working rectangles into it and
    // the visibility box changes its editor-visibility bytes.
    FrontonCanvasWindow(FrontonRecord& layout, const DataRoot& root, int configuration, int selected,
                        QWidget* parent = nullptr);
    ~FrontonCanvasWindow() override;

    FrontonCanvasModel& model() { return *model_; }
    QWidget* canvas() const { return canvas_; }
    QScrollArea* scrollArea() const { return scroll_; }
    QLabel* mouseLabel() const { return mouseLabel_; }
    QPushButton* thumbnailButton() const { return thumbnail_; }

    // The canvas as drawn: visible elements in layer order, the selected one opaque.
    QImage renderCanvas(bool marks) const;
    // Draws and saves the thumbnail, then copies the working rectangles into the layout.
    // Throws PinError when the bitmap cannot be written.
    void writeThumbnail();
    // Called after the layout took the working rectangles.
    std::function<void()> onWrittenBack;
    // Thumbnail failures.
    std::function<void(const QString&)> onError;
    // True once a picture the canvas or the thumbnail needed could not be read.
    bool picturesUnreadable() const { return pictures_.unreadable(); }

private:
    friend class CanvasArea;
    void mouseAt(int x, int y);
    void selectionChanged();

    FrontonRecord& layout_;
    DataRoot root_;
    int configuration_;
    std::unique_ptr<FrontonCanvasModel> model_;
    mutable FrontonPictures pictures_;
    QWidget* canvas_;
    QScrollArea* scroll_;
    QLabel* mouseLabel_;
    QCheckBox* visible_;
    QPushButton* showAll_;
    QPushButton* thumbnail_;
    QPushButton* close_;
};

// "Visualisation du fronton ...": every element with a picture as the backglass draws it (layers
// 0-39, the advertising picture left out), scaled to fit the window.
class FrontonPreviewWindow final : public QDialog {
    Q_OBJECT
public:
    FrontonPreviewWindow(const FrontonRecord& layout, const DataRoot& root, QSize room,
                         QWidget* parent = nullptr);
    const QImage& picture() const { return picture_; }
    bool unreadable() const { return unreadable_; }

private:
    QImage picture_;
    bool unreadable_ = false;
};

} // namespace pinstage
