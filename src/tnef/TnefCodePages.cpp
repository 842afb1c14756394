#include "TnefCodePages.h"

#include <QStringList>

namespace lark::tnef {

namespace {

struct NamedCodePage {
    qint64 number;
    const char* name;
};

// Code pages whose converter name is not simply "windows-<n>", "ibm-<n>" or "cp<n>".
constexpr NamedCodePage SpecialCodePages[] = {
    {932, "windows-932"},       // Shift_JIS with the Microsoft extensions
    {1200, "UTF-16LE"},
    {1201, "UTF-16BE"},
    {12000, "UTF-32LE"},
    {12001, "UTF-32BE"},
    {10000, "macintosh"},
    {20127, "US-ASCII"},
    {20866, "KOI8-R"},
    {21866, "KOI8-U"},
    {20932, "EUC-JP"},
    {28591, "ISO-8859-1"},
    {28592, "ISO-8859-2"},
    {28593, "ISO-8859-3"},
    {28594, "ISO-8859-4"},
    {28595, "ISO-8859-5"},
    {28596, "ISO-8859-6"},
    {28597, "ISO-8859-7"},
    {28598, "ISO-8859-8"},
    {28599, "ISO-8859-9"},
    {28603, "ISO-8859-13"},
    {28605, "ISO-8859-15"},
    {50220, "ISO-2022-JP"},
    {50221, "ISO-2022-JP"},
    {50222, "ISO-2022-JP"},
    {50225, "ISO-2022-KR"},
    {51932, "EUC-JP"},
    {51936, "GB2312"},
    {51949, "EUC-KR"},
    {52936, "HZ-GB-2312"},
    {54936, "GB18030"},
    {65000, "UTF-7"},
    {65001, "UTF-8"},
};

} // namespace

QStringList codePageNames(qint64 codePage)
{
    if (codePage <= 0 || codePage > 65535)
        return {};
    for (const NamedCodePage& special : SpecialCodePages) {
        if (special.number == codePage)
            return {QString::fromLatin1(special.name)};
    }
    const QString n = QString::number(codePage);
    return {QStringLiteral("windows-") + n, QStringLiteral("ibm-") + n, QStringLiteral("cp") + n};
}

QStringDecoder decoderForCodePage(qint64 codePage)
{
    for (const QString& name : codePageNames(codePage)) {
        QStringDecoder decoder(name.toLatin1().constData(), QStringConverter::Flag::Stateless);
        if (decoder.isValid())
            return decoder;
    }
    return QStringDecoder(DefaultAnsiCodePageName, QStringConverter::Flag::Stateless);
}

} // namespace lark::tnef
