#include "SearchFilter.h"

#include "MessageRecord.h"

namespace lark::store {

namespace {
const QChar kIdeographicSpace(0x3000);
const QLatin1Char kEscape('\\');

bool isBodyBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == kIdeographicSpace;
}

bool needsEscape(QChar c)
{
    return c == QLatin1Char('%') || c == QLatin1Char('_') || c == kEscape;
}

QString dateText(const QDate& d)
{
    return d.toString(QStringLiteral("yyyy/MM/dd"));
}
} // namespace

bool bodyHasText(const QStringList& lines)
{
    for (const QString& line : lines) {
        for (QChar c : line) {
            if (c.unicode() > 0x20)
                return true;
        }
    }
    return false;
}

QString likePatternText(const QString& pattern)
{
    QString out = pattern;
    out.replace(QLatin1Char('*'), QLatin1Char('%'));
    out.replace(QLatin1Char('?'), QLatin1Char('_'));
    return out;
}

QString bodyTermText(const QString& line)
{
    QString out = line;
    out.replace(QLatin1Char(' '), QLatin1Char('%'));
    out.replace(kIdeographicSpace, QLatin1Char('%'));
    return QLatin1Char('%') + out + QLatin1Char('%');
}

QString likePatternBound(const QString& pattern)
{
    QString out;
    out.reserve(pattern.size() + 8);
    for (QChar c : pattern) {
        if (c == QLatin1Char('*'))
            out += QLatin1Char('%');
        else if (c == QLatin1Char('?'))
            out += QLatin1Char('_');
        else if (needsEscape(c))
            out += kEscape, out += c;
        else
            out += c;
    }
    return out;
}

QString bodyTermBound(const QString& line)
{
    QString out(QLatin1Char('%'));
    for (QChar c : line) {
        if (isBodyBlank(c))
            out += QLatin1Char('%');
        else if (needsEscape(c))
            out += kEscape, out += c;
        else
            out += c;
    }
    out += QLatin1Char('%');
    return out;
}

QString filterExpressionText(const SearchCriteria& c)
{
    QString e = QStringLiteral("MESSAGE_DATE >= '") + dateText(c.from) + QStringLiteral("' AND MESSAGE_DATE <= '")
                + dateText(c.to) + QLatin1Char('\'');
    if (!c.subject.isEmpty())
        e += QStringLiteral(" AND MESSAGE_SUBJECT LIKE '") + likePatternText(c.subject) + QLatin1Char('\'');
    if (!c.sender.isEmpty())
        e += QStringLiteral(" AND SENDER_NAME LIKE '") + likePatternText(c.sender) + QLatin1Char('\'');
    if (bodyHasText(c.bodyLines)) {
        const QString join = c.andJoin ? QStringLiteral(" and ") : QStringLiteral(" or ");
        QString body;
        for (int i = 0; i < c.bodyLines.size(); ++i) {
            body += (i == 0 ? QStringLiteral("(") : join) + QStringLiteral("(MAILBODY LIKE '")
                    + bodyTermText(c.bodyLines.at(i)) + QStringLiteral("')");
        }
        e += QStringLiteral(" AND ") + body + QLatin1Char(')');
    }
    return e;
}

SqlCondition sqlCondition(const SearchCriteria& c)
{
    SqlCondition out;
    QStringList terms;
    if (c.from.isValid()) {
        terms << QStringLiteral("MESSAGE_DATE >= ?");
        out.values << wallClock(c.from, QTime(0, 0));
    }
    if (c.to.isValid()) {
        terms << QStringLiteral("MESSAGE_DATE < ?");
        out.values << wallClock(c.to.addDays(1), QTime(0, 0));
    }
    out.where = terms.join(QStringLiteral(" AND "));
    auto andTerm = [&out](const QString& term) {
        out.where += (out.where.isEmpty() ? QString() : QStringLiteral(" AND ")) + term;
    };
    if (!c.subject.isEmpty()) {
        andTerm(QStringLiteral("MESSAGE_SUBJECT LIKE ? ESCAPE '\\'"));
        out.values << likePatternBound(c.subject);
    }
    if (!c.sender.isEmpty()) {
        andTerm(QStringLiteral("SENDER_NAME LIKE ? ESCAPE '\\'"));
        out.values << likePatternBound(c.sender);
    }
    if (bodyHasText(c.bodyLines)) {
        const QString join = c.andJoin ? QStringLiteral(" AND ") : QStringLiteral(" OR ");
        QString body;
        for (int i = 0; i < c.bodyLines.size(); ++i) {
            body += (i == 0 ? QString() : join) + QStringLiteral("(MAILBODY LIKE ? ESCAPE '\\')");
            out.values << bodyTermBound(c.bodyLines.at(i));
        }
        andTerm(QLatin1Char('(') + body + QLatin1Char(')'));
    }
    return out;
}

} // namespace lark::store
