#include "HeaderFields.h"

#include "TextCodec.h"

#include <QRegularExpression>

namespace lark::intake {

QString formatEditDate(const QDateTime& local)
{
    return local.isValid() ? local.toString(QString::fromLatin1(kEditDateFormat)) : QString();
}

QString MonthNameToNum(const QString& text)
{
    static const char* const names[12][2] = {
        {"January", "Jan"}, {"February", "Feb"}, {"March", "Mar"},     {"April", "Apr"},
        {"May", "May"},     {"June", "Jun"},     {"July", "Jul"},      {"August", "Aug"},
        {"September", "Sep"}, {"October", "Oct"}, {"November", "Nov"}, {"December", "Dec"},
    };
    for (int m = 0; m < 12; ++m) {
        if (text.contains(QLatin1String(names[m][0]), Qt::CaseInsensitive)
            || text.contains(QLatin1String(names[m][1]), Qt::CaseInsensitive))
            return QStringLiteral("%1").arg(m + 1, 2, 10, QLatin1Char('0'));
    }
    return QStringLiteral("0");
}

QDateTime apparentlyToDate(const QString& value)
{
    const QString last = value.split(QLatin1Char(';')).last().trimmed();
    const QStringList tokens = last.split(QLatin1Char(' '));
    if (tokens.size() < 5)
        return {};
    bool okY = false, okM = false, okD = false;
    int year = tokens[3].toInt(&okY);
    const int month = MonthNameToNum(tokens[2]).toInt(&okM);
    const int day = tokens[1].toInt(&okD);
    if (!okY || !okM || !okD || tokens[3].size() > 4)
        return {};
    if (tokens[3].size() <= 2)
        year += year < 50 ? 2000 : 1900;
    const QDate date(year, month, day);
    // "H:mm" or "H:mm:ss"
    const QStringList hms = tokens[4].split(QLatin1Char(':'));
    if (hms.size() < 2 || hms.size() > 3)
        return {};
    int parts[3] = {0, 0, 0};
    for (int i = 0; i < hms.size(); ++i) {
        bool ok = false;
        parts[i] = hms[i].toInt(&ok);
        if (!ok || hms[i].isEmpty())
            return {};
    }
    const QTime time(parts[0], parts[1], parts[2]);
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time, Qt::LocalTime);
}

QString senderNameText(const QString& displayName)
{
    const QString& n = displayName;
    const bool quoted = n.startsWith(QLatin1Char('\'')) && n.endsWith(QLatin1Char('\''));
    const bool bracketed = n.startsWith(QChar(0xFF1C)) && n.endsWith(QChar(0xFF1E));
    if (quoted || bracketed)
        return n.size() <= 2 ? QString() : n.mid(1, n.size() - 2);
    return n;
}

namespace {

// Decodes the encoded words of text. keepText: the text between words stays (white space
// between two adjacent words excepted); otherwise only the words' text is returned.
QString decodeWords(const QString& text, bool keepText)
{
    static const QRegularExpression word(QStringLiteral("=\\?([^?\\s]+)\\?([BbQq])\\?([^?\\s]*)\\?="));
    QRegularExpressionMatchIterator it = word.globalMatch(text);
    if (!it.hasNext())
        return text;
    // Adjacent words of one charset are joined before decoding, so a character split across
    // two words comes out whole.
    QString out;
    QString pendingCharset;
    QByteArray pending;
    auto flush = [&] {
        if (!pending.isEmpty())
            out += decodeText(pending, pendingCharset);
        pending.clear();
    };
    qsizetype end = 0;
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const QString between = text.mid(end, m.capturedStart() - end);
        end = m.capturedEnd();
        if (keepText && !between.trimmed().isEmpty()) {
            flush();
            out += between;
        } else if (keepText && !between.isEmpty() && out.isEmpty() && pending.isEmpty()) {
            out += between; // white space before the first word
        }
        QString charset = m.captured(1);
        const qsizetype star = charset.indexOf(QLatin1Char('*')); // RFC 2231 language suffix
        if (star >= 0)
            charset.truncate(star);
        const QByteArray encoded = m.captured(3).toLatin1();
        QByteArray bytes;
        if (m.captured(2).compare(QLatin1String("B"), Qt::CaseInsensitive) == 0) {
            bytes = QByteArray::fromBase64(encoded);
        } else {
            QByteArray q = encoded;
            q.replace('_', ' ');
            bytes = QByteArray::fromPercentEncoding(q, '=');
        }
        if (charset.compare(pendingCharset, Qt::CaseInsensitive) != 0)
            flush();
        pendingCharset = charset;
        // A stateful charset's words each end in ASCII; a return to ASCII directly followed by
        // the next word's escape is an empty segment that decoders reject, so it is dropped.
        if (!pending.isEmpty() && bytes.startsWith('\x1b') && (pending.endsWith("\x1b(B") || pending.endsWith("\x1b(J")))
            pending.chop(3);
        pending += bytes;
    }
    flush();
    if (keepText)
        out += text.mid(end);
    return out;
}

} // namespace

QString decodeEncodedWords(const QString& text)
{
    return decodeWords(text, false);
}

QString decodeHeaderText(const QString& value)
{
    return decodeWords(value, true);
}

QString receiverNameFromRawTo(const QString& rawTo)
{
    const qsizetype p = rawTo.indexOf(QLatin1Char('<'));
    if (p < 0)
        return {};
    QString name = rawTo.left(p).trimmed();
    name = decodeEncodedWords(name);
    if (name.size() >= 2 && name.startsWith(QLatin1Char('"')) && name.endsWith(QLatin1Char('"')))
        name = name.mid(1, name.size() - 2);
    if (name.size() >= 2 && name.startsWith(QLatin1Char('\'')) && name.endsWith(QLatin1Char('\'')))
        name = name.mid(1, name.size() - 2);
    return name;
}

QString receiverAddressFromRawTo(const QString& rawTo)
{
    const qsizetype p = rawTo.indexOf(QLatin1Char('<'));
    const qsizetype q = rawTo.indexOf(QLatin1Char('>'));
    if (p >= 0 && q >= 0 && p < q)
        return rawTo.mid(p + 1, q - p - 1);
    return rawTo;
}

namespace {

QString removeAll(QString text, const QString& what)
{
    return text.remove(what, Qt::CaseInsensitive).trimmed();
}

} // namespace

QString receiverNameFromAccounts(const QString& name, const QString& address, const QStringList& accounts)
{
    if (name.isEmpty() && !address.isEmpty()) {
        const QString key = QLatin1Char('<') + address + QLatin1Char('>');
        for (const QString& account : accounts)
            if (account.contains(key, Qt::CaseInsensitive))
                return removeAll(account, key);
        return name;
    }
    if (name.contains(QLatin1Char('@'))) {
        const QString key = QLatin1Char('<') + name + QLatin1Char('>');
        for (const QString& account : accounts)
            if (account.contains(key, Qt::CaseInsensitive))
                return removeAll(account, key);
    }
    return name;
}

} // namespace lark::intake
