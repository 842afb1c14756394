// The list window's rules without widgets: automatic display by AutoView / WaitTime, and the
// docking counters with the close request.
#include "ArchiveFixture.h"

#include "shell/ModeWord.h"
#include "store/ListWindowLogic.h"

using namespace lark;
using namespace lark::store;

namespace {

class ListWindowLogicTest : public test::ArchiveTest {
protected:
    void SetUp() override
    {
        test::ArchiveTest::SetUp();
        store(test::MailSpec{});
        dm->DBConnectExecute();
        ASSERT_TRUE(dm->FDTbl1().isOpen());
    }
    bool displayed() const { return shell::hasMode(ctx->pmode, shell::kModeStoredShown); }
};

TEST_F(ListWindowLogicTest, AutomaticDisplayFollowsAutoViewAndWaitTime)
{
    ListWindowLogic logic(*dm);
    struct Row {
        const char* autoView;
        const char* waitTime;
        bool shown;
        bool error;
    };
    const Row rows[] = {
        {"0", "0", false, false},
        {"yes", "0", false, false},
        {"Dummy Data", "0", false, false},
        {"1", "2.5", false, true},
        {"1", "0", true, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.autoView + std::string(" / ") + r.waitTime);
        ctx->pmode = shell::kModeListOpen;
        dialogs.clear();
        ctx->actions().enable(QStringLiteral("DBUpdate"));
        ctx->params().setValue(QStringLiteral("AutoView"), QString::fromLatin1(r.autoView));
        ctx->params().setValue(QStringLiteral("WaitTime"), QString::fromLatin1(r.waitTime));
        logic.autoDisplay();
        EXPECT_EQ(displayed(), r.shown);
        EXPECT_EQ(!dialogs.texts().isEmpty(), r.error);
        EXPECT_EQ(ctx->actions().enabled(QStringLiteral("DBUpdate")), !r.shown);
    }
    // A double click displays whatever AutoView says.
    ctx->pmode = shell::kModeListOpen;
    ctx->params().setValue(QStringLiteral("AutoView"), QStringLiteral("0"));
    logic.doubleClick();
    EXPECT_TRUE(displayed());
}

TEST_F(ListWindowLogicTest, DockingCountersAndTheCloseRule)
{
    ListWindowLogic logic(*dm);
    ctx->settings.lstWidth = 640;
    ctx->settings.lstHeight = 240;

    logic.pageUndocked(); // the list is open
    EXPECT_TRUE(shell::hasMode(ctx->pmode, shell::kModeListFloating));
    EndDockResult r = logic.endDock(DockHost::Floating, QSize(700, 300));
    EXPECT_EQ(ctx->StartDocNum, 1);
    EXPECT_FALSE(r.autoSize);
    EXPECT_FALSE(r.resizeTo.has_value());
    EXPECT_EQ(ctx->settings.lstWidth, 700);
    logic.floatingResized(QSize(500, 200));
    EXPECT_EQ(ctx->settings.lstHeight, 200);

    // Dropped on the bar area: the window closes, and the close request docks it back once.
    r = logic.endDock(DockHost::ControlBar, QSize(500, 200));
    EXPECT_TRUE(r.close);
    EXPECT_TRUE(r.autoSize);
    EXPECT_EQ(ctx->StartDocNum, 0);
    EXPECT_EQ(r.resizeTo, QSize(500, 200));
    EXPECT_FALSE(logic.closeQuery());
    EXPECT_FALSE(shell::hasMode(ctx->pmode, shell::kModeListFloating));
    EXPECT_TRUE(logic.closeQuery());

    // Docked windows do not remember sizes; without an open list the flag stays clear.
    logic.floatingResized(QSize(10, 10));
    EXPECT_EQ(ctx->settings.lstWidth, 500);
    dm->DBConnectExecute(); // closes the list
    logic.pageUndocked();
    EXPECT_FALSE(shell::hasMode(ctx->pmode, shell::kModeListFloating));
}

} // namespace
