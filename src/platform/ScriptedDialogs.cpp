#include "ScriptedDialogs.h"

namespace lark::platform {

namespace {

class SilentDialogs : public Dialogs {
public:
    void message(const QString&) override {}
    void error(const QString&) override {}
    Answer confirm(const QString&, Answer def) override { return def; }
    std::optional<FileDialogResult> openFiles(const FileDialogOptions&) override { return std::nullopt; }
    std::optional<QString> saveFile(const FileDialogOptions&) override { return std::nullopt; }
    std::optional<QString> chooseFolder(const QString&, const QString&) override { return std::nullopt; }
};

SilentDialogs g_silent;
Dialogs* g_dialogs = nullptr;

} // namespace

Dialogs& dialogs()
{
    return g_dialogs ? *g_dialogs : static_cast<Dialogs&>(g_silent);
}

void setDialogs(Dialogs* d)
{
    g_dialogs = d;
}

void ScriptedDialogs::record(Shown s)
{
    shown.append(s);
    if (onShow)
        onShow(shown.last());
}

void ScriptedDialogs::message(const QString& text)
{
    record({Kind::Message, text, Answer::Ok, {}});
}

void ScriptedDialogs::error(const QString& text)
{
    record({Kind::Error, text, Answer::Ok, {}});
}

Answer ScriptedDialogs::confirm(const QString& text, Answer defaultButton)
{
    record({Kind::Confirm, text, defaultButton, {}});
    return confirmAnswers.isEmpty() ? defaultButton : confirmAnswers.takeFirst();
}

std::optional<FileDialogResult> ScriptedDialogs::openFiles(const FileDialogOptions& options)
{
    record({Kind::OpenFiles, options.title, Answer::Ok, options});
    return openAnswers.isEmpty() ? std::nullopt : openAnswers.takeFirst();
}

std::optional<QString> ScriptedDialogs::saveFile(const FileDialogOptions& options)
{
    record({Kind::SaveFile, options.title, Answer::Ok, options});
    return saveAnswers.isEmpty() ? std::nullopt : saveAnswers.takeFirst();
}

std::optional<QString> ScriptedDialogs::chooseFolder(const QString& title, const QString& initialFolder)
{
    FileDialogOptions o;
    o.title = title;
    o.initialFolder = initialFolder;
    record({Kind::ChooseFolder, title, Answer::Ok, o});
    return folderAnswers.isEmpty() ? std::nullopt : folderAnswers.takeFirst();
}

QStringList ScriptedDialogs::texts() const
{
    QStringList out;
    for (const Shown& s : shown)
        if (s.kind == Kind::Message || s.kind == Kind::Error || s.kind == Kind::Confirm)
            out << s.text;
    return out;
}

} // namespace lark::platform
