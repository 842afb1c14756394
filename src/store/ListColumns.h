#pragma once
// The fields of the message list (the columns of MAIL_VIEW), the sort order the title clicks
// choose and the grid font steps. The field enum never changes order: the settings file
// stores column layouts by index.
#include <QString>

#include <optional>

namespace lark::store {

enum class ListField : int {
    MessageId = 0,
    MessageDate = 1,
    AccountKey = 2,
    SenderName = 3,
    SenderAddress = 4,
    RecieveName = 5,
    RecieveAddress = 6,
    MessageSubject = 7,
    MessageFileName = 8,
    MailBody = 9,
};
inline constexpr int kListFieldCount = 10;

// "MESSAGE_ID", "MESSAGE_DATE", ... "MAILBODY".
QString fieldName(ListField field);
// The field of a column name, letter case ignored; nullopt for an unknown name.
std::optional<ListField> fieldFromName(const QString& name);

struct SortOrder {
    ListField field = ListField::MessageDate;
    bool descending = true;
    // The index field names as the dataset names them: "MESSAGE_DATE:D", "MESSAGE_SUBJECT:A".
    QString indexFieldNames() const;
    bool operator==(const SortOrder&) const = default;
};

// A click on the title of a column showing field: an even counter sorts descending, an odd
// one ascending; the counter then goes up by one. One counter serves all columns.
SortOrder titleClickSort(int& srtcnum, ListField field);

// The grid font steps of the popup items S1 (smaller) and S2 (larger). Smaller never goes
// below 1 point.
int fontSizeSmaller(int size);
int fontSizeLarger(int size);

} // namespace lark::store
