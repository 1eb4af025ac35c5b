#pragma once
// The main panel: the files of the next batch with their page counts and
// passwords, and the basic choices (pages, format, method, output folder).
#include <vector>

#include "convert/CConvertWorker.h"
#include "ui/UiPrompts.h"
#include "ui/WindowPage.h"

class QButtonGroup;
class QLineEdit;
class QRadioButton;
class QTableWidget;
class MyConvertPara;

// "1,234,567 Byte"
QString FormatByteSize(qint64 bytes);

class MainPanel : public WindowPage {
    Q_OBJECT
public:
    MainPanel(ui::UiPrompts& prompts, QWidget* parent = nullptr);

    // Adds files to the list (asking for the passwords of encrypted ones); a file
    // without pages or that cannot be read is listed with a note and the user is told.
    void AddFiles(const QStringList& paths);
    // Files chosen with "Add PDF Files", dropped or handed to the program: the output
    // folder becomes theirs unless the user has chosen one.
    void AddFilesAsChosen(const QStringList& paths);
    // Takes the rows of these files out of the list (the others keep their passwords).
    void RemoveFiles(const QStringList& paths);
    QStringList Files() const;
    // The note of a listed file ("unreadable"), empty when it can be converted.
    QString FileNote(const QString& path) const;
    // Checks the choices and copies them into the record; fills the batch with
    // each file and its password. False (after telling the user why) when a start may not go on.
    bool StartCheck(MyConvertPara& para, std::vector<BatchFile>& batch);
    void ClearFiles();
    int FileCount() const { return static_cast<int>(rows_.size()); }
    QString OutputFolder() const;
    // `chosen`: the user picked this folder (Browse, typing, Settings); the sources
    // of later files no longer replace it.
    void SetOutputFolder(const QString& folder, bool chosen = false);
    bool FastMethod() const;
    // "rtf", "doc", "docx" or "odt".
    std::string ChosenFormat() const;
    // The stored choices as the panel shows them: format, page choice, output folder.
    // `destinationChosen`: the folder was chosen in Settings and replaces the panel's;
    // otherwise the panel's folder changes only while nobody has chosen one and no file is listed.
    void ShowSettings(const MyConvertPara& para, bool destinationChosen = false);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct Row {
        QString path;
        QString password;
        int pages = 0;
        QString problem;  // why it cannot be converted, found when it was added
    };
    void OnAdd();
    void OnRemove();
    void OnRemoveAll();
    void OnBrowse();
    void AppendRow(const Row& row);
    void Tell(const QString& text, const QString& caption = {});

    ui::UiPrompts& prompts_;
    std::vector<Row> rows_;
    QTableWidget* table_;
    QLineEdit* folder_;
    QLineEdit* pageText_;
    QRadioButton* allPages_;
    QRadioButton* pageNumbers_;
    QRadioButton* rtf_;
    QRadioButton* doc_;
    QRadioButton* docx_;
    QRadioButton* odt_;
    QRadioButton* wizard_;
    QRadioButton* fast_;
    bool folderChosen_ = false;
};
