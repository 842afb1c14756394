#pragma once
// The list window: the grid DBGrid1 over the message list dataset, docked as the page
// "DB List View" of the main window's page control or floating as a window of its own. The
// tab of the page is dragged out to float the window; the floating window dropped with its
// title bar on the page control's tabs docks back, dropped on the bar area it closes.
#include "store/ListWindowLogic.h"

#include <QTimer>
#include <QWidget>

class QTableView;

namespace lark::shell {
class TFrmLarksp;
}

namespace lark::store {
class TDm_Ldb;
}

namespace lark::store::ui {

class TDBListFrm : public QWidget {
    Q_OBJECT
public:
    TDBListFrm(TDm_Ldb& dm, shell::TFrmLarksp& main);
    ~TDBListFrm() override;

    QTableView* DBGrid1 = nullptr;

    // Docks the window into PageControl1 (filling the page), shows it, caption "DB List View",
    // and makes its page the active (last) page.
    void showDocked();
    // Takes the window out of the page control as a floating window at globalPos.
    void floatOut(const QPoint& globalPos);
    // A close request: hides the window, or docks it back when the list was floating while open.
    void requestClose();

    bool isDocked() const;
    bool isFloating() const { return isWindow() && isVisible(); }

    ListWindowLogic& logic() { return m_logic; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyColumnLayout();
    void applyGridFont();
    void selectFirstRow();
    void endDock(DockHost host);
    void dropCheck();
    void takeOutOfPageControl();

    TDm_Ldb& m_dm;
    shell::TFrmLarksp& m_main;
    ListWindowLogic m_logic;
    QTimer m_dropTimer;
    QPoint m_tabPressPos;
    bool m_tabPressed = false;
    bool m_floatDrag = false; // the floating window follows the pointer until the button is let go
    QPoint m_dragOffset;
    bool m_applyingLayout = false;
};

} // namespace lark::store::ui
