#pragma once
// The main panel: the files of the next batch with their page counts and
// passwords, and the basic choices (pages, format, method, output folder).
#include <vector>

#include "convert/CConvertWorker.h"
#include "ui/CStepDlg.h"
#include "ui/UiPrompts.h"

class QButtonGroup;
class QLineEdit;
class QRadioButton;
class QTableWidget;
class MyConvertPara;

// "1,234,567 Byte"
QString FormatByteSize(qint64 bytes);

class CCONVERTERDlg : public CStepDlg {
    Q_OBJECT
public:
    CCONVERTERDlg(ui::UiPrompts& prompts, QWidget* parent = nullptr);

    // "Add PDF Files" after the file dialog, and dropped files.
    void AddFiles(const QStringList& paths);
    // Checks the choices and copies them into the record; fills the batch with
    // each file and its password. False (after telling the user why) when a start may not go on.
    bool StartCheck(MyConvertPara& para, std::vector<BatchFile>& batch);
    void ClearFiles();
    int FileCount() const { return static_cast<int>(rows_.size()); }
    QString OutputFolder() const;
    void SetOutputFolder(const QString& folder);
    bool FastMethod() const;
    // "rtf", "doc", "docx" or "odt".
    std::string ChosenFormat() const;
    // The stored choices as the panel shows them: format, page choice, output folder.
    void ShowSettings(const MyConvertPara& para);
    void SetEnabledForBatch(bool enabled);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct Row {
        QString path;
        QString password;
        int pages = 0;
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
};
