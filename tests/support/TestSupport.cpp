#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lark::test {

QString corpusDir()
{
    const QString env = qEnvironmentVariable("LARKSPUR_CORPUS");
    if (!env.isEmpty())
        return env;
    return QDir::cleanPath(QStringLiteral(LARK_CORPUS_DIR));
}

QString binDir()
{
    return QStringLiteral(LARK_BIN_DIR);
}

QString sourceDir()
{
    return QStringLiteral(LARK_SOURCE_DIR);
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeAll(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(data);
}

} // namespace lark::test
