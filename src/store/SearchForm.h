#pragma once
// The search dialog TDBSelectFrm without its widgets: the state of its controls, the width
// rules, the histories, OK / Cancel / Close, and DBSelectExecute around the modal run. The
// dialog window renders this object and forwards its events here.
#include "KeywordHistory.h"
#include "SearchFilter.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace lark::shell {
class AppContext;
}

namespace lark::store {

class TDm_Ldb;

inline const QString kReversedRange = QStringLiteral("日付範囲がとれません\r\n再度設定してください");
inline const QString kWidenCaption = QStringLiteral("→");
inline const QString kNarrowCaption = QStringLiteral("←");
inline const QString kWidenHint = QStringLiteral("本文検索 画面拡張");
inline const QString kNarrowHint = QStringLiteral("本文検索 画面閉じる");

// Width rules (pure).
struct SearchWidths {
    int width = 0;
    int widthOrg = 0;
};
// The width at creation: wide (708 at 96 dpi, Width_org half of it) when the body box holds
// text, narrow (354, Width_org the same) otherwise.
SearchWidths initialSearchWidths(bool bodyHasText, int cdpi);
// The narrow minimum of the dialog.
int searchMinimumWidth(int cdpi);

struct BodyPanelLayout {
    bool bodyVisible = false; // Button1, Memo1, RadioGroup1
    int memoWidth = 0;
    QString buttonCaption;    // BitBtn4
    QString buttonHint;
};
// The layout after a size change.
BodyPanelLayout bodyPanelLayout(int width, int widthOrg, int cdpi);
// The width BitBtn4 asks for: 2 x Width_org when its caption is "→", else half of Width_org
// (held at the minimum width).
int bodyPanelToggleWidth(const QString& buttonCaption, int widthOrg, int cdpi);

// "yyyy/MM/dd" (single digits accepted); nullopt when it is no date.
std::optional<QDate> parseParameterDate(const QString& text);

class SearchForm {
public:
    explicit SearchForm(shell::AppContext& ctx);

    // The dialog's creation: histories, body lines, width, radio item.
    void create();
    // DBSelectExecute steps 4 to 7: dates, box texts, the values Cancel restores.
    void prepare();

    // Controls.
    QDate fromDate, toDate;          // DateTimePicker1, DateTimePicker2
    KeywordHistory subject, sender;  // ComboBox1, ComboBox2
    BodyKeywords body;               // Memo1
    int radioIndex = 0;              // RadioGroup1: 0 "or 接続", 1 "and 接続"
    int width = 0;
    int widthOrg = 0;
    BodyPanelLayout layout;

    // Restore values.
    QDate old_FromDate, old_ToDate;
    QString old_SubStr, old_SndNameStr;

    // Size changes and the body panel button.
    void resized(int newWidth);
    void BitBtn4Click();
    void Button1Click() { body.lines.clear(); }

    // The criteria the controls hold now.
    SearchCriteria criteria() const;

    // OK: applies the filter to the list (opened when closed). Returns false when the date
    // range was reversed (message shown, dates reset, filter unchanged). Errors of the list
    // reach the dialog interface.
    bool BitBtn1Click(TDm_Ldb& dm);
    // Cancel: the values shown at opening come back.
    void BitBtn2Click();
    // Every close: histories and body lines saved, the radio item remembered (DSelRGIdx).
    void closing();
    // After the modal run, in every case: the four parameters written back.
    void writeParameters();

    // "Today" for the defaults; tests set it.
    QDate today = QDate::currentDate();

private:
    QString historyPath(const QString& name) const;
    shell::AppContext& m_ctx;
};

// DBSelectExecute: leaves the backup mode, opens the list when closed, creates and prepares
// the form, runs the dialog through runModal (which calls OK / Cancel / Close on the form),
// then closes it and writes the parameters back.
void DBSelectExecute(TDm_Ldb& dm, const std::function<void(SearchForm&)>& runModal);

} // namespace lark::store
