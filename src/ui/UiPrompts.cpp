#include "ui/UiPrompts.h"

#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QPushButton>

#include "ui/PasswordDialog.h"
#include "ui/UiTexts.h"

namespace ui {
namespace {

// A message box sizes itself to its text only: it is made wide enough for its title too.
void FitTitle(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    QFont title = box.font();
    title.setBold(true);
    int width = QFontMetrics(title).horizontalAdvance(box.windowTitle()) + 160;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

}  // namespace

UiPrompts DialogPrompts(QWidget* parent) {
    UiPrompts p;
    // Every notice of the window tells of a problem: the error icon for errors, else the warning icon.
    p.message = [parent](const QString& caption, const QString& text) {
        QMessageBox box(caption == text::kError ? QMessageBox::Critical : QMessageBox::Warning,
                        caption.isEmpty() ? QString(text::kAppTitle) : caption, text, QMessageBox::Ok, parent);
        FitTitle(box);
        box.exec();
    };
    p.question = [parent](const QString& caption, const QString& text) {
        QMessageBox box(QMessageBox::Question, caption.isEmpty() ? QString(text::kAppTitle) : caption, text,
                        QMessageBox::Yes | QMessageBox::No, parent);
        FitTitle(box);
        return box.exec() == QMessageBox::Yes;
    };
    p.password = [parent](const QString& path) -> std::optional<QString> {
        PasswordDialog dialog(path, parent);
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
