// The search: the expression text of the filter, its meaning over a small archive as the
// dialog applies it and as larkspurctl search prints it, and the keyword histories.
#include "ArchiveFixture.h"

#include "store/KeywordHistory.h"
#include "store/SearchFilter.h"
#include "store/SearchForm.h"
#include "store/ui/TDBSelectFrm.h"

#include <QComboBox>
#include <QLineEdit>
#include <QDateEdit>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QButtonGroup>
#include <QTest>

#include <set>

using namespace lark;
using namespace lark::store;

namespace {

TEST(SearchExpression, WorkedExampleRendersExactly)
{
    SearchCriteria c;
    c.from = QDate(2025, 1, 1);
    c.to = QDate(2025, 1, 31);
    c.subject = QStringLiteral("*見積*");
    c.sender = QStringLiteral("*営業?");
    c.bodyLines = {QStringLiteral("納期"), QStringLiteral("回答 期限")};
    c.andJoin = true;
    EXPECT_EQ(filterExpressionText(c),
              QStringLiteral("MESSAGE_DATE >= '2025/01/01' AND MESSAGE_DATE <= '2025/01/31' AND MESSAGE_SUBJECT LIKE "
                             "'%見積%' AND SENDER_NAME LIKE '%営業_' AND ((MAILBODY LIKE '%納期%') and (MAILBODY LIKE "
                             "'%回答%期限%'))"));
    c.andJoin = false;
    c.bodyLines = {QStringLiteral("a\u3000b"), QString()};
    c.subject.clear();
    c.sender.clear();
    EXPECT_EQ(filterExpressionText(c),
              QStringLiteral("MESSAGE_DATE >= '2025/01/01' AND MESSAGE_DATE <= '2025/01/31' AND ((MAILBODY LIKE "
                             "'%a%b%') or (MAILBODY LIKE '%%'))"));
}

struct Case {
    const char* name;
    QDate from, to;
    QString subject, sender;
    QStringList body;
    bool andJoin;
    std::set<QString> expected;
};

class SearchTest : public test::ArchiveTest {
protected:
    void SetUp() override
    {
        test::ArchiveTest::SetUp();
        auto mail = [](const char* id, const char* date, const QString& subject, const QString& sender,
                       const QString& body) {
            test::MailSpec m;
            m.id = QString::fromLatin1(id);
            m.date = QString::fromLatin1(date);
            m.subject = subject;
            m.senderName = sender;
            m.body = body;
            m.fileName = m.id + QStringLiteral(".eml");
            return m;
        };
        store(mail("m1", "2025/01/01 00:00:00", QStringLiteral("御見積の件"), QStringLiteral("営業部"),
                   QStringLiteral("納期について\r\n回答期限は明日")));
        store(mail("m2", "2025/01/31 23:59:59", QStringLiteral("Re: 見積"), QStringLiteral("O'Brien"),
                   QStringLiteral("Delivery date and reply deadline")));
        store(mail("m3", "2025/02/01 00:00:00", QStringLiteral("100% done"), QStringLiteral("Sales_Team"),
                   QStringLiteral("nothing here")));
        store(mail("m4", "2025/01/15 10:00:00", QStringLiteral("report"), QStringLiteral("REPORT Bot"),
                   QStringLiteral("weekly report")));
        store(mail("m5", "2025/01/20 08:30:00", QStringLiteral("1000 items"), QStringLiteral("SalesXTeam"),
                   QStringLiteral("count of items")));
    }

    // The dialog: its controls set as a user would, then OK.
    std::set<QString> throughDialog(const Case& c)
    {
        SearchForm form(*ctx);
        form.create();
        form.prepare();
        ui::TDBSelectFrm dlg(form, *dm, nullptr);
        dlg.DateTimePicker1->setDate(c.from);
        dlg.DateTimePicker2->setDate(c.to);
        dlg.ComboBox1->setEditText(c.subject);
        dlg.ComboBox2->setEditText(c.sender);
        dlg.Memo1->setPlainText(c.body.join(QLatin1Char('\n')));
        dlg.radioItems->button(c.andJoin ? 1 : 0)->setChecked(true);
        QTest::mouseClick(dlg.BitBtn1, Qt::LeftButton);
        EXPECT_TRUE(dm->FDTbl1().isOpen());
        EXPECT_TRUE(dm->FDTbl1().fetchAll().ok());
        std::set<QString> ids;
        for (int r = 0; r < dm->FDTbl1().fetchedRows(); ++r)
            ids.insert(dm->FDTbl1().rowAt(r)->values[0]);
        return ids;
    }

    // larkspurctl search on the same archive (the program's own connection is closed meanwhile:
    // an embedded archive belongs to one process at a time).
    std::set<QString> throughCommandLine(const Case& c)
    {
        dm->closeConnection();
        QStringList args = {QStringLiteral("--settings"), tmp.path(), QStringLiteral("--db"), dbPath,
                            QStringLiteral("search"), QStringLiteral("--json"),
                            QStringLiteral("--from"), c.from.toString(QStringLiteral("yyyy/MM/dd")),
                            QStringLiteral("--to"), c.to.toString(QStringLiteral("yyyy/MM/dd"))};
        if (!c.subject.isEmpty())
            args << QStringLiteral("--subject") << c.subject;
        if (!c.sender.isEmpty())
            args << QStringLiteral("--sender") << c.sender;
        for (const QString& line : c.body)
            args << QStringLiteral("--body") << line;
        if (c.andJoin)
            args << QStringLiteral("--and");
        QProcess p;
        p.start(test::binDir() + QStringLiteral("/larkspurctl"), args);
        EXPECT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        std::set<QString> ids;
        const QJsonArray rows = QJsonDocument::fromJson(p.readAllStandardOutput()).array();
        for (const QJsonValue& v : rows)
            ids.insert(v.toObject().value(QStringLiteral("message_id")).toString());
        return ids;
    }
};

TEST_F(SearchTest, DialogAndCommandLineFindTheSameRows)
{
    const QDate from(2024, 1, 1), to(2025, 12, 31);
    const std::set<QString> all = {"m1", "m2", "m3", "m4", "m5"};
    const QList<Case> cases = {
        {"range keeps the whole last day", QDate(2025, 1, 1), QDate(2025, 1, 31), {}, {}, {}, false, {"m1", "m2", "m4", "m5"}},
        {"one day, late in it", QDate(2025, 1, 31), QDate(2025, 1, 31), {}, {}, {}, false, {"m2"}},
        {"subject with stars", from, to, "*見積*", {}, {}, false, {"m1", "m2"}},
        {"subject without wildcards is exact", from, to, "見積", {}, {}, false, {}},
        {"question mark is one character", from, to, "Re?*", {}, {}, false, {"m2"}},
        {"letter case counts", from, to, {}, "o'brien", {}, false, {}},
        {"apostrophe", from, to, {}, "O'Brien", {}, false, {"m2"}},
        {"percent sign typed by the user", from, to, "100%*", {}, {}, false, {"m3"}},
        {"underscore typed by the user", from, to, {}, "Sales_*", {}, false, {"m3"}},
        {"words of a line in order", from, to, {}, {}, {"回答 期限"}, false, {"m1"}},
        {"words in the other order", from, to, {}, {}, {"期限 回答"}, false, {}},
        {"or lines", from, to, {}, {}, {"納期", "deadline"}, false, {"m1", "m2"}},
        {"and lines", from, to, {}, {}, {"reply", "deadline"}, true, {"m2"}},
        {"and lines without common message", from, to, {}, {}, {"納期", "deadline"}, true, {}},
        {"blank line with or matches every body", from, to, {}, {}, {"deadline", ""}, false, all},
        {"body letter case counts", from, to, {}, {}, {"DELIVERY"}, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(throughDialog(c), c.expected);
        EXPECT_EQ(throughCommandLine(c), c.expected);
    }
}

TEST_F(SearchTest, ReversedRangeResetsTheDatesAndKeepsTheFilter)
{
    SearchForm form(*ctx);
    form.today = QDate(2025, 3, 15);
    form.create();
    form.prepare();
    form.fromDate = QDate(2025, 2, 1);
    form.toDate = QDate(2025, 1, 1);
    EXPECT_FALSE(form.BitBtn1Click(*dm));
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("日付範囲がとれません\r\n再度設定してください")});
    EXPECT_EQ(form.toDate, QDate(2025, 3, 15));
    EXPECT_EQ(form.fromDate, QDate(2025, 2, 15));
    EXPECT_FALSE(dm->FDTbl1().isFiltered());
}

TEST_F(SearchTest, SearchActionWritesTheParametersAndClosingTheListDropsTheFilter)
{
    ctx->params().setValue(QStringLiteral("FromDate"), QStringLiteral("2024/13/45"));
    DBSelectExecute(*dm, [this](SearchForm& form) {
        EXPECT_EQ(form.fromDate, form.today.addMonths(-1)); // not a date: one month back
        form.fromDate = QDate(2025, 1, 1);
        form.toDate = QDate(2025, 1, 31);
        form.subject.text = QStringLiteral("*見積*");
        EXPECT_TRUE(form.BitBtn1Click(*dm));
    });
    EXPECT_EQ(ctx->params().value(QStringLiteral("FromDate")), QStringLiteral("2025/01/01"));
    EXPECT_EQ(ctx->params().value(QStringLiteral("Subject")), QStringLiteral("*見積*"));
    EXPECT_FALSE(ctx->actions().checked(QStringLiteral("DBSelect")));
    EXPECT_TRUE(dm->FDTbl1().isFiltered());
    EXPECT_EQ(dm->FDTbl1().rowCount(), 2);
    dm->DBConnectExecute(); // closes the list
    EXPECT_FALSE(dm->FDTbl1().isFiltered());
    dm->DBConnectExecute();
    EXPECT_EQ(dm->FDTbl1().rowCount(), 5);
}

TEST_F(SearchTest, DialogBoxesKeepTheirHistoriesThroughEnterAndDoubleClick)
{
    SearchForm form(*ctx);
    form.create();
    form.prepare();
    ui::TDBSelectFrm dlg(form, *dm, nullptr);
    dlg.show();
    dlg.ComboBox1->setEditText(QStringLiteral(" 御見積  の件 "));
    QTest::keyClick(dlg.ComboBox1->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(dlg.isVisible()) << "Enter is consumed by the box";
    EXPECT_EQ(dlg.ComboBox1->currentText(), QStringLiteral("御見積の件"));
    ASSERT_GE(dlg.ComboBox1->count(), 1);
    EXPECT_EQ(dlg.ComboBox1->itemText(0), QStringLiteral("御見積の件"));

    dlg.ComboBox2->setEditText(QStringLiteral("営業部"));
    QTest::keyClick(dlg.ComboBox2->lineEdit(), Qt::Key_Enter);
    dlg.ComboBox2->setEditText(QStringLiteral("総務部"));
    QTest::keyClick(dlg.ComboBox2->lineEdit(), Qt::Key_Return);
    ASSERT_EQ(dlg.ComboBox2->count(), 2);
    // The entry picked from the list, then an empty box double-clicked: the entry goes.
    dlg.ComboBox2->activated(1);
    dlg.ComboBox2->setEditText(QString());
    QTest::mouseDClick(dlg.ComboBox2->lineEdit(), Qt::LeftButton);
    EXPECT_EQ(dlg.ComboBox2->count(), 1);
    EXPECT_EQ(dlg.ComboBox2->itemText(0), QStringLiteral("総務部"));

    QTest::mouseClick(dlg.BitBtn3, Qt::LeftButton); // Close: nothing applied
    form.closing();
    KeywordHistory saved;
    saved.load(QDir(tmp.path()).filePath(kSubjectHistoryFile));
    EXPECT_EQ(saved.items, QStringList{QStringLiteral("御見積の件")});
    EXPECT_FALSE(dm->FDTbl1().isFiltered());
}

TEST(KeywordHistoryRules, TwentyEntriesNoDuplicatesEnterAndDoubleClick)
{
    KeywordHistory h;
    for (int i = 1; i <= 21; ++i) {
        h.text = QStringLiteral("k%1").arg(i);
        h.leave();
    }
    ASSERT_EQ(h.items.size(), 20);
    EXPECT_EQ(h.items.first(), QStringLiteral("k21"));
    EXPECT_EQ(h.items.last(), QStringLiteral("k2")); // the oldest went

    h.text = QStringLiteral("k10");
    h.leave();
    EXPECT_EQ(h.items.size(), 20);
    EXPECT_EQ(h.items.first(), QStringLiteral("k10"));
    EXPECT_EQ(h.items.count(QStringLiteral("k10")), 1);

    h.text = QStringLiteral("  foo  bar ");
    h.enterOrDoubleClick();
    EXPECT_EQ(h.text, QStringLiteral("foobar"));
    EXPECT_EQ(h.items.first(), QStringLiteral("foobar"));

    h.pick(3);
    const QString picked = h.items.at(3);
    h.text.clear();
    h.enterOrDoubleClick();
    EXPECT_FALSE(h.items.contains(picked));
    EXPECT_EQ(h.items.size(), 19);
}

TEST(KeywordHistoryRules, FilesKeepTheirEncoding)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(kSubjectHistoryFile);
    // UTF-16 with its byte-order mark stays UTF-16.
    QByteArray utf16("\xFF\xFE", 2);
    for (QChar c : QStringLiteral("見積\r\n件名\r\n"))
        utf16.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    test::writeAll(path, utf16);
    KeywordHistory h;
    h.load(path);
    EXPECT_EQ(h.items, (QStringList{QStringLiteral("見積"), QStringLiteral("件名")}));
    EXPECT_EQ(h.text, QStringLiteral("見積"));
    h.text = QStringLiteral("新規");
    h.leave();
    h.save(path);
    const QByteArray back = test::readAll(path);
    EXPECT_TRUE(back.startsWith("\xFF\xFE"));
    KeywordHistory again;
    again.load(path);
    EXPECT_EQ(again.items.first(), QStringLiteral("新規"));
    // A missing file gives an empty box.
    KeywordHistory none;
    none.load(dir.filePath(QStringLiteral("missing.Txt")));
    EXPECT_TRUE(none.items.isEmpty());
    EXPECT_TRUE(none.text.isEmpty());
}

} // namespace
