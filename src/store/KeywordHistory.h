#pragma once
// The search dialog's keyword histories: the items of the subject and sender boxes (most
// recent first, at most 20, no duplicates) and the lines of the body box, each kept in a text
// file of the settings folder. A file is written back in the encoding it was read in; a new
// file is UTF-8 without a byte-order mark.
#include "platform/Result.h"

#include <QString>
#include <QStringList>

namespace lark::store {

inline const QString kSubjectHistoryFile = QStringLiteral("$Subject_KeyStr.Txt");
inline const QString kSenderHistoryFile = QStringLiteral("$Sender_KeyStr.Txt");
inline const QString kBodyHistoryFile = QStringLiteral("$MsgBody_KeyStr.Txt");
inline constexpr int kHistoryMaxEntries = 20;

enum class TextEncoding { Utf8, Utf8Bom, Utf16LE, Utf16BE };

struct TextLines {
    QStringList lines;
    TextEncoding encoding = TextEncoding::Utf8;
};

// Reads a text file: a byte-order mark decides the encoding, UTF-8 without one. Lines end at
// CR LF, LF or CR; a final line end does not start another line.
Result<TextLines> readTextLines(const QString& path);
// Writes the lines, each followed by CR LF, in the encoding given (with its byte-order mark).
Status writeTextLines(const QString& path, const QStringList& lines, TextEncoding encoding);

// One history box (ComboBox1 or ComboBox2): its items, its text and the index of the entry
// last picked from the drop-down list (Subject_StrNum / Sender_StrNum).
class KeywordHistory {
public:
    QStringList items;
    QString text;
    int pickedIndex = 0;

    // Loads the items; the text becomes the first item. A missing or unreadable file gives
    // an empty box.
    void load(const QString& path);
    // Saves the items in the encoding they were read in; errors are ignored.
    void save(const QString& path) const;

    // The drop-down list closed with entry index selected.
    void pick(int index);
    // The common adding step: the text goes to the top, a later equal entry is dropped, the
    // list keeps 20 entries, the text becomes the first entry.
    void add();
    // Focus leaves the box: a non-empty text is added.
    void leave();
    // Enter key or double click: a text with half-width spaces is trimmed and loses every
    // space; an empty text then deletes the entry last picked, any other text is added.
    void enterOrDoubleClick();

private:
    TextEncoding m_encoding = TextEncoding::Utf8;
};

// The body box lines with the encoding they were read in.
struct BodyKeywords {
    QStringList lines;
    void load(const QString& path);
    void save(const QString& path) const;

private:
    TextEncoding m_encoding = TextEncoding::Utf8;
};

} // namespace lark::store
