#pragma once
// A Dialogs implementation driven by a script: it records every text shown and answers
// questions and file dialogs from queues. Used by tests and by the command-line tool.
#include "Dialogs.h"

#include <functional>

namespace lark::platform {

class ScriptedDialogs : public Dialogs {
public:
    enum class Kind { Message, Error, Confirm, OpenFiles, SaveFile, ChooseFolder };
    struct Shown {
        Kind kind;
        QString text;                 // message text, or the dialog title
        Answer defaultButton = Answer::Ok;
        FileDialogOptions options;    // for file dialogs
    };

    void message(const QString& text) override;
    void error(const QString& text) override;
    Answer confirm(const QString& text, Answer defaultButton) override;
    std::optional<FileDialogResult> openFiles(const FileDialogOptions& options) override;
    std::optional<QString> saveFile(const FileDialogOptions& options) override;
    std::optional<QString> chooseFolder(const QString& title, const QString& initialFolder) override;

    // Answers, taken from the front; an empty queue answers with the default button (confirm)
    // or a cancel (file dialogs).
    QList<Answer> confirmAnswers;
    QList<std::optional<FileDialogResult>> openAnswers;
    QList<std::optional<QString>> saveAnswers;
    QList<std::optional<QString>> folderAnswers;

    // Called with each entry as it is shown (before answering), to look at the program state.
    std::function<void(const Shown&)> onShow;

    QList<Shown> shown;
    // Texts of the message, error and confirmation boxes, in order.
    QStringList texts() const;
    void clear() { shown.clear(); }

private:
    void record(Shown s);
};

} // namespace lark::platform
