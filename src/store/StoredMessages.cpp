#include "StoredMessages.h"

#include "ArchiveConnection.h"

#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace lark::store {

Result<StoredFile> readStoredFile(ArchiveConnection& connection, const MessageKey& key)
{
    if (!connection.isOpen()) {
        if (Status s = connection.open(); !s)
            return makeError(s.errorText(), kSelectError);
    }
    QSqlQuery q(connection.database());
    q.setForwardOnly(true);
    if (!q.prepare(kSelectFileSql))
        return makeError(sqlErrorText(q.lastError()), kSelectError);
    q.bindValue(QStringLiteral(":Message_ID"), key.id);
    q.bindValue(QStringLiteral(":Message_Date"), key.date);
    if (!q.exec())
        return makeError(sqlErrorText(q.lastError()), kSelectError);
    if (!q.next())
        return makeError(QStringLiteral("no stored file for %1 %2").arg(key.id, formatMessageDate(key.date)),
                         kNoStoredFile);
    StoredFile f;
    f.fileName = q.value(0).toString();
    f.fileExt = q.value(1).toString();
    f.data = q.value(2).toByteArray();
    return f;
}

namespace {
// The part after the last separator of either system, blanks trimmed.
QString baseNameOf(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(cut + 1).trimmed();
}
} // namespace

QString safeStoredFileName(const QString& storedName, const QString& storedExt)
{
    QString name = baseNameOf(storedName);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) {
        QString ext = baseNameOf(storedExt);
        if (!ext.startsWith(QLatin1Char('.')) || ext == QLatin1String(".."))
            ext.clear();
        name = QStringLiteral("MailDat") + ext;
    }
    return name;
}

Result<FetchedFile> fetchStoredFile(ArchiveConnection& connection, const MessageKey& key, const QString& folder)
{
    Result<StoredFile> stored = readStoredFile(connection, key);
    if (!stored)
        return stored.error();
    FetchedFile out;
    out.fileName = stored->fileName;
    out.fileExt = stored->fileExt;
    QDir().mkpath(folder);
    out.path = QDir(folder).filePath(safeStoredFileName(stored->fileName, stored->fileExt));
    if (Status s = platform::writeFileAtomically(out.path, stored->data); !s)
        return makeError(QStringLiteral("%1: %2").arg(out.path, s.errorText()), kWriteError);
    return out;
}

Result<std::optional<QString>> storedSubject(ArchiveConnection& connection, const MessageKey& key)
{
    if (!connection.isOpen()) {
        if (Status s = connection.open(); !s)
            return s.error();
    }
    QSqlQuery q(connection.database());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("select Message_Subject from Message_IdxTbl where Message_ID = :Message_ID and "
                             "Message_Date = :Message_Date"));
    q.bindValue(QStringLiteral(":Message_ID"), key.id);
    q.bindValue(QStringLiteral(":Message_Date"), key.date);
    if (!q.exec())
        return makeError(sqlErrorText(q.lastError()));
    if (!q.next())
        return std::optional<QString>();
    return std::optional<QString>(q.value(0).toString());
}

Status deleteStoredMessage(ArchiveConnection& connection, const MessageKey& key)
{
    if (!connection.isOpen()) {
        if (Status s = connection.open(); !s)
            return s;
    }
    QSqlDatabase db = connection.database();
    if (!db.transaction())
        return makeError(sqlErrorText(db.lastError()));
    QString failure;
    for (const QString& sql : {kDeleteFileSql, kDeleteIndexSql}) {
        QSqlQuery q(db);
        q.prepare(sql);
        q.bindValue(QStringLiteral(":Message_ID"), key.id);
        q.bindValue(QStringLiteral(":Message_Date"), key.date);
        if (!q.exec()) {
            failure = sqlErrorText(q.lastError());
            break;
        }
    }
    if (failure.isEmpty() && db.commit())
        return {};
    if (failure.isEmpty())
        failure = sqlErrorText(db.lastError());
    db.rollback();
    return makeError(failure);
}

QString exportFileName(const QString& pattern, const QString& subject, const QDateTime& date,
                       const QString& storedFileName)
{
    if (pattern.isEmpty())
        return QString(storedFileName).replace(QLatin1Char('/'), QLatin1Char('_'));
    QString name = pattern;
    name.replace(QStringLiteral("[Subject]"), subject, Qt::CaseInsensitive);
    name.replace(QStringLiteral("[Date]"), date.toString(QStringLiteral("yyyyMMdd")), Qt::CaseInsensitive);
    name.replace(QStringLiteral("[DateTime]"), date.toString(QStringLiteral("yyyyMMddHHmm")), Qt::CaseSensitive);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    const qsizetype dot = storedFileName.lastIndexOf(QLatin1Char('.'));
    const qsizetype sep = std::max(storedFileName.lastIndexOf(QLatin1Char('/')), storedFileName.lastIndexOf(QLatin1Char('\\')));
    if (dot > sep)
        name += QString(storedFileName.mid(dot)).replace(QLatin1Char('/'), QLatin1Char('_'));
    return name;
}

platform::FileFilter saveDialogFilter(const QString& extension)
{
    if (extension.compare(QLatin1String(".eml"), Qt::CaseInsensitive) == 0)
        return {QStringLiteral("emlファイル (*.eml)"), QStringLiteral("*.eml")};
    if (extension.compare(QLatin1String(".msg"), Qt::CaseInsensitive) == 0)
        return {QStringLiteral("msgファイル (*.msg)"), QStringLiteral("*.msg")};
    return {QStringLiteral("textファイル (*.txt)"), QStringLiteral("*.txt")};
}

Status copyFileReplacing(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return makeError(in.errorString());
    const QByteArray data = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return makeError(in.errorString());
    return platform::writeFileAtomically(target, data);
}

} // namespace lark::store
