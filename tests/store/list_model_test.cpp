// The message list: newest first, order and filter in the database, rows fetched page by
// page, the body as a bounded prefix, the column layout, the title-click order and the grid
// font steps.
#include "ArchiveFixture.h"

#include "store/ListColumns.h"
#include "store/MessageListModel.h"

#include <QAbstractItemModelTester>
#include <QSqlQuery>

using namespace lark;
using namespace lark::store;
using lark::test::MailSpec;

namespace {
QStringList fieldValues(const MessageListModel& m, ListField f)
{
    QStringList out;
    for (int r = 0; r < m.fetchedRows(); ++r)
        out << m.rowAt(r)->value(f);
    return out;
}
} // namespace

class ListTest : public lark::test::ArchiveTest {
protected:
    void addMessages(const QList<std::pair<QString, QString>>& subjectAndDate)
    {
        int n = 0;
        for (const auto& [subject, date] : subjectAndDate) {
            MailSpec m;
            m.id = QStringLiteral("<list%1@x>").arg(++n);
            m.subject = subject;
            m.date = date;
            m.fileName = QStringLiteral("l%1.eml").arg(n);
            store(m);
        }
    }
    MessageListModel& list() { return dm->FDTbl1(); }
};

TEST(ListColumns, FreshSettingsShowColumns1To7ExceptAccountAndTheBody)
{
    shell::Settings s;
    ASSERT_TRUE(s.applyDefaultColumnsIfNeeded());
    MessageListModel model;
    model.setColumns(s.columns);
    QList<int> visible;
    for (int i = 0; i < kListFieldCount; ++i) {
        if (s.columns[i].visible)
            visible << i;
        EXPECT_EQ(s.columns[i].width, 200);
        EXPECT_EQ(model.fieldOfColumn(i), static_cast<ListField>(i));
    }
    EXPECT_EQ(visible, (QList<int>{1, 3, 4, 5, 6, 7, 9}));
    EXPECT_EQ(model.headerData(7, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("題目"));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("受信日時"));
}

TEST(ListColumns, TitleClicksShareOneCounter)
{
    int srtcnum = 0;
    EXPECT_EQ(titleClickSort(srtcnum, ListField::MessageSubject).indexFieldNames(), "MESSAGE_SUBJECT:D");
    EXPECT_EQ(titleClickSort(srtcnum, ListField::MessageDate).indexFieldNames(), "MESSAGE_DATE:A");
    EXPECT_EQ(titleClickSort(srtcnum, ListField::MessageDate).indexFieldNames(), "MESSAGE_DATE:D");
    EXPECT_EQ(srtcnum, 3);
    EXPECT_EQ(fieldFromName("message_subject"), ListField::MessageSubject);
    EXPECT_EQ(fieldFromName("NO_SUCH"), std::nullopt);
}

TEST(ListFont, StepsOfTheTwoPopupItems)
{
    int size = 8;
    QList<int> larger;
    for (int i = 0; i < 5; ++i)
        larger << (size = fontSizeLarger(size));
    EXPECT_EQ(larger, (QList<int>{9, 10, 11, 12, 13}));
    QList<int> smaller;
    for (int i = 0; i < 4; ++i)
        smaller << (size = fontSizeSmaller(size));
    EXPECT_EQ(smaller, (QList<int>{11, 9, 8, 7}));
    EXPECT_EQ(fontSizeLarger(20), 22);
    EXPECT_EQ(fontSizeSmaller(20), 18);
    EXPECT_EQ(fontSizeSmaller(1), 1);
}

TEST_F(ListTest, OpensNewestFirstAndSortsByTitleClicksIgnoringCase)
{
    addMessages({{"banana", "2025/01/02 00:00:00"}, {"Apple", "2025/01/03 00:00:00"}, {"cherry", "2025/01/01 00:00:00"}});
    ASSERT_TRUE(list().open().ok());
    EXPECT_EQ(fieldValues(list(), ListField::MessageSubject), (QStringList{"Apple", "banana", "cherry"}));
    EXPECT_EQ(list().sort().indexFieldNames(), "MESSAGE_DATE:D");

    // First click on "題目": subject descending; next click on "受信日時": date ascending.
    ASSERT_TRUE(list().setSort(titleClickSort(ctx->srtcnum, ListField::MessageSubject)).ok());
    EXPECT_EQ(fieldValues(list(), ListField::MessageSubject), (QStringList{"cherry", "banana", "Apple"}));
    ASSERT_TRUE(list().setSort(titleClickSort(ctx->srtcnum, ListField::MessageDate)).ok());
    EXPECT_EQ(fieldValues(list(), ListField::MessageDate),
              (QStringList{"2025/01/01 00:00:00", "2025/01/02 00:00:00", "2025/01/03 00:00:00"}));
}

TEST_F(ListTest, SortAppliesToTheFilteredList)
{
    addMessages({{"b match", "2025/01/02 00:00:00"}, {"a match", "2025/01/03 00:00:00"}, {"z other", "2025/01/01 00:00:00"}});
    SearchCriteria c;
    c.from = QDate(2025, 1, 1);
    c.to = QDate(2025, 1, 31);
    c.subject = "*match";
    ASSERT_TRUE(list().setFilter(c).ok());
    ASSERT_TRUE(list().setSort(SortOrder{ListField::MessageSubject, false}).ok());
    ASSERT_TRUE(list().open().ok());
    EXPECT_EQ(fieldValues(list(), ListField::MessageSubject), (QStringList{"a match", "b match"}));
}

TEST_F(ListTest, RowsArriveAPageAtATime)
{
    QList<std::pair<QString, QString>> messages;
    for (int i = 0; i < 7; ++i)
        messages << std::pair{QStringLiteral("s%1").arg(i), QStringLiteral("2025/01/%1 00:00:00").arg(i + 1, 2, 10, QLatin1Char('0'))};
    addMessages(messages);
    list().setPageSize(3);
    QAbstractItemModelTester tester(&list(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_TRUE(list().open().ok());
    EXPECT_EQ(list().rowCount(), 3);
    EXPECT_TRUE(list().canFetchMore({}));
    list().fetchMore({});
    EXPECT_EQ(list().rowCount(), 6);
    list().fetchMore({});
    EXPECT_EQ(list().rowCount(), 7);
    EXPECT_FALSE(list().canFetchMore({}));
    EXPECT_EQ(list().rowAt(6)->value(ListField::MessageSubject), "s0");
}

TEST_F(ListTest, BodyColumnCarriesABoundedPrefix)
{
    MailSpec m;
    m.body = QString(5000, QLatin1Char('b')) + QStringLiteral("\nend");
    store(m);
    ASSERT_TRUE(list().open().ok());
    const QString prefix = list().rowAt(0)->value(ListField::MailBody);
    EXPECT_EQ(prefix, QString(kBodyPrefixLength, QLatin1Char('b')));
    list().close();
    list().setBodyMode(BodyMode::Full);
    ASSERT_TRUE(list().open().ok());
    EXPECT_EQ(list().rowAt(0)->value(ListField::MailBody), QString(5000, QLatin1Char('b')) + QStringLiteral("\r\nend"));
}

TEST_F(ListTest, GridShowsTheFieldsTheLayoutNames)
{
    MailSpec m;
    m.body = "line one\nline two";
    store(m);
    auto columns = ctx->settings.columns;
    std::swap(columns[3], columns[7]); // sender name and subject change places
    list().setColumns(columns);
    ASSERT_TRUE(list().open().ok());
    EXPECT_EQ(list().data(list().index(0, 3), Qt::DisplayRole).toString(), "Subject");
    EXPECT_EQ(list().data(list().index(0, 7), Qt::DisplayRole).toString(), "Sender");
    EXPECT_EQ(list().headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("題目"));
    EXPECT_EQ(list().data(list().index(0, 9), Qt::DisplayRole).toString(), "line one line two");
    EXPECT_EQ(list().data(list().index(0, 1), Qt::DisplayRole).toString(), "2025/01/31 14:05:09");
}

TEST_F(ListTest, MessageWithoutFileRowListsANullFileName)
{
    store(MailSpec{});
    QSqlQuery q(dm->FD_Message().database());
    ASSERT_TRUE(q.exec("delete from Message_DatTBL"));
    ASSERT_TRUE(list().open().ok());
    ASSERT_EQ(list().fetchedRows(), 1);
    EXPECT_TRUE(list().rowAt(0)->isNull[static_cast<int>(ListField::MessageFileName)]);
}

TEST_F(ListTest, OpeningWithoutConnectionOpensIt)
{
    store(MailSpec{});
    dm->FD_Message().close();
    ASSERT_TRUE(list().open().ok());
    EXPECT_EQ(list().fetchedRows(), 1);
}
