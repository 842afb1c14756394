#pragma once
// The database settings dialog: renders DBSetLogic (host, database file, services-file state)
// and forwards its buttons: OK reconnects, Cancel goes back to the previous archive, Close
// leaves, "…" picks a file (a new one is offered as an empty archive).
#include "store/DBSetLogic.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace lark::store::ui {

class TDBSetFrm : public QDialog {
    Q_OBJECT
public:
    TDBSetFrm(DBSetLogic& logic, TDm_Ldb& dm, QWidget* parent);

    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* DBText1 = nullptr;
    QLabel* DBText2 = nullptr;
    QLabel* DBText3 = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn1 = nullptr;

    // Shows the logic's state in the controls.
    void render();
    // The file choice of "…".
    void SpeedButton1Click();

private:
    void collect();
    void colourNotes();

    DBSetLogic& m_logic;
    TDm_Ldb& m_dm;
};

} // namespace lark::store::ui
