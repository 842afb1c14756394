#pragma once
// Rows of the message list as larkspurctl prints them: JSON objects keyed by the view's column
// names in lower case (a contract: keep the keys stable), or one tab-separated line per row.
#include "MessageListModel.h"

#include "platform/Result.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <optional>

namespace lark::store {

// "message_id", "message_date" ("yyyy/MM/dd HH:mm:ss"), ... "message_filename" (null when the
// file row is missing); "mailbody" only when withBody.
QJsonObject listRowJson(const ListRow& row, bool withBody);
QJsonArray listRowsJson(const MessageListModel& model, bool withBody);

// The fields in view order (the body last, only when withBody), separated by tabs; tabs and
// line ends inside a value become blanks.
QString listRowText(const ListRow& row, bool withBody);

// Opens the list of model with the filter (if any) and order given, reads every row and
// formats them: a JSON array (indented) or text lines. The list is closed afterwards.
Result<QString> listOutput(MessageListModel& model, const std::optional<SearchCriteria>& filter,
                           const SortOrder& order, bool json, bool withBody);

} // namespace lark::store
