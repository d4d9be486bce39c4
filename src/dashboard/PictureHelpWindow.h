// A help window that shows one picture of the images directory under its caption, with a
// "Fermer" button (a cabinet may run without a window manager, hence no title bar to close it).
// It sizes itself from the picture and places itself in the middle of its screen.
#pragma once

#include <QDialog>
#include <QImage>

#include <filesystem>
#include <string>

class QLabel;
class QPushButton;

namespace pinstage {

// "<base>.bmp" of dir, or "<base>.jpg" when the bitmap cannot be loaded; null when neither loads.
QImage loadHelpPicture(const std::filesystem::path& dir, const std::string& baseName);

class PictureHelpWindow final : public QDialog {
    Q_OBJECT
public:
    PictureHelpWindow(const QString& caption, const QImage& picture, QWidget* parent = nullptr);

    QLabel* pictureLabel() const { return picture_; }
    QPushButton* closeButton() const { return close_; }

private:
    QLabel* picture_;
    QPushButton* close_;
};

} // namespace pinstage
