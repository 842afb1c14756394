#pragma once
// The main window's 16-bit mode word pmode. Each bit is set by adding and cleared by
// subtracting its value after testing it, so a bit is never added twice.
#include <QtGlobal>

namespace lark::shell {

enum ModeBit : quint16 {
    kModeStoredShown = 0x0001, // a stored message was displayed or deleted in this run
    kModeListOpen = 0x0010,    // the database is connected and its list is shown
    kModeListFloating = 0x0100 // the list window was taken out while the list was open
};

inline bool hasMode(quint16 pmode, ModeBit bit) { return (pmode & bit) != 0; }
inline void setMode(quint16& pmode, ModeBit bit)
{
    if (!hasMode(pmode, bit))
        pmode = quint16(pmode + bit);
}
inline void clearMode(quint16& pmode, ModeBit bit)
{
    if (hasMode(pmode, bit))
        pmode = quint16(pmode - bit);
}

} // namespace lark::shell
