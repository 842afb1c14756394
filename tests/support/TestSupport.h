#pragma once
// Small helpers shared by the tests: temporary folders, file reading and writing, paths.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace lark::test {

// Folder of the shared real-world corpus (may be missing on a machine without it).
QString corpusDir();
// Folder of the built executables (Larkspur, larkspurctl).
QString binDir();
// Folder of the project's sources.
QString sourceDir();

QByteArray readAll(const QString& path);
void writeAll(const QString& path, const QByteArray& data);

} // namespace lark::test
