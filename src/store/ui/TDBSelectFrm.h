#pragma once
// The search dialog: renders the search form (SearchForm) into its controls and forwards the
// events of the controls to it. OK applies the filter to the list, Cancel restores the values
// shown at opening, Close leaves without either.
#include "store/SearchForm.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace lark::store::ui {

class TDBSelectFrm : public QDialog {
    Q_OBJECT
public:
    TDBSelectFrm(SearchForm& form, TDm_Ldb& dm, QWidget* parent);

    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QDateEdit* DateTimePicker1 = nullptr;
    QLabel* Label2 = nullptr;
    QDateEdit* DateTimePicker2 = nullptr;
    QLabel* Label4 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* Button1 = nullptr;
    QGroupBox* RadioGroup1 = nullptr;
    QButtonGroup* radioItems = nullptr;
    QPushButton* BitBtn4 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;

    // Copies what the controls hold into the form (before OK, Cancel and Close).
    void collect();
    // Shows the form's state in the controls.
    void render();

protected:
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void renderHistory(QComboBox* box, const KeywordHistory& history);
    void renderLayout();
    KeywordHistory* historyOf(QObject* watched, QComboBox** box);

    SearchForm& m_form;
    TDm_Ldb& m_dm;
};

} // namespace lark::store::ui
