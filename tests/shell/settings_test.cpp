#include "shell/ParameterTable.h"
#include "shell/Settings.h"
#include "platform/IniStore.h"

#include <gtest/gtest.h>

using namespace lark::shell;
using lark::platform::IniStore;

TEST(Settings, EmptyFileGivesTheDefaults)
{
    IniStore ini;
    Settings s;
    s.readFrom(ini);
    EXPECT_EQ(s.left, 50);
    EXPECT_EQ(s.top, 50);
    EXPECT_EQ(s.width, 640);
    EXPECT_EQ(s.height, 480);
    EXPECT_EQ(s.panel1Height, 300);
    EXPECT_EQ(s.server, QStringLiteral("localhost"));
    EXPECT_EQ(s.theme, 0);
    EXPECT_EQ(s.fontName, QStringLiteral("Meiryo UI"));
    EXPECT_EQ(s.fontSize, 9);
    EXPECT_FALSE(s.tab1Visible);
    EXPECT_FALSE(s.tab3Visible);
    EXPECT_EQ(s.smtpPort, QStringLiteral("25"));
    EXPECT_EQ(s.dLstFrmFntSize, 8);
    // The list columns fall back to the default layout: 0, 2 and 8 hidden.
    EXPECT_TRUE(s.columnsReset);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(s.columns[i].visible, i != 0 && i != 2 && i != 8) << i;
        EXPECT_EQ(s.columns[i].width, 200);
        EXPECT_EQ(s.columns[i].fieldName, QString::fromUtf8(kDefaultListColumns[i].fieldName));
    }
    EXPECT_EQ(s.columns[7].titleCaption, QStringLiteral("題目"));
}

TEST(Settings, ValuesAreClampedAsTheFileRulesSay)
{
    IniStore ini;
    ini.setText(QStringLiteral("[Window]\nPanel1Height=3\nTreeViewWidth=5\n[sListView]\nColumnNum=0\nColumnW3=55\n"));
    Settings s;
    s.readFrom(ini);
    EXPECT_EQ(s.panel1Height, 10);
    EXPECT_EQ(s.treeViewWidth, 160);
    EXPECT_EQ(s.columnNum, 16);
    EXPECT_EQ(s.columnWidths[2], 55);
    IniStore out;
    s.writeTo(out, true);
    EXPECT_EQ(out.readInteger("sListView", "ColumnNum", 0), 16);
    EXPECT_TRUE(out.hasKey("sListView", "ColumnW16"));
    EXPECT_FALSE(out.hasKey("sListView", "ColumnW17"));
}

TEST(Settings, ColumnsFromTheFileStayWhenAllFieldNamesAreGiven)
{
    IniStore ini;
    for (int i = 0; i < 10; ++i) {
        ini.writeString("DBGrid", QStringLiteral("FieldName_%1").arg(i), QStringLiteral("F%1").arg(9 - i));
        ini.writeBool("DBGrid", QStringLiteral("Visible_%1").arg(i), i % 2 == 0);
        ini.writeInteger("DBGrid", QStringLiteral("Columns_%1").arg(i), 100 + i);
    }
    Settings s;
    s.readFrom(ini);
    EXPECT_FALSE(s.columnsReset);
    EXPECT_EQ(s.columns[0].fieldName, QStringLiteral("F9"));
    EXPECT_TRUE(s.columns[0].visible);
    EXPECT_FALSE(s.columns[1].visible);
    EXPECT_EQ(s.columns[3].width, 103);
}

TEST(Settings, HomePathIsWrittenOnlyWhileTheHomeFolderIsShownAndHomeFlgAlwaysTrue)
{
    Settings s;
    s.homePath = QStringLiteral("/home/u");
    IniStore shown, hidden;
    s.writeTo(shown, true);
    s.homeFlg = false;
    s.writeTo(hidden, false);
    EXPECT_EQ(shown.readString("Condition", "HomePATH"), QStringLiteral("/home/u"));
    EXPECT_FALSE(hidden.hasKey("Condition", "HomePATH"));
    EXPECT_TRUE(hidden.readBool("Condition", "HomeFlg", false));
}
