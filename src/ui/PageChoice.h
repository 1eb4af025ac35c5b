#pragma once
// The "all pages" / "page numbers" pair of radio buttons with its page field,
// shown from the record's page choice (as the wizards' range steps show it).
#include <string>

class MyConvertPara;
class QLineEdit;
class QRadioButton;

void ShowPageChoice(const MyConvertPara& para, QRadioButton* all, QRadioButton* numbers, QLineEdit* pages);
// The page text the choice stands for: empty for all pages.
std::string ChosenPageText(const QRadioButton* all, const QLineEdit* pages);
