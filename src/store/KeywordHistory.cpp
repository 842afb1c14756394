#include "KeywordHistory.h"

#include "platform/AtomicFile.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace lark::store {

Result<TextLines> readTextLines(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return makeError(f.errorString());
    const QByteArray data = f.readAll();
    TextLines out;
    QString text;
    if (data.startsWith("\xEF\xBB\xBF")) {
        out.encoding = TextEncoding::Utf8Bom;
        text = QString::fromUtf8(data.mid(3));
    } else if (data.startsWith("\xFF\xFE")) {
        out.encoding = TextEncoding::Utf16LE;
        QStringDecoder d(QStringDecoder::Utf16LE);
        text = d(data.mid(2));
    } else if (data.startsWith("\xFE\xFF")) {
        out.encoding = TextEncoding::Utf16BE;
        QStringDecoder d(QStringDecoder::Utf16BE);
        text = d(data.mid(2));
    } else {
        text = QString::fromUtf8(data);
    }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // A final line end closes the last line; it does not open another one.
    if (text.endsWith(QLatin1Char('\n'))) {
        text.chop(1);
        out.lines = text.split(QLatin1Char('\n'));
    } else if (!text.isEmpty()) {
        out.lines = text.split(QLatin1Char('\n'));
    }
    return out;
}

Status writeTextLines(const QString& path, const QStringList& lines, TextEncoding encoding)
{
    QString text;
    for (const QString& l : lines)
        text += l + QStringLiteral("\r\n");
    QByteArray data;
    switch (encoding) {
    case TextEncoding::Utf8:
        data = text.toUtf8();
        break;
    case TextEncoding::Utf8Bom:
        data = QByteArray("\xEF\xBB\xBF") + text.toUtf8();
        break;
    case TextEncoding::Utf16LE: {
        QStringEncoder e(QStringEncoder::Utf16LE);
        data = QByteArray("\xFF\xFE") + QByteArray(e(text));
        break;
    }
    case TextEncoding::Utf16BE: {
        QStringEncoder e(QStringEncoder::Utf16BE);
        data = QByteArray("\xFE\xFF") + QByteArray(e(text));
        break;
    }
    }
    return platform::writeFileAtomically(path, data);
}

void KeywordHistory::load(const QString& path)
{
    Result<TextLines> r = readTextLines(path);
    if (!r) {
        items.clear();
        text.clear();
        return;
    }
    items = r->lines;
    m_encoding = r->encoding;
    text = items.isEmpty() ? QString() : items.first();
}

void KeywordHistory::save(const QString& path) const
{
    (void)writeTextLines(path, items, m_encoding);
}

void KeywordHistory::pick(int index)
{
    if (index < 0 || index >= items.size())
        return;
    pickedIndex = index;
    text = items.at(index);
}

void KeywordHistory::add()
{
    items.prepend(text);
    if (items.size() > 1) {
        const int later = items.indexOf(items.first(), 1);
        if (later > 0)
            items.removeAt(later);
    }
    if (items.size() > kHistoryMaxEntries)
        items.removeAt(kHistoryMaxEntries);
    text = items.first();
}

void KeywordHistory::leave()
{
    if (!text.isEmpty())
        add();
}

namespace {
// Blanks and control characters at both ends go, as the trim of the box text does.
QString trimControls(const QString& s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && s.at(b).unicode() <= 0x20)
        ++b;
    while (e > b && s.at(e - 1).unicode() <= 0x20)
        --e;
    return s.mid(b, e - b);
}
} // namespace

void KeywordHistory::enterOrDoubleClick()
{
    if (text.contains(QLatin1Char(' ')))
        text = trimControls(text).remove(QLatin1Char(' '));
    if (text.isEmpty()) {
        if (pickedIndex >= 0 && pickedIndex < items.size())
            items.removeAt(pickedIndex);
        return;
    }
    add();
}

void BodyKeywords::load(const QString& path)
{
    Result<TextLines> r = readTextLines(path);
    if (!r) {
        lines.clear();
        return;
    }
    lines = r->lines;
    m_encoding = r->encoding;
}

void BodyKeywords::save(const QString& path) const
{
    (void)writeTextLines(path, lines, m_encoding);
}

} // namespace lark::store
