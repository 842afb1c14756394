#include "platform/IniStore.h"

#include "support/TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using lark::platform::IniStore;

namespace {

IniStore fromText(const char* text)
{
    IniStore ini;
    ini.setText(QString::fromUtf8(text));
    return ini;
}

} // namespace

TEST(IniStore, LooksUpSectionsAndKeysWithoutRegardToCase)
{
    const IniStore ini = fromText("[Window]\nLeft=12\n[condition]\nMLRead_Path = /home/u/mail \nTAB1_Visible=1\n");
    EXPECT_EQ(ini.readInteger("WINDOW", "left", 50), 12);
    EXPECT_EQ(ini.readString("Condition", "mlread_path"), QStringLiteral("/home/u/mail"));
    EXPECT_TRUE(ini.readBool("CONDITION", "Tab1_Visible", false));
    EXPECT_EQ(ini.readInteger("Window", "Top", 50), 50);       // missing key: default
    EXPECT_EQ(ini.readString("Nowhere", "x", "d"), QStringLiteral("d")); // missing section
}

TEST(IniStore, ReadsNumbersAndBooleansLikeTheProfileFunctions)
{
    const IniStore ini = fromText("[S]\nA=abc\nB=-3000\nC=0\nD=2\nE=\n");
    EXPECT_EQ(ini.readInteger("S", "A", 7), 7); // not a number: default
    EXPECT_EQ(ini.readInteger("S", "B", 7), -3000);
    EXPECT_FALSE(ini.readBool("S", "C", true));
    EXPECT_TRUE(ini.readBool("S", "D", false)); // any value but 0 is true
    EXPECT_EQ(ini.readInteger("S", "E", 9), 9);
}

TEST(IniStore, UpdatesInPlaceAndKeepsUnknownLines)
{
    IniStore ini = fromText("; comment\n[ADCondition]\nADRS0=1\nADRS4=1\n[window]\nleft=3\nExtra=keep\n");
    ini.writeInteger("Window", "Left", 99);
    ini.writeString("Window", "Top", "7");
    ini.writeBool("ADCondition", "ADRS0", false);
    ini.writeString("New", "Key", "v");
    const QString text = ini.text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("; comment\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("left=99\r\n"))); // spelling of the file kept
    EXPECT_TRUE(text.contains(QStringLiteral("Extra=keep")));
    EXPECT_TRUE(text.contains(QStringLiteral("ADRS4=1")));
    EXPECT_TRUE(text.contains(QStringLiteral("ADRS0=0")));
    EXPECT_LT(text.indexOf(QStringLiteral("Top=7")), text.indexOf(QStringLiteral("[New]")));
    EXPECT_EQ(ini.readString("new", "key"), QStringLiteral("v"));
}

TEST(IniStore, RoundTripsUtf8AndAcceptsAByteOrderMark)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Larkspur.ini");
    lark::test::writeAll(path, QByteArray("\xEF\xBB\xBF[Condition]\r\nSubject=*見積*\r\n"));
    IniStore ini(path);
    ASSERT_TRUE(ini.load().ok());
    EXPECT_EQ(ini.readString("Condition", "Subject"), QStringLiteral("*見積*"));
    ini.writeString("Condition", "SenderName", QStringLiteral("営業部"));
    ASSERT_TRUE(ini.save().ok());
    IniStore again(path);
    ASSERT_TRUE(again.load().ok());
    EXPECT_EQ(again.readString("condition", "sendername"), QStringLiteral("営業部"));
    EXPECT_EQ(again.readString("condition", "subject"), QStringLiteral("*見積*"));
}

TEST(IniStore, MissingFileGivesDefaults)
{
    IniStore ini(QStringLiteral("/nonexistent/dir/Larkspur.ini"));
    EXPECT_TRUE(ini.load().ok());
    EXPECT_EQ(ini.readInteger("Window", "Width", 640), 640);
}
