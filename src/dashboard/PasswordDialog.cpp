// The password prompt. Its field starts empty: a field filled with the password would guard nothing.
#include "dashboard/PasswordDialog.h"

#include "dashboard/DashboardStyle.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pinstage {

PasswordDialog::PasswordDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Utilitaires de configuration Lumiscope®"));
    // Over the dashboard only: the playfield simulator stays usable.
    setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    setFont(dash::dashboardFont(24));

    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("Entrez le mot de passe"), this);
    field_ = new QLineEdit(this);
    field_->setEchoMode(QLineEdit::Password);
    enter_ = new QPushButton(QStringLiteral("Entrer"), this);
    enter_->setDefault(true);
    layout->addWidget(label);
    layout->addWidget(field_);
    layout->addWidget(enter_, 0, Qt::AlignHCenter);

    connect(enter_, &QPushButton::clicked, this, &QDialog::accept);
}

QString PasswordDialog::enteredText() const {
    return field_->text();
}

} // namespace pinstage
