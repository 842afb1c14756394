#include "MessageRecord.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace lark::store {

QDateTime wallClock(const QDate& date, const QTime& time)
{
    return QDateTime(date, time, Qt::UTC);
}

QDateTime wallClock(const QDateTime& anyDateTime)
{
    // date() and time() keep their fields even when a local value fell into a zone gap.
    return wallClock(anyDateTime.date(), anyDateTime.time());
}

QString formatMessageDate(const QDateTime& date)
{
    return date.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

std::optional<QDateTime> parseMessageDate(const QString& text)
{
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*(\d{1,4})/(\d{1,2})/(\d{1,2})(?:\s+(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?\s*$)"));
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    QTime time(0, 0, 0);
    if (!m.captured(4).isEmpty())
        time = QTime(m.captured(4).toInt(), m.captured(5).toInt(),
                     m.captured(6).isEmpty() ? 0 : m.captured(6).toInt());
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return wallClock(date, time);
}

QString fitToColumn(const QString& text, int size)
{
    const int byteLimit = size * 3;
    int chars = 0;
    int bytes = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text.at(i);
        qsizetype units = 1;
        char32_t code = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            units = 2;
            code = QChar::surrogateToUcs4(c, text.at(i + 1));
        }
        const int utf8 = code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
        if (chars + 1 > size || bytes + utf8 > byteLimit)
            return text.left(i);
        ++chars;
        bytes += utf8;
        i += units;
    }
    return text;
}

QString fileTypeCode(const QString& extension)
{
    if (extension.compare(QLatin1String(".eml"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("1");
    if (extension.compare(QLatin1String(".msg"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("2");
    return QStringLiteral("0");
}

namespace {
QString trimBlanksAndControls(const QString& s)
{
    auto drop = [](QChar c) { return c.isSpace() || c.category() == QChar::Other_Control; };
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && drop(s.at(b)))
        ++b;
    while (e > b && drop(s.at(e - 1)))
        --e;
    return s.mid(b, e - b);
}
} // namespace

QString storedFileName(const QString& path)
{
    return trimBlanksAndControls(QFileInfo(path).fileName());
}

QString storedFileExtension(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return QString();
    return trimBlanksAndControls(fileName.mid(dot));
}

namespace {
QString crlfLines(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}
} // namespace

Result<StoredMessage> prepareStoredMessage(const shell::ShownMessage& shown)
{
    const QString& dateText = shown.edits[1];
    if (dateText.trimmed().isEmpty())
        return makeError(QStringLiteral("the message has no date"));
    const std::optional<QDateTime> date = parseMessageDate(dateText);
    if (!date)
        return makeError(QStringLiteral("'%1' is not a valid date and time").arg(dateText));

    if (shown.mailFile.isEmpty())
        return makeError(QStringLiteral("no mail file to store"));
    QFile file(shown.mailFile);
    if (!file.open(QIODevice::ReadOnly))
        return makeError(QStringLiteral("cannot read %1: %2").arg(shown.mailFile, file.errorString()));

    StoredMessage m;
    m.mailDat = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return makeError(QStringLiteral("cannot read %1: %2").arg(shown.mailFile, file.errorString()));
    m.key.id = fitToColumn(shown.edits[0], kIdSize);
    m.key.date = *date;
    m.accountKey = fitToColumn(shown.edits[2], kAccountKeySize);
    m.senderName = fitToColumn(shown.edits[3], kNameSize);
    m.senderAddress = fitToColumn(shown.edits[4], kAddressSize);
    m.recieveName = fitToColumn(shown.edits[5], kNameSize);
    m.recieveAddress = fitToColumn(shown.edits[6], kAddressSize);
    m.subject = fitToColumn(shown.edits[7], kSubjectSize);
    m.dtype = QString::number(shown.mdatType).left(1);
    const QString name = storedFileName(shown.mailFile);
    m.fileName = fitToColumn(name, kFileNameSize);
    m.fileExt = fitToColumn(storedFileExtension(name), kFileExtSize);
    m.ftype = fileTypeCode(storedFileExtension(name));
    m.mailBody = crlfLines(shown.editorText);
    return m;
}

} // namespace lark::store
