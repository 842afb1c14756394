#pragma once
// The list window TDBListFrm without its widgets: the sort on a title click, the grid font
// steps, the automatic and the double-click display, and the docking rules (the floating
// counter StartDocNum, the remembered floating size LstWidth / LstHeight, the pmode flag
// 0x0100 and the close request that docks the window back). The window renders the results.
#include "platform/Result.h"

#include <QSize>

#include <optional>

namespace lark::store {

class TDm_Ldb;

inline const QString kListPageCaption = QStringLiteral("DB List View");

// Where a docking operation of the list window ended.
enum class DockHost { TabSheet, ControlBar, Floating };

struct EndDockResult {
    bool autoSize = false;          // the window follows its host's size again
    bool close = false;             // dropped on the bar area: the window closes
    std::optional<QSize> resizeTo;  // the remembered floating size to give the window
};

class ListWindowLogic {
public:
    explicit ListWindowLogic(TDm_Ldb& dm);

    // A click on the title of grid column `column`: the shared counter srtcnum picks the
    // direction, the list is read again in that order.
    Status titleClick(int column);

    // S1 (smaller) and S2 (larger): the new grid font size, also kept in the settings.
    int S1Click();
    int S2Click();

    // Cell click or key release in the grid: with AutoView "1", waits WaitTime seconds (events
    // processed) and displays the current row. A WaitTime that is no whole number is reported
    // and nothing is displayed.
    void autoDisplay();
    // Double click: displays the current row whatever AutoView says.
    void doubleClick();

    // The page control lost the list page (PageControl1UnDock while the list page is active).
    void pageUndocked();
    // FormEndDock: the window's docking operation ended at host; current is its size now.
    EndDockResult endDock(DockHost host, QSize current);
    // The floating window took a new size.
    void floatingResized(QSize size);
    // FormCloseQuery: true when the window may close (it is hidden); false when it has to dock
    // back into the page control instead (the flag 0x0100 is cleared here).
    bool closeQuery();

    // Whether the window floats on its own (StartDocNum not 0).
    bool floating() const;

private:
    void display();
    TDm_Ldb& m_dm;
};

} // namespace lark::store
