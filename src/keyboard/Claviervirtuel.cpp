// Construction of the keyboard control, its face templates, its font and its error reporting.
#include "clavpack/Claviervirtuel.h"

#include "platform/PinError.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPalette>
#include <QTimer>

namespace pinstage {

QImage LoadKeyFace(const QString& resourceName) {
    QImage face(QStringLiteral(":/clavpack/") + resourceName, "BMP");
    if (face.isNull())
        throw PinError("Ressource " + resourceName.toStdString() + " introuvable");
    return face;
}

TClavierVirtuel::TClavierVirtuel(QWidget* owner)
    : QWidget(owner), FButtonNormal(LoadKeyFace(QStringLiteral("KEYNORMAL"))),
      FButtonHover(LoadKeyFace(QStringLiteral("KEYHOVER"))),
      FButtonDown(LoadKeyFace(QStringLiteral("KEYDOWN"))) {
    BuildKeyboardLayout();

    // Arial where it exists, else the metric-compatible Liberation Sans, else DejaVu Sans.
    QFont keyFont;
    keyFont.setFamilies(
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    keyFont.setPointSize(10);
    keyFont.setBold(true);
    setFont(keyFont);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);

    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    // The keyboard picture covers the whole control: no background erasing before a paint.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    FBigBuffer = QImage(BigBufferWidth, BigBufferHeight, QImage::Format_RGB32);
    FBigBuffer.fill(Qt::red);
    InternetEncours = false;
}

TClavierVirtuel::~TClavierVirtuel() {
    DestroyButtonImages();
}

void TClavierVirtuel::Loaded() {
    InternetEncours = false;
    BuildButtonImages();
    RegenerateKeys = true;
}

void TClavierVirtuel::replaceTemplate(QImage& current, const QImage& bitmap) {
    if (bitmap == current)
        return;
    current = bitmap.copy();
    BuildButtonImages();
    RegenerateKeys = true;
    update();
}

void TClavierVirtuel::SetButtonNormal(const QImage& bitmap) {
    replaceTemplate(FButtonNormal, bitmap);
}
void TClavierVirtuel::SetButtonHover(const QImage& bitmap) {
    replaceTemplate(FButtonHover, bitmap);
}
void TClavierVirtuel::SetButtonDown(const QImage& bitmap) {
    replaceTemplate(FButtonDown, bitmap);
}

void TClavierVirtuel::setErrorReporter(ErrorReporter reporter) {
    FErrorReporter = std::move(reporter);
}

void TClavierVirtuel::reportError(const QString& message) {
    if (FErrorReporter)
        FErrorReporter(message);
    else
        showErrorBox(message);
}

// The box is opened after the paint that failed, never from inside it, and only one at a time:
// a key that cannot be drawn fails again on every paint.
void TClavierVirtuel::showErrorBox(const QString& message) {
    if (FErrorBoxPending)
        return;
    FErrorBoxPending = true;
    QTimer::singleShot(0, this, [this, message] {
        auto* box = new QMessageBox(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), message,
                                    QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setWindowModality(Qt::ApplicationModal);
        connect(box, &QObject::destroyed, this, [this] { FErrorBoxPending = false; });
        box->show();
    });
}

} // namespace pinstage
