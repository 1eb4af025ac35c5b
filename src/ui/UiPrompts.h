#pragma once
// The questions and notices the window puts to the user. Each is a replaceable
// function, so tests drive the window without modal dialogs, and real runs get
// Qt's dialogs.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

namespace ui {

enum class PasswordAnswer { Given, Cancelled };

struct UiPrompts {
    std::function<void(const QString& caption, const QString& text)> message;
    std::function<bool(const QString& caption, const QString& text)> question;  // true for "Yes"
    // The password for `path`; nullopt when the user cancels.
    std::function<std::optional<QString>(const QString& path)> password;
    // After a wrong password: true to try again, false to skip the file.
    std::function<bool(const QString& path)> retryPassword;
    std::function<QStringList()> chooseFiles;
    std::function<QString(const QString& start)> chooseFolder;  // empty when cancelled
};

// Qt's dialogs, parented to `parent`.
UiPrompts DialogPrompts(QWidget* parent);

}  // namespace ui
