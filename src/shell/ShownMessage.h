#pragma once
// What the store operation takes from the display: the eight header edits of the tab
// "書誌情報", the message data type, the text of the text view and the shown mail file.
#include <QString>

#include <array>

namespace lark::shell {

struct ShownMessage {
    // Edit1 .. Edit8: Message-ID, date ("yyyy/MM/dd HH:mm:ss"), account key, sender name,
    // sender address, receiver name, receiver address, subject. Index 0 is Edit1.
    std::array<QString, 8> edits;
    int mdatType = 0;   // MDatType: 0 no text part, 1 plain, 2 HTML, 3 OpenPGP
    QString editorText; // whole plain text of Editor
    QString mailFile;   // awk_MessageFile when it names an existing file, else MessageFile
};

} // namespace lark::shell
