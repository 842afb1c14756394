#include "ListColumns.h"

#include <array>

namespace lark::store {

namespace {
constexpr std::array<const char*, kListFieldCount> kNames = {
    "MESSAGE_ID",      "MESSAGE_DATE",   "ACCOUNT_KEY",     "SENDER_NAME",      "SENDER_ADDRESS",
    "RECIEVE_NAME",    "RECIEVE_ADDRESS", "MESSAGE_SUBJECT", "MESSAGE_FILENAME", "MAILBODY",
};
} // namespace

QString fieldName(ListField field)
{
    return QString::fromLatin1(kNames[static_cast<int>(field)]);
}

std::optional<ListField> fieldFromName(const QString& name)
{
    const QString n = name.trimmed();
    for (int i = 0; i < kListFieldCount; ++i) {
        if (n.compare(QLatin1String(kNames[i]), Qt::CaseInsensitive) == 0)
            return static_cast<ListField>(i);
    }
    return std::nullopt;
}

QString SortOrder::indexFieldNames() const
{
    return fieldName(field) + (descending ? QStringLiteral(":D") : QStringLiteral(":A"));
}

SortOrder titleClickSort(int& srtcnum, ListField field)
{
    SortOrder order{field, (srtcnum & 1) == 0};
    ++srtcnum;
    return order;
}

int fontSizeSmaller(int size)
{
    const int next = size > 10 ? size * 9 / 10 : size - 1;
    return next < 1 ? 1 : next;
}

int fontSizeLarger(int size)
{
    return size >= 10 ? size * 11 / 10 : size + 1;
}

} // namespace lark::store
