#include "TextCodec.h"

#include "gmime/GMimeHandles.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace lark::intake {

namespace {

bool isValidUtf8(const QByteArray& bytes)
{
    QStringDecoder d(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    (void)d.decode(bytes);
    return !d.hasError();
}

bool isAscii(const QByteArray& bytes)
{
    for (char c : bytes)
        if (uchar(c) >= 0x80)
            return false;
    return true;
}

// The decoder name for a declared charset: Japanese charsets by their Windows supersets, the
// rest as declared (the ICU converter knows the usual aliases).
QString decoderName(const QString& declared)
{
    const QString cs = declared.trimmed().toLower();
    if (cs.startsWith(QLatin1String("iso-2022-jp")) || cs == QLatin1String("csiso2022jp")
        || cs == QLatin1String("cp50220") || cs == QLatin1String("cp50221") || cs == QLatin1String("cp50222"))
        return QStringLiteral("ISO-2022-JP");
    if (cs == QLatin1String("shift_jis") || cs == QLatin1String("shift-jis") || cs == QLatin1String("sjis")
        || cs == QLatin1String("x-sjis") || cs == QLatin1String("cp932") || cs == QLatin1String("ms_kanji")
        || cs == QLatin1String("windows-31j") || cs == QLatin1String("csshiftjis"))
        return QStringLiteral("windows-31j");
    if (cs == QLatin1String("ks_c_5601-1987") || cs == QLatin1String("ks_c_5601") || cs == QLatin1String("euc-kr"))
        return QStringLiteral("windows-949");
    if (cs == QLatin1String("gb2312") || cs == QLatin1String("gbk"))
        return QStringLiteral("GB18030");
    if (cs == QLatin1String("iso-8859-1") || cs == QLatin1String("us-ascii") || cs == QLatin1String("ascii"))
        return QStringLiteral("windows-1252");
    return declared.trimmed();
}

QString fallbackDecode(const QByteArray& bytes)
{
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    QStringDecoder d("windows-1252");
    return d.isValid() ? d.decode(bytes) : QString::fromLatin1(bytes);
}

// GMime's iconv for charsets the ICU converter does not name; empty when it cannot convert.
bool iconvDecode(const QByteArray& bytes, const QString& charset, QString* out)
{
    gm::ensureGMime();
    const QByteArray name = charset.toLatin1();
    iconv_t cd = g_mime_iconv_open("UTF-8", name.constData());
    if (cd == iconv_t(-1))
        return false;
    char* converted = g_mime_iconv_strndup(cd, bytes.constData(), size_t(bytes.size()));
    g_mime_iconv_close(cd);
    if (!converted)
        return false;
    *out = gm::takeUtf8(converted);
    return true;
}

} // namespace

QString decodeText(const QByteArray& bytes, const QString& charset)
{
    if (bytes.isEmpty())
        return {};
    const QString cs = charset.trimmed().toLower();
    // Declared 7-bit charsets over 8-bit content, or no charset at all: take the bytes as
    // they are (UTF-8 when valid).
    if (cs.isEmpty() || ((cs.startsWith(QLatin1String("iso-2022-jp")) || cs == QLatin1String("us-ascii"))
                         && !isAscii(bytes) && isValidUtf8(bytes))) {
        if (cs.isEmpty() && looksLikeIso2022Jp(bytes))
            return decodeText(bytes, QStringLiteral("ISO-2022-JP"));
        return fallbackDecode(bytes);
    }
    if (cs == QLatin1String("utf-8") || cs == QLatin1String("utf8")) {
        QStringDecoder d(QStringDecoder::Utf8);
        return d.decode(bytes);
    }
    const QString name = decoderName(charset);
    QStringDecoder d(name.toLatin1().constData());
    if (d.isValid())
        return d.decode(bytes);
    QString converted;
    if (iconvDecode(bytes, charset.trimmed(), &converted))
        return converted;
    return fallbackDecode(bytes);
}

QStringList splitLines(const QString& text)
{
    if (text.isEmpty())
        return {};
    static const QRegularExpression breaks(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = text.split(breaks);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool looksLikeIso2022Jp(const QByteArray& bytes)
{
    return bytes.contains("\x1b$B") || bytes.contains("\x1b$@") || bytes.contains("\x1b(J")
        || bytes.contains("\x1b(I");
}

} // namespace lark::intake
