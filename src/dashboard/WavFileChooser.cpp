// The WAV chooser.
#include "dashboard/WavFileChooser.h"

#include "platform/qt/FullScreen.h"

#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QVBoxLayout>

namespace pinstage {

QString chooseWavFile(QWidget* parent, const QString& title, const QString& dir) {
    QDialog frame(parent);
    frame.setWindowTitle(title);
    auto* caption = new QLabel(title, &frame);
    caption->setAlignment(Qt::AlignCenter);
    caption->setAutoFillBackground(true);
    QPalette palette = caption->palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 128));
    palette.setColor(QPalette::WindowText, Qt::white);
    caption->setPalette(palette);
    caption->setContentsMargins(8, 6, 8, 6);

    auto* dialog = new QFileDialog(&frame, title, dir, QStringLiteral("Fichiers Wav (*.WAV)"));
    dialog->setWindowFlags(Qt::Widget); // inside the frame, under its caption
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setLabelText(QFileDialog::LookIn, QStringLiteral("Chercher dans :"));
    dialog->setLabelText(QFileDialog::FileName, QStringLiteral("Nom du fichier :"));
    dialog->setLabelText(QFileDialog::FileType, QStringLiteral("Type de fichier :"));
    dialog->setLabelText(QFileDialog::Accept, QStringLiteral("Ouvrir"));
    dialog->setLabelText(QFileDialog::Reject, QStringLiteral("Annuler"));
    QObject::connect(dialog, &QFileDialog::finished, &frame, &QDialog::done);

    auto* layout = new QVBoxLayout(&frame);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(caption);
    layout->addWidget(dialog, 1);
    frame.resize(960, 620);
    centreOnScreen(frame, screenOf(parent ? parent->window() : nullptr));
    if (frame.exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().front();
}

} // namespace pinstage
