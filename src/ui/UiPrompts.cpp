#include "ui/UiPrompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "ui/CPasswordDlg.h"
#include "ui/UiTexts.h"

namespace ui {

UiPrompts DialogPrompts(QWidget* parent) {
    UiPrompts p;
    p.message = [parent](const QString& caption, const QString& text) {
        QMessageBox::information(parent, caption, text);
    };
    p.question = [parent](const QString& caption, const QString& text) {
        return QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };
    p.password = [parent](const QString& path) -> std::optional<QString> {
        CPasswordDlg dialog(path, parent);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.Password();
    };
    p.retryPassword = [parent](const QString& path) {
        QMessageBox box(QMessageBox::Warning, text::kPasswordCaption, QString(text::kWrongPassword).arg(path),
                        QMessageBox::NoButton, parent);
        QPushButton* retry = box.addButton(text::kRetry, QMessageBox::AcceptRole);
        box.addButton(text::kSkip, QMessageBox::RejectRole);
        box.exec();
        return box.clickedButton() == static_cast<QAbstractButton*>(retry);
    };
    p.chooseFiles = [parent] {
        return QFileDialog::getOpenFileNames(parent, text::kAddFiles, QString(), text::kFileFilter);
    };
    p.chooseFolder = [parent](const QString& start) {
        return QFileDialog::getExistingDirectory(parent, text::kBrowseTitle, start);
    };
    return p;
}

}  // namespace ui
