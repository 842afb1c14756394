#include "SearchForm.h"

#include "DmLdb.h"

#include "shell/AppContext.h"

#include <QDir>
#include <QRegularExpression>

namespace lark::store {

SearchWidths initialSearchWidths(bool bodyHasText, int cdpi)
{
    SearchWidths w;
    if (bodyHasText) {
        w.width = int(cdpi / 96.0 * 708);
        w.widthOrg = w.width / 2;
    } else {
        w.width = int(cdpi / 96.0 * 354);
        w.widthOrg = w.width;
    }
    return w;
}

int searchMinimumWidth(int cdpi)
{
    return int(cdpi / 96.0 * 354);
}

BodyPanelLayout bodyPanelLayout(int width, int widthOrg, int cdpi)
{
    const double cfunc = cdpi / 96.0;
    BodyPanelLayout l;
    l.bodyVisible = width >= int(cfunc * 480);
    if (l.bodyVisible)
        l.memoWidth = width - int(cfunc * 408);
    const bool wide = widthOrg > 50 && widthOrg + 1 < width;
    l.buttonCaption = wide ? kNarrowCaption : kWidenCaption;
    l.buttonHint = wide ? kNarrowHint : kWidenHint;
    return l;
}

int bodyPanelToggleWidth(const QString& buttonCaption, int widthOrg, int cdpi)
{
    if (buttonCaption == kWidenCaption)
        return 2 * widthOrg;
    return std::max(widthOrg / 2, searchMinimumWidth(cdpi));
}

std::optional<QDate> parseParameterDate(const QString& text)
{
    static const QRegularExpression re(QStringLiteral(R"(^\s*(\d{1,4})/(\d{1,2})/(\d{1,2})\s*$)"));
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!d.isValid())
        return std::nullopt;
    return d;
}

SearchForm::SearchForm(shell::AppContext& ctx) : m_ctx(ctx) {}

QString SearchForm::historyPath(const QString& name) const
{
    return QDir(m_ctx.MyAppDataPath).filePath(name);
}

void SearchForm::create()
{
    subject.load(historyPath(kSubjectHistoryFile));
    sender.load(historyPath(kSenderHistoryFile));
    body.load(historyPath(kBodyHistoryFile));
    const SearchWidths w = initialSearchWidths(bodyHasText(body.lines), m_ctx.CDpi);
    widthOrg = w.widthOrg;
    resized(w.width);
    radioIndex = m_ctx.settings.dSelctRGroup1;
}

void SearchForm::prepare()
{
    auto dateParam = [this](const QString& key, const QDate& fallback) {
        const QString v = m_ctx.params().value(key);
        if (shell::ParameterTable::isNotSet(v))
            return fallback;
        return parseParameterDate(v).value_or(fallback);
    };
    fromDate = dateParam(QStringLiteral("FromDate"), today.addMonths(-1));
    toDate = dateParam(QStringLiteral("ToDate"), today);
    const QString s = m_ctx.params().value(QStringLiteral("Subject"));
    subject.text = s == shell::kDummyData ? QString() : s;
    const QString n = m_ctx.params().value(QStringLiteral("SenderName"));
    sender.text = n == shell::kDummyData ? QString() : n;
    old_FromDate = fromDate;
    old_ToDate = toDate;
    old_SubStr = subject.text;
    old_SndNameStr = sender.text;
}

void SearchForm::resized(int newWidth)
{
    width = newWidth;
    layout = bodyPanelLayout(width, widthOrg, m_ctx.CDpi);
}

void SearchForm::BitBtn4Click()
{
    const QString before = layout.buttonCaption;
    resized(bodyPanelToggleWidth(before, widthOrg, m_ctx.CDpi));
    // The button says what the next click does, whatever width the size rule allowed.
    const bool nowWide = before == kWidenCaption;
    layout.buttonCaption = nowWide ? kNarrowCaption : kWidenCaption;
    layout.buttonHint = nowWide ? kNarrowHint : kWidenHint;
}

SearchCriteria SearchForm::criteria() const
{
    SearchCriteria c;
    c.from = fromDate;
    c.to = toDate;
    c.subject = subject.text;
    c.sender = sender.text;
    c.bodyLines = body.lines;
    c.andJoin = radioIndex != 0;
    return c;
}

bool SearchForm::BitBtn1Click(TDm_Ldb& dm)
{
    if (fromDate > toDate) {
        m_ctx.dialogs().message(kReversedRange);
        toDate = today;
        fromDate = today.addMonths(-1);
        return false;
    }
    MessageListModel& list = dm.FDTbl1();
    const SearchCriteria c = criteria();
    if (!list.isOpen()) {
        if (Status s = list.open(); !s) {
            m_ctx.dialogs().error(s.errorText());
            return true;
        }
    }
    if (Status s = list.setFilter(c); !s) {
        m_ctx.dialogs().error(s.errorText());
        (void)list.clearFilter();
        if (!list.isOpen())
            (void)list.open();
        return true;
    }
    m_ctx.setStatus(2, filterExpressionText(c));
    if (list.isOpen()) {
        m_ctx.actions().enable(QStringLiteral("DispMsgDat"));
        m_ctx.actions().enable(QStringLiteral("ExprtMsgFile"));
        m_ctx.actions().check(QStringLiteral("DBConnect"), true);
    }
    return true;
}

void SearchForm::BitBtn2Click()
{
    fromDate = old_FromDate;
    toDate = old_ToDate;
    subject.text = old_SubStr;
    sender.text = old_SndNameStr;
}

void SearchForm::closing()
{
    subject.save(historyPath(kSubjectHistoryFile));
    sender.save(historyPath(kSenderHistoryFile));
    body.save(historyPath(kBodyHistoryFile));
    m_ctx.settings.dSelctRGroup1 = radioIndex;
}

void SearchForm::writeParameters()
{
    m_ctx.params().setValue(QStringLiteral("FromDate"), fromDate.toString(QStringLiteral("yyyy/MM/dd")));
    m_ctx.params().setValue(QStringLiteral("ToDate"), toDate.toString(QStringLiteral("yyyy/MM/dd")));
    m_ctx.params().setValue(QStringLiteral("Subject"), subject.text);
    m_ctx.params().setValue(QStringLiteral("SenderName"), sender.text);
}

void DBSelectExecute(TDm_Ldb& dm, const std::function<void(SearchForm&)>& runModal)
{
    shell::AppContext& ctx = dm.ctx();
    shell::ActionList& a = ctx.actions();
    if (a.checked(QStringLiteral("DBBackup"))) {
        a.check(QStringLiteral("DBBackup"), false);
        if (ctx.leaveBackupMode)
            ctx.leaveBackupMode();
    }
    if (!dm.FDTbl1().isOpen()) {
        dm.DBConnectExecute();
        a.check(QStringLiteral("DBConnect"), dm.FDTbl1().isOpen());
    }
    SearchForm form(ctx);
    form.create();
    a.check(QStringLiteral("DBSelect"), true);
    form.prepare();
    if (runModal)
        runModal(form);
    form.closing();
    form.writeParameters();
    a.check(QStringLiteral("DBSelect"), false);
}

} // namespace lark::store
