#include "ParameterTable.h"

#include "platform/IniStore.h"

namespace lark::shell {

namespace {

struct Design {
    const char* key;
    const char* text;
};

// Rows in their order, with the texts the table is designed with.
const Design kRows[] = {
    {"ExpFileName", "[Subject]_[DateTime]"},
    {"DLMTDStr1", "--=-="},
    {"DLMTDStr2", "=-="},
    {"GPGPath", "C:\\Program Files (x86)\\GnuPG\\bin\\gpg.exe"},
    {"ThdrPath", "C:\\Program Files\\Mozilla Thunderbird\\thunderbird"},
    {"AutoView", "0"},
    {"WaitTime", "2"},
    {"ZOOM", "100"},
    {"ZoomFixed", "1"},
    {"FromDate", "2023/01/01"},
    {"ToDate", "2023/01/01"},
    {"Subject", "*"},
    {"SenderName", "*"},
    {"MailAccount1", ""}, {"MailAccount2", ""}, {"MailAccount3", ""}, {"MailAccount4", ""},
    {"MailAccount5", ""}, {"MailAccount6", ""}, {"MailAccount7", ""}, {"MailAccount8", ""},
    {"MailAccount9", ""}, {"MailAccount10", ""},
};

const char kSection[] = "Condition";

} // namespace

ParameterTable::ParameterTable(QObject* parent) : QAbstractTableModel(parent)
{
    for (const Design& d : kRows)
        m_rows.append({QString::fromLatin1(d.key), QString::fromUtf8(d.text)});
}

QStringList ParameterTable::keys()
{
    QStringList out;
    for (const Design& d : kRows)
        out << QString::fromLatin1(d.key);
    return out;
}

QString ParameterTable::initialText(const QString& key)
{
    for (const Design& d : kRows)
        if (key == QLatin1String(d.key))
            return QString::fromUtf8(d.text);
    return {};
}

int ParameterTable::rowOf(const QString& key) const
{
    for (int i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].key == key)
            return i;
    return -1;
}

bool ParameterTable::contains(const QString& key) const
{
    return rowOf(key) >= 0;
}

QString ParameterTable::value(const QString& key) const
{
    const int r = rowOf(key);
    return r < 0 ? QString() : m_rows[r].value;
}

void ParameterTable::setValue(const QString& key, const QString& value)
{
    const int r = rowOf(key);
    if (r < 0 || m_rows[r].value == value)
        return;
    m_rows[r].value = value;
    emit dataChanged(index(r, 1), index(r, 1));
    emit valueChanged(key, value);
}

QString ParameterTable::valueOrSet(const QString& key, const QString& fallback)
{
    if (isNotSet(value(key)))
        setValue(key, fallback);
    return value(key);
}

void ParameterTable::readFrom(const platform::IniStore& ini)
{
    beginResetModel();
    for (Row& row : m_rows)
        row.value = ini.readString(QLatin1String(kSection), row.key, kDummyData);
    endResetModel();
}

void ParameterTable::writeTo(platform::IniStore& ini) const
{
    for (const Row& row : m_rows)
        ini.writeString(QLatin1String(kSection), row.key, row.value);
}

int ParameterTable::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ParameterTable::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant ParameterTable::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const Row& r = m_rows[index.row()];
    return index.column() == 0 ? r.key : r.value;
}

bool ParameterTable::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.column() != 1 || role != Qt::EditRole)
        return false;
    setValue(m_rows[index.row()].key, value.toString());
    return true;
}

Qt::ItemFlags ParameterTable::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == 1)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant ParameterTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == 0 ? QStringLiteral("Key") : QStringLiteral("Value");
}

} // namespace lark::shell
