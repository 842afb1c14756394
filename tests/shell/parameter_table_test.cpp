#include "shell/ParameterTable.h"
#include "platform/IniStore.h"

#include <QAbstractItemModelTester>

#include <gtest/gtest.h>

using namespace lark::shell;

TEST(ParameterTable, RowsInTheirOrderWithDesignedTexts)
{
    ParameterTable t;
    const QStringList keys = ParameterTable::keys();
    ASSERT_EQ(keys.size(), 23);
    EXPECT_EQ(keys.first(), QStringLiteral("ExpFileName"));
    EXPECT_EQ(keys.last(), QStringLiteral("MailAccount10"));
    EXPECT_EQ(t.value("ExpFileName"), QStringLiteral("[Subject]_[DateTime]"));
    EXPECT_EQ(t.value("GPGPath"), QStringLiteral("C:\\Program Files (x86)\\GnuPG\\bin\\gpg.exe"));
    EXPECT_EQ(t.value("NoSuchKey"), QString());
    QAbstractItemModelTester tester(&t, QAbstractItemModelTester::FailureReportingMode::Fatal);
}

TEST(ParameterTable, MissingKeysReadDummyDataAndAreWrittenBack)
{
    lark::platform::IniStore ini;
    ini.setText(QStringLiteral("[Condition]\nZOOM=110\n"));
    ParameterTable t;
    t.readFrom(ini);
    EXPECT_EQ(t.value("ZOOM"), QStringLiteral("110"));
    for (const QString& k : ParameterTable::keys())
        if (k != QLatin1String("ZOOM"))
            EXPECT_EQ(t.value(k), kDummyData) << k.toStdString();
    lark::platform::IniStore out;
    t.writeTo(out);
    EXPECT_EQ(out.readString("Condition", "MailAccount7"), kDummyData);
    EXPECT_EQ(out.readString("Condition", "ZOOM"), QStringLiteral("110"));
}

TEST(ParameterTable, NotSetRuleFillsTheFallbackOnlyForDummyOrEmpty)
{
    ParameterTable t;
    t.setValue("ZOOM", kDummyData);
    EXPECT_EQ(t.valueOrSet("ZOOM", QStringLiteral("70")), QStringLiteral("70"));
    EXPECT_EQ(t.value("ZOOM"), QStringLiteral("70"));
    t.setValue("ZOOM", QString());
    EXPECT_EQ(t.valueOrSet("ZOOM", QStringLiteral("70")), QStringLiteral("70"));
    t.setValue("ZOOM", QStringLiteral("dummy data")); // letter case counts: this is a value
    EXPECT_EQ(t.valueOrSet("ZOOM", QStringLiteral("70")), QStringLiteral("dummy data"));
}

TEST(ParameterTable, KeysAreReadOnlyValuesEditable)
{
    ParameterTable t;
    const QModelIndex key = t.index(0, 0);
    const QModelIndex value = t.index(0, 1);
    EXPECT_FALSE(t.flags(key) & Qt::ItemIsEditable);
    EXPECT_TRUE(t.flags(value) & Qt::ItemIsEditable);
    EXPECT_FALSE(t.setData(key, QStringLiteral("Other"), Qt::EditRole));
    EXPECT_TRUE(t.setData(value, QStringLiteral("[Date]-[Subject]"), Qt::EditRole));
    EXPECT_EQ(t.value("ExpFileName"), QStringLiteral("[Date]-[Subject]"));
    EXPECT_EQ(t.data(key, Qt::DisplayRole).toString(), QStringLiteral("ExpFileName"));
}
