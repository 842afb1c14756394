#pragma once
// What a drag brings to the upper pane, in the form the intake takes it: local files from a
// uri-list (each a name and a readable stream) and message/rfc822 data (one unnamed message).
#include "MailIntake.h"

#include <QList>

class QMimeData;

namespace lark::intake {

// The name the working copy of dropped message/rfc822 data gets.
inline constexpr const char* kDroppedMessageName = "message.eml";

// Whether the drag carries anything the intake can take (a local file or message data).
bool carriesMessages(const QMimeData& data);

// The dropped items in drag order: the local files of the uri-list (streams opened on demand), or
// else the message data. URLs that are not local files are left out.
QList<DroppedItem> droppedItems(const QMimeData& data);

} // namespace lark::intake
