#pragma once
// Every key of the settings file with its default, read once when the main window is created
// and written once when it closes. The parameter table rows live in ParameterTable.
#include <QString>
#include <QStringList>

#include <array>

namespace lark::platform {
class IniStore;
}

namespace lark::shell {

struct GridColumn {
    bool visible = true;
    int width = 200;
    QString fieldName;
    QString titleCaption;
};

// The list window's columns when the settings give none (index = column).
struct DefaultColumn {
    const char* fieldName;
    const char* title;
};
extern const std::array<DefaultColumn, 10> kDefaultListColumns;

struct Settings {
    // Window
    int left = 50, top = 50, width = 640, height = 480;
    int panel1Height = 300;
    bool treeViewSW = true;
    int treeViewWidth = 160;
    // LWindow
    int lstWidth = 640, lstHeight = 240;
    // Condition
    int mlFilterIndex = 0;
    QString mlReadPath, mlStorePath;
    bool tab1Visible = false, tab3Visible = false;
    int theme = 0;
    QString fontName = QStringLiteral("Meiryo UI");
    int fontSize = 9;
    int fontColor = 0;
    int viewStyleNum = 0;
    bool mskFlg = false;
    bool homeFlg = true;
    QString homePath, buPath, ldPath;
    bool chkBx8 = false, chkBx9 = false;
    int rGroup4 = 0;
    int dSelctRGroup1 = 0;
    int dLstFrmFntSize = 8;
    // MailDB
    QString server = QStringLiteral("localhost");
    QString dbPath;
    // DBGrid
    std::array<GridColumn, 10> columns;
    bool columnsReset = false; // the default layout replaced what the file held
    // sListView
    int columnNum = 16;
    std::array<int, 17> columnWidths{};
    // Connection
    int mailerIndx = 0;
    QString exchangerAccount;
    int mailTabIndx = 0;
    QString myMailAddress, fromName;
    QString smtpHost = QStringLiteral("localhost");
    QString smtpPort = QStringLiteral("25");
    QString smtpUser;
    int mailEncode = 0;
    QString myMailSubject;

    Settings();

    // Reads every key with its default (theme too: the caller decides whether to use it).
    void readFrom(const platform::IniStore& ini);
    // Writes the keys of the close pass. homeShowFlg: HomePATH is written only when it is true.
    void writeTo(platform::IniStore& ini, bool homeShowFlg) const;

    // Applies the fallback list layout when any field name is empty; returns whether it did.
    bool applyDefaultColumnsIfNeeded();
};

} // namespace lark::shell
