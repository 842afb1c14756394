#include "AppEntry.h"

#include "Icons.h"
#include "StyleManager.h"
#include "TFrmLarksp.h"
#include "TFrmSplush.h"

#include "platform/AppFolders.h"
#include "platform/Delay.h"
#include "platform/IniStore.h"
#include "platform/LoggingDialogs.h"
#include "platform/SingleInstance.h"
#include "platform/TerminationSignals.h"
#include "platform/ui/QtDialogs.h"
#include "shell/AppContext.h"
#include "shell/Caption.h"
#include "shell/CommandLine.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <QLibraryInfo>
#include <QTranslator>

#include <exception>
#include <memory>

namespace lark::shell {

int runEntry(int argc, char** argv, const EntryHooks& hooks)
{
    if (hooks.beforeApplication)
        hooks.beforeApplication();
    QApplication app(argc, argv);
    const QString programFile = platform::AppFolders::programFileName();

    // One instance per program file name: a second start brings the first to the front.
    platform::SingleInstance instance(programFile);
    if (!instance.tryBecomePrimary()) {
        instance.notifyPrimary();
        return 0;
    }

    QApplication::setApplicationDisplayName(kAppTitle);
    QApplication::setApplicationName(QStringLiteral("Larkspur"));
    QApplication::setApplicationVersion(QStringLiteral(LARKSPUR_VERSION_TEXT));
    QTranslator qtJa;
    if (qtJa.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtJa);
    initIconTheme();

    platform::QtDialogs qtDialogs;
    std::unique_ptr<platform::LoggingDialogs> logged;
    if (!qEnvironmentVariableIsEmpty("LARKSPUR_DIALOG_LOG"))
        logged = std::make_unique<platform::LoggingDialogs>(qEnvironmentVariable("LARKSPUR_DIALOG_LOG"));
    platform::Dialogs& dialogs = logged ? static_cast<platform::Dialogs&>(*logged) : qtDialogs;
    platform::setDialogs(&dialogs);

    const StartOptions options = parseCommandLine(QApplication::arguments().mid(1));
    if (options.showHelp) {
        dialogs.message(kCommandLineHelp);
        return 0;
    }

    // The splash selects the saved style before any other window exists.
    const QString programFolder = platform::AppFolders::programFolder();
    const QString settingsFolder = platform::AppFolders::settingsFolder();
    platform::IniStore savedIni(QDir(settingsFolder).filePath(platform::AppFolders::iniFileName(programFile)));
    (void)savedIni.load();
    selectStyle(savedIni.readInteger(QStringLiteral("Condition"), QStringLiteral("Theme"), 0));
    auto* splash = new TFrmSplush(programFolder);
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    AppContext ctx;
    ctx.setDialogs(&dialogs);
    ctx.programFileName = programFile;
    ctx.setProgramFolder(programFolder);
    // The end of the session closes the window normally, so the settings are written. The
    // handler goes in before the database client loads, which leaves an existing handler alone;
    // a request that comes before the window is shown closes it as soon as it is.
    std::unique_ptr<TFrmLarksp> window;
    bool closeRequested = false;
    platform::TerminationSignals termination;
    QObject::connect(&termination, &platform::TerminationSignals::terminationRequested, [&] {
        if (window && window->isVisible())
            window->close();
        else
            closeRequested = true;
    });

    QString failure;
    try {
        selectStartStyle(options, savedIni.readInteger(QStringLiteral("Condition"), QStringLiteral("Theme"), 0));
        window = std::make_unique<TFrmLarksp>(ctx, options, settingsFolder);
        qtDialogs.setParent(window.get());
        if (hooks.createSubsystems)
            hooks.createSubsystems(*window);
    } catch (const std::exception& e) {
        failure = QString::fromLocal8Bit(e.what());
    }
    // The splash stays for more than a second after the windows have been created.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() <= 1000)
        platform::Delay(qMax<qint64>(1, 1001 - waited.elapsed()));
    splash->close();
    if (!failure.isEmpty() || !window) {
        dialogs.error(failure.isEmpty() ? QStringLiteral("プログラムを起動できません。") : failure);
        window.reset();
        if (hooks.afterWindow)
            hooks.afterWindow();
        return 1;
    }
    QObject::connect(&instance, &platform::SingleInstance::raiseRequested, window.get(), &TFrmLarksp::raiseFromSecondStart);
    window->show();
    if (closeRequested)
        QTimer::singleShot(0, window.get(), &QWidget::close);
    const int rc = app.exec();
    window.reset();
    if (hooks.afterWindow)
        hooks.afterWindow();
    platform::setDialogs(nullptr);
    return rc;
}

} // namespace lark::shell
