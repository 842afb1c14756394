#pragma once
// Creating an empty archive: a new Firebird database file with the tables, view and indexes
// of schema.sql. An existing database is never altered.
#include "platform/Result.h"

#include <QString>
#include <QStringList>

namespace lark::store {

// The statements of an SQL script: "--" comments dropped, split at ";" outside quotes,
// blank statements left out.
QStringList splitSqlStatements(const QString& script);

// The statements of the archive schema.
QStringList schemaStatements();

// Creates the database file path (on host's side for a server host) and defines the schema
// in it. Fails without touching anything when the file exists already (embedded host).
Status createArchive(const QString& host, const QString& path);

// The names of the tables and views the program relies on that the database lacks; empty
// for a complete archive. The connection must be open.
class ArchiveConnection;
Result<QStringList> missingSchemaObjects(const ArchiveConnection& connection);

} // namespace lark::store
