// The dashboard's real message boxes and password prompt.
#include "dashboard/DashboardUi.h"

#include "dashboard/PasswordDialog.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace pinstage {

namespace {
// A box over the dashboard only, so that the playfield simulator stays usable.
void showBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    box.exec();
}
} // namespace

void QtDashboardUi::warning(QWidget* parent, const QString& caption, const QString& text) {
    showBox(parent, QMessageBox::Warning, caption, text);
}

void QtDashboardUi::error(QWidget* parent, const QString& text) {
    showBox(parent, QMessageBox::Critical, QGuiApplication::applicationDisplayName(), text);
}

QString QtDashboardUi::askPassword(QWidget* parent) {
    PasswordDialog dialog(parent);
    dialog.exec();
    // Whatever closed the prompt, its field is what is compared.
    return dialog.enteredText();
}

void QtDashboardUi::confineCursor(const QRect* area) {
    if (onConfineCursor)
        onConfineCursor(area);
}

} // namespace pinstage
