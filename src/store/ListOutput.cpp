#include "ListOutput.h"

#include <QJsonDocument>

namespace lark::store {

QJsonObject listRowJson(const ListRow& row, bool withBody)
{
    QJsonObject o;
    for (int i = 0; i < kListFieldCount; ++i) {
        const auto f = static_cast<ListField>(i);
        if (f == ListField::MailBody && !withBody)
            continue;
        const QString key = fieldName(f).toLower();
        o.insert(key, row.isNull[i] ? QJsonValue(QJsonValue::Null) : QJsonValue(row.values[i]));
    }
    return o;
}

QJsonArray listRowsJson(const MessageListModel& model, bool withBody)
{
    QJsonArray a;
    for (int r = 0; r < model.fetchedRows(); ++r)
        a.append(listRowJson(*model.rowAt(r), withBody));
    return a;
}

QString listRowText(const ListRow& row, bool withBody)
{
    QStringList parts;
    for (int i = 0; i < kListFieldCount; ++i) {
        if (static_cast<ListField>(i) == ListField::MailBody && !withBody)
            continue;
        QString v = row.values[i];
        v.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        for (QChar c : {QLatin1Char('\t'), QLatin1Char('\r'), QLatin1Char('\n')})
            v.replace(c, QLatin1Char(' '));
        parts << v;
    }
    return parts.join(QLatin1Char('\t'));
}

Result<QString> listOutput(MessageListModel& model, const std::optional<SearchCriteria>& filter,
                           const SortOrder& order, bool json, bool withBody)
{
    model.close();
    model.setBodyMode(withBody ? BodyMode::Full : BodyMode::Prefix);
    (void)model.setSort(order);
    if (filter)
        (void)model.setFilter(*filter);
    else
        (void)model.clearFilter();
    model.setPageSize(1000);
    if (Status s = model.open(); !s)
        return s.error();
    if (Status s = model.fetchAll(); !s) {
        model.close();
        return s.error();
    }
    QString out;
    if (json) {
        out = QString::fromUtf8(QJsonDocument(listRowsJson(model, withBody)).toJson(QJsonDocument::Indented));
    } else {
        for (int r = 0; r < model.fetchedRows(); ++r)
            out += listRowText(*model.rowAt(r), withBody) + QLatin1Char('\n');
    }
    model.close();
    return out;
}

} // namespace lark::store
