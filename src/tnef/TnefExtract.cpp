#include "TnefExtract.h"

#include "TnefAttachmentParser.h"
#include "TnefError.h"

#include <QDir>
#include <QFile>

namespace lark::tnef {

Result<QStringList> extractTnef(const QString& tnefFile, const QString& destFolder)
{
    QFile source(tnefFile);
    if (!source.open(QIODevice::ReadOnly))
        return makeError(QStringLiteral("Cannot open file \"%1\". %2")
                             .arg(QDir::toNativeSeparators(tnefFile), source.errorString()));
    if (!QDir().mkpath(destFolder))
        return makeError(QStringLiteral("Cannot create folder \"%1\".").arg(QDir::toNativeSeparators(destFolder)));
    QStringList written;
    try {
        TTnefAttachmentParser parser;
        parser.Parse(source, destFolder, &written);
    } catch (const TnefError& error) {
        return makeError(error.text());
    }
    return written;
}

} // namespace lark::tnef
