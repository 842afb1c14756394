#pragma once
// The search filter over MAIL_VIEW: a date range, subject and sender patterns ("*" any text,
// "?" one character), and body lines joined by "or" or "and", each line's words having to
// appear in that order. The filter runs in the database with bound parameters; the expression
// text the search is known by is rendered for the status bar.
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace lark::store {

struct SearchCriteria {
    QDate from;
    QDate to;
    QString subject;       // the subject box text
    QString sender;        // the sender box text
    QStringList bodyLines; // the lines of the body box
    bool andJoin = false;  // "and 接続" chosen (else "or 接続")
};

// True when the lines hold anything but blanks and control characters.
bool bodyHasText(const QStringList& lines);

// The display form of a pattern: "*" becomes "%", "?" becomes "_", nothing else changes.
QString likePatternText(const QString& pattern);
// The display form of a body term: blanks (half-width and ideographic) become "%", and "%"
// goes before and after.
QString bodyTermText(const QString& line);

// The bound forms: the same wildcards, with every "%", "_" and "\" the user typed escaped
// by "\" so that it stands for itself.
QString likePatternBound(const QString& pattern);
QString bodyTermBound(const QString& line);

// The filter expression, for example
// MESSAGE_DATE >= '2025/01/01' AND MESSAGE_DATE <= '2025/01/31' AND MESSAGE_SUBJECT LIKE '%見積%'
QString filterExpressionText(const SearchCriteria& criteria);

// The condition for a WHERE clause over MAIL_VIEW with "?" placeholders, and their values in
// order. The date range takes the whole last day; an invalid date leaves its end of the range
// open (the command line's search without --from or --to).
struct SqlCondition {
    QString where;
    QVariantList values;
};
SqlCondition sqlCondition(const SearchCriteria& criteria);

} // namespace lark::store
