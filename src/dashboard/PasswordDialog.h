// The modal prompt that guards the adjustments page: one label, one field, one "Entrer" button.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace pinstage {

class PasswordDialog : public QDialog {
    Q_OBJECT
public:
    explicit PasswordDialog(QWidget* parent = nullptr);

    QString enteredText() const;
    QLineEdit* field() const { return field_; }
    QPushButton* enterButton() const { return enter_; }

private:
    QLineEdit* field_;
    QPushButton* enter_;
};

} // namespace pinstage
