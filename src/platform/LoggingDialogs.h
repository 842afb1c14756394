#pragma once
// A Dialogs implementation for unattended runs: every question is answered with its default
// button, every file dialog is cancelled, and every text is appended to a log file (one entry
// per line, line breaks shown as \n). The GUI uses it when $LARKSPUR_DIALOG_LOG names a file,
// so a test can start the real program and read what it showed.
#include "ScriptedDialogs.h"

namespace lark::platform {

class LoggingDialogs : public ScriptedDialogs {
public:
    explicit LoggingDialogs(QString logPath);

private:
    QString m_logPath;
};

} // namespace lark::platform
