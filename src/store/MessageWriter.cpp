#include "MessageWriter.h"

#include "ArchiveConnection.h"

#include <QSqlError>

namespace lark::store {

const QString kIndexInsertSql = QStringLiteral(
    "insert into Message_IdxTbl (Message_ID,Message_Date,Account_Key,Sender_Name,Sender_Address,"
    "Recieve_Name,Recieve_Address,Message_Subject,Message_dtype,Message_ftype,MailBody) values "
    "(:Message_ID,:Message_Date,:Account_Key,:Sender_Name,:Sender_Address,:Recieve_Name,"
    ":Recieve_Address,:Message_Subject,:Message_dtype,:Message_ftype,:MailBody)");
const QString kIndexUpdateSql = QStringLiteral(
    "update Message_IdxTbl set Account_Key = :Account_Key,Sender_Name  = :Sender_Name,"
    "Sender_Address = :Sender_Address,Recieve_Name = :Recieve_Name, Recieve_Address  = "
    ":Recieve_Address,Message_Subject = :Message_Subject,Message_dtype = :Message_dtype, "
    "Message_ftype = :Message_ftype, MailBody  = :MailBody where Message_ID = :old_Message_ID "
    "and Message_Date = :old_Message_Date");
const QString kFileInsertSql = QStringLiteral(
    "insert into Message_DatTBL (Message_ID,Message_Date,Message_FileName,Message_FileExt,MailDat) "
    "values (:Message_ID,:Message_Date,:Message_FileName,:Message_FileExt,:MailDat) ");
const QString kFileUpdateSql = QStringLiteral(
    "update Message_DatTBL set Message_FileName = :Message_FileName,Message_FileExt = "
    ":Message_FileExt,MailDat = :MailDat where Message_ID = :old_Message_ID and Message_Date = "
    ":old_Message_Date");

MessageWriter::MessageWriter(QSqlDatabase db) : m_db(std::move(db)) {}

MessageWriter::~MessageWriter() = default;

QSqlQuery& MessageWriter::statement(std::unique_ptr<QSqlQuery>& slot, const QString& sql)
{
    if (!slot) {
        slot = std::make_unique<QSqlQuery>(m_db);
        if (!slot->prepare(sql))
            slot.reset(new QSqlQuery(m_db)); // exec() of an unprepared query fails and reports
    }
    return *slot;
}

namespace {
void bindIndexValues(QSqlQuery& q, const StoredMessage& m)
{
    q.bindValue(QStringLiteral(":Account_Key"), m.accountKey);
    q.bindValue(QStringLiteral(":Sender_Name"), m.senderName);
    q.bindValue(QStringLiteral(":Sender_Address"), m.senderAddress);
    q.bindValue(QStringLiteral(":Recieve_Name"), m.recieveName);
    q.bindValue(QStringLiteral(":Recieve_Address"), m.recieveAddress);
    q.bindValue(QStringLiteral(":Message_Subject"), m.subject);
    q.bindValue(QStringLiteral(":Message_dtype"), m.dtype);
    q.bindValue(QStringLiteral(":Message_ftype"), m.ftype);
    q.bindValue(QStringLiteral(":MailBody"), m.mailBody);
}

void bindFileValues(QSqlQuery& q, const StoredMessage& m)
{
    q.bindValue(QStringLiteral(":Message_FileName"), m.fileName);
    q.bindValue(QStringLiteral(":Message_FileExt"), m.fileExt);
    q.bindValue(QStringLiteral(":MailDat"), m.mailDat);
}

void bindKey(QSqlQuery& q, const MessageKey& key, bool old)
{
    q.bindValue(old ? QStringLiteral(":old_Message_ID") : QStringLiteral(":Message_ID"), key.id);
    q.bindValue(old ? QStringLiteral(":old_Message_Date") : QStringLiteral(":Message_Date"), key.date);
}

QString failureText(const QSqlQuery& q)
{
    return q.lastError().isValid() ? sqlErrorText(q.lastError()) : QStringLiteral("statement not prepared");
}
} // namespace

Status MessageWriter::writeIndex(const StoredMessage& m)
{
    QSqlQuery& insert = statement(m_indexInsert, kIndexInsertSql);
    bindKey(insert, m.key, false);
    bindIndexValues(insert, m);
    if (insert.exec())
        return {};
    QSqlQuery& update = statement(m_indexUpdate, kIndexUpdateSql);
    bindKey(update, m.key, true);
    bindIndexValues(update, m);
    if (update.exec() && update.numRowsAffected() != 0)
        return {};
    const QString text = update.lastError().isValid() ? failureText(update) : failureText(insert);
    return makeError(text, kIndexRecordError);
}

Status MessageWriter::writeFile(const StoredMessage& m)
{
    QSqlQuery& insert = statement(m_fileInsert, kFileInsertSql);
    bindKey(insert, m.key, false);
    bindFileValues(insert, m);
    if (insert.exec())
        return {};
    QSqlQuery& update = statement(m_fileUpdate, kFileUpdateSql);
    bindKey(update, m.key, true);
    bindFileValues(update, m);
    if (update.exec() && update.numRowsAffected() != 0)
        return {};
    const QString text = update.lastError().isValid() ? failureText(update) : failureText(insert);
    return makeError(text, kFileRecordError);
}

Status MessageWriter::write(const StoredMessage& message)
{
    if (Status s = writeIndex(message); !s)
        return s;
    if (betweenRecords) {
        if (Status s = betweenRecords(); !s)
            return makeError(s.errorText(), kFileRecordError);
    }
    return writeFile(message);
}

} // namespace lark::store
