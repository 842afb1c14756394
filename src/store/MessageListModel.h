#pragma once
// The message list dataset (FDTbl1): MAIL_VIEW as a table model, newest first. Order and
// filter run in the database; rows are fetched page by page as a view asks for them
// (canFetchMore/fetchMore), so opening a big archive reads only the first page. The body
// column carries a bounded prefix of MAILBODY unless the full body is asked for.
#include "ListColumns.h"
#include "MessageRecord.h"
#include "SearchFilter.h"

#include "platform/Result.h"
#include "shell/Settings.h"

#include <QAbstractTableModel>
#include <QDateTime>
#include <QList>

#include <array>
#include <memory>
#include <optional>

class QSqlQuery;

namespace lark::store {

class ArchiveConnection;

// One row of MAIL_VIEW. values holds the text of every field (the date as
// "yyyy/MM/dd HH:mm:ss", the body as far as it was read); isNull marks SQL NULLs.
struct ListRow {
    std::array<QString, kListFieldCount> values;
    std::array<bool, kListFieldCount> isNull{};
    QDateTime date;
    MessageKey key() const { return MessageKey{values[0], date}; }
    const QString& value(ListField f) const { return values[static_cast<int>(f)]; }
};

enum class BodyMode { Prefix, Full };

// Characters of MAILBODY the list reads per row in BodyMode::Prefix.
inline constexpr int kBodyPrefixLength = 256;

// The SELECT the list runs.
QString listQuerySql(BodyMode mode, const QString& where, const SortOrder& order);

class MessageListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role { KeyIdRole = Qt::UserRole + 1, DateRole, FieldRole };

    explicit MessageListModel(QObject* parent = nullptr);
    ~MessageListModel() override;

    void setConnection(ArchiveConnection* connection) { m_connection = connection; }

    // The grid's column layout: grid column i shows the field named columns[i].fieldName
    // under the caption columns[i].titleCaption.
    void setColumns(const std::array<shell::GridColumn, kListFieldCount>& columns);
    std::optional<ListField> fieldOfColumn(int column) const;

    // Opens the dataset with the current filter and order and reads the first page; opens
    // the connection when it is closed. On failure the dataset stays closed.
    Status open();
    void close();
    bool isOpen() const { return m_open; }
    // Close and open again, filter and order kept.
    Status reopen();

    // The filter (search). Setting or clearing it on an open dataset reopens it.
    Status setFilter(const SearchCriteria& criteria);
    Status clearFilter();
    bool isFiltered() const { return m_filter.has_value(); }
    const std::optional<SearchCriteria>& filter() const { return m_filter; }

    // The order. Setting it on an open dataset reopens it.
    Status setSort(const SortOrder& order);
    const SortOrder& sort() const { return m_sort; }

    void setBodyMode(BodyMode mode) { m_bodyMode = mode; }
    void setPageSize(int rows) { m_pageSize = rows > 0 ? rows : 1; }

    // Rows read so far, and whether the dataset holds any row at all.
    int fetchedRows() const { return int(m_rows.size()); }
    bool hasRows() const { return !m_rows.isEmpty(); }
    const ListRow* rowAt(int row) const;
    // Reads every remaining row (command line output).
    Status fetchAll();

    // The grid's current row (the selected message for the row actions); -1 without rows.
    int currentRow() const { return m_rows.isEmpty() ? -1 : m_currentRow; }
    void setCurrentRow(int row);
    const ListRow* current() const { return rowAt(currentRow()); }

    // The last error while reading rows.
    QString lastError() const { return m_lastError; }

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

signals:
    void opened();
    void closed();

private:
    Status runQuery();
    int readRows(int max, QList<ListRow>& into);
    void closeCursor();

    ArchiveConnection* m_connection = nullptr;
    std::array<shell::GridColumn, kListFieldCount> m_columns;
    std::unique_ptr<QSqlQuery> m_query;
    QList<ListRow> m_rows;
    std::optional<SearchCriteria> m_filter;
    SortOrder m_sort;
    BodyMode m_bodyMode = BodyMode::Prefix;
    int m_pageSize = 256;
    int m_currentRow = 0;
    bool m_open = false;
    bool m_atEnd = true;
    bool m_resetting = false; // inside a reset or an insertion of rows
    QString m_lastError;
};

} // namespace lark::store
