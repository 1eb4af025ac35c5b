#include "ui/PageChoice.h"

#include <QLineEdit>
#include <QRadioButton>

#include "convert/MyConvertPara.h"

void ShowPageChoice(const MyConvertPara& para, QRadioButton* all, QRadioButton* numbers, QLineEdit* pages) {
    if (para.pages.All()) {
        all->setChecked(true);
    } else {
        // The page choice the user made, not the page count of whatever document was opened last.
        numbers->setChecked(true);
        pages->setText(QString::fromStdString(para.pages.Text()));
    }
    pages->setEnabled(numbers->isChecked());
}

std::string ChosenPageText(const QRadioButton* all, const QLineEdit* pages) {
    return all->isChecked() ? std::string() : pages->text().trimmed().toStdString();
}
