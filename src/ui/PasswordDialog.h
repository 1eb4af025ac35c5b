#pragma once
// "Password Required": asks for the password of one encrypted source.
#include <QDialog>

class QLineEdit;

class CPasswordDlg : public QDialog {
    Q_OBJECT
public:
    CPasswordDlg(const QString& path, QWidget* parent = nullptr);
    QString Password() const;

private:
    QLineEdit* field_;
};
