#pragma once
// The one dialog interface of the program: message boxes, Yes/No confirmations and file and
// folder dialogs. The GUI installs the Qt implementation; tests install ScriptedDialogs to
// answer questions and read the texts shown. Core code never shows anything itself.
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace lark::platform {

enum class Answer { Yes, No, Ok, Cancel };

struct FileFilter {
    QString caption; // shown text, for example "E-Mailファイル(*.eml)"
    QString pattern; // for example "*.eml"; "*.*" means every file
};

struct FileDialogOptions {
    QString title;
    QString initialFolder;
    QString fileName;          // proposed file name (save dialogs)
    QList<FileFilter> filters; // empty: every file
    int filterIndex = 1;       // counted from 1
    QString defaultSuffix;     // without the dot; empty: none
    bool multiple = false;     // open dialogs: several files may be chosen
    bool confirmOverwrite = true;
};

struct FileDialogResult {
    QStringList files;
    int filterIndex = 1;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Information box with an OK button.
    virtual void message(const QString& text) = 0;
    // Error box with an OK button; also the application's standard error message.
    virtual void error(const QString& text) = 0;
    // Confirmation with the buttons Yes and No; returns Yes, No, or Cancel when the box was
    // closed without a choice.
    virtual Answer confirm(const QString& text, Answer defaultButton) = 0;

    virtual std::optional<FileDialogResult> openFiles(const FileDialogOptions& options) = 0;
    virtual std::optional<QString> saveFile(const FileDialogOptions& options) = 0;
    virtual std::optional<QString> chooseFolder(const QString& title, const QString& initialFolder) = 0;
};

// The program-wide instance. Until one is installed, a silent implementation answers every
// question with its default button and every file dialog with a cancel.
Dialogs& dialogs();
void setDialogs(Dialogs* d);

} // namespace lark::platform
