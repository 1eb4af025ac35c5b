#pragma once
// The "Settings" page: the twelve standing choices, with Default, OK and Cancel.
#include "ui/Settings.h"
#include "ui/UiPrompts.h"
#include "ui/WindowPage.h"

class MyConvertPara;
class QComboBox;
class QLineEdit;

class SettingsPage : public WindowPage {
    Q_OBJECT
public:
    SettingsPage(MyConvertPara& para, ui::UiPrompts& prompts, QWidget* parent = nullptr);

    // Fills the fields from the store (each missing value with its default).
    void ShowStored();
    void ShowSettings(const ui::Settings& settings);
    ui::Settings Fields() const;
    // "OK": into the record and the store; a store that cannot be written is said.
    void Apply();
    // Whether the last "OK" came with a destination folder the user chose on this page
    // (browsed, or changed from the one shown).
    bool DestinationChosen() const { return destinationChosen_; }

signals:
    void applied();
    void closed();

private:
    MyConvertPara& para_;
    ui::UiPrompts& prompts_;
    QLineEdit* destDir_;
    QLineEdit* logDir_;
    QComboBox* docFormat_;
    QComboBox* autoOpen_;
    QComboBox* language_;
    QComboBox* layout_;
    QComboBox* imageFilter_;
    QComboBox* preserve_;
    QComboBox* allPages_;
    QComboBox* keepLines_;
    QComboBox* ocr_;
    QLineEdit* ocrLanguages_;
    QString shownDestination_;
    bool destinationBrowsed_ = false;
    bool destinationChosen_ = false;
};
