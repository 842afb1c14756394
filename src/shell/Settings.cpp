#include "Settings.h"

#include "platform/IniStore.h"

namespace lark::shell {

const std::array<DefaultColumn, 10> kDefaultListColumns = {{
    {"MESSAGE_ID", "メッセージID"},
    {"MESSAGE_DATE", "受信日時"},
    {"ACCOUNT_KEY", "アカウント(POP)"},
    {"SENDER_NAME", "送信名"},
    {"SENDER_ADDRESS", "送信アドレス"},
    {"RECIEVE_NAME", "受信名"},
    {"RECIEVE_ADDRESS", "受信アドレス"},
    {"MESSAGE_SUBJECT", "題目"},
    {"MESSAGE_FILENAME", "メッセージファイル名"},
    {"MAILBODY", "ボディ"},
}};

namespace {
const QString W = QStringLiteral("Window");
const QString LW = QStringLiteral("LWindow");
const QString C = QStringLiteral("Condition");
const QString DB = QStringLiteral("MailDB");
const QString G = QStringLiteral("DBGrid");
const QString SL = QStringLiteral("sListView");
const QString CN = QStringLiteral("Connection");

QString k(const char* base, int i)
{
    return QString::fromLatin1(base) + QString::number(i);
}
} // namespace

Settings::Settings()
{
    columnWidths.fill(80);
}

void Settings::readFrom(const platform::IniStore& ini)
{
    left = ini.readInteger(W, "Left", 50);
    top = ini.readInteger(W, "Top", 50);
    width = ini.readInteger(W, "Width", 640);
    height = ini.readInteger(W, "Height", 480);
    panel1Height = ini.readInteger(W, "Panel1Height", 300);
    if (panel1Height < 10)
        panel1Height = 10;
    lstWidth = ini.readInteger(LW, "Width", 640);
    lstHeight = ini.readInteger(LW, "Height", 240);
    mlFilterIndex = ini.readInteger(C, "MLFilter_Index", 0);
    mlReadPath = ini.readString(C, "MLRead_Path");
    mlStorePath = ini.readString(C, "MLStore_Path");
    tab1Visible = ini.readBool(C, "TAB1_Visible", false);
    tab3Visible = ini.readBool(C, "TAB3_Visible", false);
    server = ini.readString(DB, "Server", QStringLiteral("localhost"));
    dbPath = ini.readString(DB, "DBPath");
    for (int i = 0; i < 10; ++i) {
        columns[i].visible = ini.readBool(G, k("Visible_", i), true);
        columns[i].width = ini.readInteger(G, k("Columns_", i), 200);
        columns[i].fieldName = ini.readString(G, k("FieldName_", i));
        columns[i].titleCaption = ini.readString(G, k("TitelCaption_", i));
    }
    columnsReset = applyDefaultColumnsIfNeeded();
    theme = ini.readInteger(C, "Theme", 0);
    fontName = ini.readString(C, "FontName", QStringLiteral("Meiryo UI"));
    fontSize = ini.readInteger(C, "FontSize", 9);
    fontColor = ini.readInteger(C, "FontColor", 0);
    treeViewSW = ini.readBool(W, "TreeViewSW", true);
    treeViewWidth = ini.readInteger(W, "TreeViewWidth", 160);
    if (treeViewWidth < 10)
        treeViewWidth = 160;
    viewStyleNum = ini.readInteger(C, "ViewStyleNum", 0);
    mskFlg = ini.readBool(C, "MSKFlg", false);
    homeFlg = ini.readBool(C, "HomeFlg", true);
    homePath = ini.readString(C, "HomePath");
    buPath = ini.readString(C, "BUPath");
    ldPath = ini.readString(C, "LDPath");
    chkBx8 = ini.readBool(C, "ChkBx8", false);
    chkBx9 = ini.readBool(C, "ChkBx9", false);
    rGroup4 = ini.readInteger(C, "RGroup4", 0);
    columnNum = ini.readInteger(SL, "ColumnNum", 16);
    if (columnNum == 0)
        columnNum = 16;
    for (int i = 0; i < 17; ++i)
        columnWidths[i] = ini.readInteger(SL, k("ColumnW", i + 1), 80);
    dSelctRGroup1 = ini.readInteger(C, "DSelctRGroup1", 0);
    dLstFrmFntSize = ini.readInteger(C, "DLstFrmFntSize", 8);
    mailerIndx = ini.readInteger(CN, "MailerIndx", 0);
    exchangerAccount = ini.readString(CN, "ExchangerAccount");
    mailTabIndx = ini.readInteger(CN, "Mail_Tabindx", 0);
    myMailAddress = ini.readString(CN, "MyMailAddress");
    fromName = ini.readString(CN, "FromName");
    smtpHost = ini.readString(CN, "SMTP_Host", QStringLiteral("localhost"));
    smtpPort = ini.readString(CN, "SMTP_Port", QStringLiteral("25"));
    smtpUser = ini.readString(CN, "SMTP_User");
    mailEncode = ini.readInteger(CN, "Mail_Encode", 0);
    myMailSubject = ini.readString(CN, "MyMailSubject");
}

bool Settings::applyDefaultColumnsIfNeeded()
{
    bool anyEmpty = false;
    for (const GridColumn& c : columns)
        anyEmpty = anyEmpty || c.fieldName.isEmpty();
    if (!anyEmpty)
        return false;
    for (int i = 0; i < 10; ++i) {
        columns[i].fieldName = QString::fromUtf8(kDefaultListColumns[i].fieldName);
        columns[i].titleCaption = QString::fromUtf8(kDefaultListColumns[i].title);
    }
    columns[0].visible = false;
    columns[2].visible = false;
    columns[8].visible = false;
    return true;
}

void Settings::writeTo(platform::IniStore& ini, bool homeShowFlg) const
{
    ini.writeInteger(W, "Left", left);
    ini.writeInteger(W, "Top", top);
    ini.writeInteger(W, "Width", width);
    ini.writeInteger(W, "Height", height);
    ini.writeInteger(W, "Panel1Height", panel1Height);
    ini.writeBool(W, "TreeViewSW", treeViewSW);
    ini.writeInteger(W, "TreeViewWidth", treeViewWidth);
    ini.writeInteger(LW, "Width", lstWidth);
    ini.writeInteger(LW, "Height", lstHeight);
    ini.writeInteger(C, "Theme", theme);
    ini.writeInteger(C, "MLFilter_Index", mlFilterIndex);
    ini.writeString(C, "MLRead_Path", mlReadPath);
    ini.writeString(C, "MLStore_Path", mlStorePath);
    // (the parameter rows are written here by the caller, between these keys)
    ini.writeString(C, "FontName", fontName);
    ini.writeInteger(C, "FontSize", fontSize);
    ini.writeInteger(C, "FontColor", fontColor);
    ini.writeBool(C, "TAB1_Visible", tab1Visible);
    ini.writeBool(C, "TAB3_Visible", tab3Visible);
    if (homeShowFlg)
        ini.writeString(C, "HomePATH", homePath);
    ini.writeString(C, "LDPath", ldPath);
    ini.writeString(C, "BUPath", buPath);
    ini.writeBool(C, "ChkBx8", chkBx8);
    ini.writeBool(C, "ChkBx9", chkBx9);
    ini.writeInteger(C, "RGroup4", rGroup4);
    ini.writeInteger(C, "ViewStyleNum", viewStyleNum);
    ini.writeBool(C, "MSKFlg", mskFlg);
    ini.writeBool(C, "HomeFlg", true);
    ini.writeInteger(C, "DSelctRGroup1", dSelctRGroup1);
    ini.writeInteger(C, "DLstFrmFntSize", dLstFrmFntSize);
    ini.writeString(DB, "Server", server);
    ini.writeString(DB, "DBPath", dbPath);
    for (int i = 0; i < 10; ++i) {
        ini.writeBool(G, k("Visible_", i), columns[i].visible);
        ini.writeInteger(G, k("Columns_", i), columns[i].width);
        ini.writeString(G, k("FieldName_", i), columns[i].fieldName);
        ini.writeString(G, k("TitelCaption_", i), columns[i].titleCaption);
    }
    const int n = qBound(0, columnNum, 17);
    ini.writeInteger(SL, "ColumnNum", columnNum);
    for (int i = 0; i < n; ++i)
        ini.writeInteger(SL, k("ColumnW", i + 1), columnWidths[i]);
    ini.writeInteger(CN, "Mail_Tabindx", mailTabIndx);
    ini.writeInteger(CN, "MailerIndx", mailerIndx);
    ini.writeString(CN, "SMTP_Host", smtpHost);
    ini.writeString(CN, "SMTP_Port", smtpPort);
    ini.writeString(CN, "SMTP_User", smtpUser);
    ini.writeInteger(CN, "Mail_Encode", mailEncode);
    ini.writeString(CN, "ExchangerAccount", exchangerAccount);
    ini.writeString(CN, "MyMailAddress", myMailAddress);
    ini.writeString(CN, "FromName", fromName);
    ini.writeString(CN, "MyMailSubject", myMailSubject);
}

} // namespace lark::shell
