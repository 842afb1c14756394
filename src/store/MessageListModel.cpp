#include "MessageListModel.h"

#include "ArchiveConnection.h"

#include <QSqlError>
#include <QSqlQuery>

namespace lark::store {

namespace {
const QString kColumns = QStringLiteral(
    "MESSAGE_ID, MESSAGE_DATE, ACCOUNT_KEY, SENDER_NAME, SENDER_ADDRESS, RECIEVE_NAME, "
    "RECIEVE_ADDRESS, MESSAGE_SUBJECT, MESSAGE_FILENAME, ");

QString bodyPrefixSql()
{
    return QStringLiteral("CAST(SUBSTRING(MAILBODY FROM 1 FOR %1) AS VARCHAR(%1))").arg(kBodyPrefixLength);
}

QString orderSql(const SortOrder& order)
{
    const QString dir = order.descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC");
    // Ties fall back to the message key in the same direction, which the date indexes cover.
    const QString tie = QStringLiteral("MESSAGE_DATE") + dir + QStringLiteral(", MESSAGE_ID") + dir;
    switch (order.field) {
    case ListField::MessageDate:
        return tie;
    case ListField::MessageId:
        return QStringLiteral("UPPER(MESSAGE_ID)") + dir + QStringLiteral(", MESSAGE_DATE") + dir;
    case ListField::MailBody:
        return QStringLiteral("UPPER(") + bodyPrefixSql() + QLatin1Char(')') + dir + QStringLiteral(", ") + tie;
    default:
        return QStringLiteral("UPPER(") + fieldName(order.field) + QLatin1Char(')') + dir + QStringLiteral(", ") + tie;
    }
}

QString displayText(const QString& value, ListField field)
{
    if (field != ListField::MailBody)
        return value;
    QString flat = value;
    flat.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    flat.replace(QLatin1Char('\n'), QLatin1Char(' '));
    flat.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return flat;
}
} // namespace

QString listQuerySql(BodyMode mode, const QString& where, const SortOrder& order)
{
    QString sql = QStringLiteral("select ") + kColumns
                  + (mode == BodyMode::Full ? QStringLiteral("MAILBODY") : bodyPrefixSql())
                  + QStringLiteral(" from MAIL_VIEW");
    if (!where.isEmpty())
        sql += QStringLiteral(" where ") + where;
    sql += QStringLiteral(" order by ") + orderSql(order);
    return sql;
}

MessageListModel::MessageListModel(QObject* parent) : QAbstractTableModel(parent)
{
    shell::Settings defaults;
    defaults.applyDefaultColumnsIfNeeded();
    m_columns = defaults.columns;
}

MessageListModel::~MessageListModel()
{
    closeCursor();
}

void MessageListModel::setColumns(const std::array<shell::GridColumn, kListFieldCount>& columns)
{
    beginResetModel();
    m_columns = columns;
    endResetModel();
}

std::optional<ListField> MessageListModel::fieldOfColumn(int column) const
{
    if (column < 0 || column >= kListFieldCount)
        return std::nullopt;
    return fieldFromName(m_columns[column].fieldName);
}

void MessageListModel::closeCursor()
{
    if (m_query) {
        m_query->finish();
        m_query.reset();
    }
    m_atEnd = true;
}

Status MessageListModel::runQuery()
{
    closeCursor();
    if (!m_connection)
        return makeError(QStringLiteral("no database connection"));
    if (!m_connection->isOpen()) {
        if (Status s = m_connection->open(); !s)
            return s;
    }
    SqlCondition condition;
    if (m_filter)
        condition = sqlCondition(*m_filter);
    auto q = std::make_unique<QSqlQuery>(m_connection->database());
    q->setForwardOnly(true);
    if (!q->prepare(listQuerySql(m_bodyMode, condition.where, m_sort)))
        return makeError(sqlErrorText(q->lastError()));
    for (const QVariant& v : condition.values)
        q->addBindValue(v);
    if (!q->exec())
        return makeError(sqlErrorText(q->lastError()));
    m_query = std::move(q);
    m_atEnd = false;
    return {};
}

int MessageListModel::readRows(int max, QList<ListRow>& into)
{
    int n = 0;
    while (n < max && m_query && m_query->next()) {
        ListRow row;
        for (int i = 0; i < kListFieldCount; ++i) {
            row.isNull[i] = m_query->isNull(i);
            if (i == static_cast<int>(ListField::MessageDate)) {
                row.date = wallClock(m_query->value(i).toDateTime());
                row.values[i] = formatMessageDate(row.date);
            } else {
                row.values[i] = m_query->value(i).toString();
            }
        }
        into.append(std::move(row));
        ++n;
    }
    if (n < max) {
        if (m_query && m_query->lastError().isValid())
            m_lastError = sqlErrorText(m_query->lastError());
        // Every row has been read: the cursor and its transaction are released.
        closeCursor();
    }
    return n;
}

Status MessageListModel::open()
{
    if (m_open)
        return {};
    m_lastError.clear();
    if (Status s = runQuery(); !s)
        return s;
    QList<ListRow> first;
    readRows(m_pageSize, first);
    m_resetting = true;
    beginResetModel();
    m_rows = std::move(first);
    m_currentRow = 0;
    m_open = true;
    endResetModel();
    m_resetting = false;
    emit opened();
    return {};
}

void MessageListModel::close()
{
    if (!m_open && !m_query)
        return;
    beginResetModel();
    closeCursor();
    m_rows.clear();
    m_currentRow = 0;
    m_open = false;
    endResetModel();
    emit closed();
}

Status MessageListModel::reopen()
{
    close();
    return open();
}

Status MessageListModel::setFilter(const SearchCriteria& criteria)
{
    m_filter = criteria;
    return m_open ? reopen() : Status();
}

Status MessageListModel::clearFilter()
{
    if (!m_filter)
        return {};
    m_filter.reset();
    return m_open ? reopen() : Status();
}

Status MessageListModel::setSort(const SortOrder& order)
{
    m_sort = order;
    return m_open ? reopen() : Status();
}

const ListRow* MessageListModel::rowAt(int row) const
{
    if (row < 0 || row >= m_rows.size())
        return nullptr;
    return &m_rows.at(row);
}

void MessageListModel::setCurrentRow(int row)
{
    m_currentRow = row < 0 ? 0 : row;
}

Status MessageListModel::fetchAll()
{
    while (canFetchMore({}))
        fetchMore({});
    if (!m_lastError.isEmpty())
        return makeError(m_lastError);
    return {};
}

int MessageListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int MessageListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kListFieldCount;
}

QVariant MessageListModel::data(const QModelIndex& index, int role) const
{
    const ListRow* row = rowAt(index.row());
    if (!row)
        return {};
    switch (role) {
    case Qt::DisplayRole: {
        const std::optional<ListField> f = fieldOfColumn(index.column());
        return f ? QVariant(displayText(row->value(*f), *f)) : QVariant();
    }
    case KeyIdRole:
        return row->values[0];
    case DateRole:
        return row->date;
    case FieldRole: {
        const std::optional<ListField> f = fieldOfColumn(index.column());
        return f ? QVariant(static_cast<int>(*f)) : QVariant();
    }
    default:
        return {};
    }
}

QVariant MessageListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kListFieldCount)
        return {};
    return m_columns[section].titleCaption;
}

bool MessageListModel::canFetchMore(const QModelIndex& parent) const
{
    // No fetching from inside a reset or an insertion: views ask again once it has been handled.
    return !parent.isValid() && m_open && !m_atEnd && !m_resetting;
}

void MessageListModel::fetchMore(const QModelIndex& parent)
{
    if (!canFetchMore(parent))
        return;
    QList<ListRow> more;
    readRows(m_pageSize, more);
    if (more.isEmpty())
        return;
    m_resetting = true;
    beginInsertRows({}, int(m_rows.size()), int(m_rows.size() + more.size() - 1));
    m_rows.append(std::move(more));
    endInsertRows();
    m_resetting = false;
}

} // namespace lark::store
