#pragma once
// The application title, the working caption that names the database, and the title file.
#include "platform/Result.h"

#include <QString>

namespace lark::shell {

inline const QString kAppTitle = QStringLiteral("Larkspur 管理");
inline const QString kTitleFileName = QStringLiteral("$FormTitle.txt");

// True when the host selects the embedded mode: empty or containing "localhost" (any case).
bool isEmbeddedHost(const QString& host);

// "Larkspur 管理 -- file" (embedded) or "Larkspur 管理 -- host:file" (server).
QString workingCaption(const QString& host, const QString& databasePath);

// Writes "$FormTitle.txt" (UTF-8 with byte-order mark, the caption and CR LF) into folder.
Status writeTitleFile(const QString& folder, const QString& caption);

} // namespace lark::shell
