#include "ui/PasswordDialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/UiTexts.h"

PasswordDialog::PasswordDialog(const QString& path, QWidget* parent) : QDialog(parent) {
    setWindowTitle(ui::text::kPasswordCaption);
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(ui::text::kPasswordText, this);
    text->setWordWrap(true);
    layout->addWidget(text);
    auto* name = new QLabel(QFileInfo(path).fileName(), this);
    name->setObjectName("passwordFile");
    layout->addWidget(name);
    auto* form = new QFormLayout;
    field_ = new QLineEdit(this);
    field_->setEchoMode(QLineEdit::Password);
    field_->setObjectName("passwordField");
    form->addRow(ui::text::kPasswordLabel, field_);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(ui::text::kOk, QDialogButtonBox::AcceptRole);
    buttons->addButton(ui::text::kCancel, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

QString PasswordDialog::Password() const { return field_->text(); }
