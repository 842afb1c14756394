#pragma once
// The main window: menu bar, button bar and font bar, the top panel with the message text view,
// the tabbed area and the status bar. It renders the AppContext and forwards user events to the
// handlers; the handlers of other subsystems attach to its named controls.
#include "shell/AppContext.h"
#include "shell/CommandLine.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>

class QComboBox;
class QFontComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPrinter;
class QSplitter;
class QTabWidget;
class QTableView;
class QTextEdit;
class QToolBar;
class QToolButton;
class QWidget;

namespace lark::shell {

class TFrmLarksp : public QMainWindow {
    Q_OBJECT
public:
    // Creates the window and runs its start-up steps (settings, lock file, working folder).
    TFrmLarksp(AppContext& ctx, const StartOptions& options, const QString& settingsFolder,
               QWidget* parent = nullptr);
    ~TFrmLarksp() override;

    AppContext& ctx() { return m_ctx; }

    // --- named controls ---
    QToolBar* ControlBar1 = nullptr;
    QMenuBar* ActionMainMenuBar1 = nullptr;
    QToolBar* ButtonBar = nullptr;
    QToolBar* FontBar = nullptr;
    QFontComboBox* JvComboFnt = nullptr;
    QComboBox* JvComboFntSize = nullptr;
    QComboBox* ColorBox1 = nullptr;
    QWidget* Panel1 = nullptr;
    QLabel* Label9 = nullptr;
    QWidget* Panel15 = nullptr;
    QTextEdit* Editor = nullptr;
    QWidget* Panel17 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet4 = nullptr; // "HTML"
    QWidget* EdgeBrowser1 = nullptr; // holder of the embedded browser view
    QWidget* TabSheet2 = nullptr; // "添付ファイルⅠ"
    QListWidget* ListView1 = nullptr;
    QWidget* TabSheet5 = nullptr; // "添付ファイルⅡ"
    QListWidget* ListView2 = nullptr;
    QWidget* TabSheet1 = nullptr; // "書誌情報"
    std::array<QLineEdit*, 8> Edit{}; // Edit1 .. Edit8 (index 0 is Edit1)
    QWidget* TabSheet3 = nullptr; // "パラメータ設定"
    QTableView* ValueListEditor1 = nullptr;
    QWidget* TabSheet6 = nullptr; // "Data"
    QPlainTextEdit* Memo1 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    QWidget* TabSheet7 = nullptr; // "DB File処理"
    QWidget* TabSheet8 = nullptr; // "Mail 送信"
    std::array<QLabel*, 3> StatusPanel{};
    QToolButton* ToolButton2 = nullptr; // DBUpdate
    QToolButton* ToolButton3 = nullptr; // DBConnect
    QToolButton* ToolButton8 = nullptr; // DBSelect
    QMenu* PopupMenu1 = nullptr;        // the list grid's pop-up menu
    QMenu* PopupMenu2 = nullptr;        // the window's and the text view's pop-up menu

    // --- tabs by page widget ---
    void setTabVisible(QWidget* page, bool visible);
    bool isTabVisible(QWidget* page) const;
    void showPage(QWidget* page);

    // Icons of the DBConnect button: image 1 (connected) and image 6 (disconnected).
    void setConnectIcon(bool connected);

    // Screen density (dots per inch) and the icon size it selects for the button bar.
    int buttonIconSize() const;

    // Stay-on-top state, changed without re-creating the window.
    void setStayOnTop(bool on);
    bool stayOnTop() const { return m_stayOnTop; }

    // The list window's frame, when it exists and floats (the list subsystem sets it), and the
    // database settings dialog while it exists: both take part in the activation rule.
    QPointer<QWidget> listWindow;
    QPointer<QWidget> dbSetDialog;

    // Print hook: prepares the printer (shows the print dialog); returns whether to print.
    // Tests replace it to print into a PDF file without a dialog.
    std::function<bool(QPrinter&)> printDialog;

    // Window state copied into the settings before they are written.
    void collectSettings();

    // Handlers of this window's own actions.
    void DispTAB1Execute();
    void DispTAB3Execute();
    void FontBarShowExecute();
    void ButtonBarShowExecute();
    void HcontentsExecute();
    void HkeywordExecute();
    void EditorPrintExecute();
    void raiseFromSecondStart();

    // Routines other Parts call.
    void Delay(int ms);

signals:
    void closing();

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildActions();
    void buildMenus();
    void buildBars();
    void buildCentral();
    void buildStatusBar();
    void applySettingsToWindow();
    void placeWindow();
    void connectOwnActions();
    void installRoutines();
    void closeQuery();
    void updateBarShowAction(QToolBar* bar, const QString& actionName);
    QAction* proxy(const QString& actionName, const QString& caption, QObject* parent, bool mirrorShortcut = false);
    void openHelp();
    QTextEdit* editorInUse() const;

    AppContext& m_ctx;
    bool m_stayOnTop = false;
    bool m_closeHandled = false;
    bool m_shownOnce = false;
};

} // namespace lark::shell
