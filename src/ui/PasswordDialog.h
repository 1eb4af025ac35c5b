#pragma once
// "Password Required": asks for the password of one encrypted source.
#include <QDialog>

class QLineEdit;

class PasswordDialog : public QDialog {
    Q_OBJECT
public:
    PasswordDialog(const QString& path, QWidget* parent = nullptr);
    QString Password() const;

private:
    QLineEdit* field_;
};
