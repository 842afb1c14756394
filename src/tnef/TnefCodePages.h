#pragma once
// Windows code page numbers -> text decoders. TNEF names the code page of its 8-bit strings by
// number (the OEM code page attribute); Qt's converters (ICU-backed on Debian) know them by name.
#include <QString>
#include <QStringDecoder>

namespace lark::tnef {

// The decoder for 8-bit strings when the stream named no code page, or one this system cannot
// supply: windows-1252, the usual ANSI code page of the mail programs that write TNEF.
inline constexpr const char DefaultAnsiCodePageName[] = "windows-1252";

// The converter names tried for a code page number, best first (empty for 0 and for numbers
// that are no code page at all).
QStringList codePageNames(qint64 codePage);

// A new decoder for the code page; windows-1252 when the number is 0 or no name for it is
// available.
QStringDecoder decoderForCodePage(qint64 codePage);

} // namespace lark::tnef
