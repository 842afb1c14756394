#include "AttachmentFileName.h"

namespace lark::tnef {

namespace {

bool isUnsafeCharacter(QChar c)
{
    if (c.category() == QChar::Other_Control)
        return true;
    // Explicit direction marks, embeddings, overrides and isolates: they can make
    // "txt.exe" display as "exe.txt".
    const char16_t u = c.unicode();
    return u == 0x200E || u == 0x200F || (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069);
}

} // namespace

QString safeAttachmentFileName(const QString& name)
{
    const qsizetype cut = qMax(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\')));
    QString safe;
    safe.reserve(name.size() - cut - 1);
    for (qsizetype i = cut + 1; i < name.size(); ++i) {
        if (!isUnsafeCharacter(name.at(i)))
            safe.append(name.at(i));
    }
    if (safe.isEmpty() || safe == QLatin1String(".") || safe == QLatin1String(".."))
        return QString::fromLatin1(UntitledFileName);
    return safe;
}

QString numberedFileName(const QString& name, int counter)
{
    if (counter == 0)
        return name;
    // The extension starts at the last "." that follows every "\" and ":" and is not the first
    // character; a name without one gets the counter at its end.
    qsizetype dot = -1;
    for (qsizetype i = name.size() - 1; i >= 0; --i) {
        const QChar c = name.at(i);
        if (c == QLatin1Char('.')) {
            dot = i;
            break;
        }
        if (c == QLatin1Char('\\') || c == QLatin1Char(':'))
            break;
    }
    if (dot <= 0)
        return name + QString::number(counter);
    return name.left(dot) + QString::number(counter) + name.mid(dot);
}

} // namespace lark::tnef
