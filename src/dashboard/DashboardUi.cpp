// The dashboard's real message boxes and password prompt.
#include "dashboard/DashboardUi.h"

#include "dashboard/PasswordDialog.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace pinstage {

void QtDashboardUi::warning(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox::warning(parent, caption, text, QMessageBox::Ok);
}

void QtDashboardUi::error(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok);
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
