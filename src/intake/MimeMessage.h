#pragma once
// The MIME message component of the reader (IdMessage1, IdMessage1A, IdMessage2): one parsed
// Internet message with what the reader asks of it. Parsed once when loaded; GMime stays
// behind this interface (the GMime objects live only inside the .cpp).
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace lark::intake {

struct MimePart {
    enum class Kind { Text, Attachment };
    Kind kind = Kind::Attachment;
    // File name as sent (disposition "filename", else content type "name"); for a part without
    // one, its content description made safe plus ".dat"; else empty. The reader may replace it.
    QString fileName;
    QString contentType;        // "type/subtype", lower case
    QString charset;            // the "charset" parameter, as written
    QString contentDescription; // decoded
    QString contentId;          // without angle brackets
    QByteArray content;         // the body with its transfer encoding removed

    bool isText() const { return kind == Kind::Text; }
    bool isAttachment() const { return kind == Kind::Attachment; }
    // The content read by its charset.
    QString text() const;
    QStringList lines() const;
};

class MimeMessage {
public:
    // Parses a file. A file that cannot be read gives nullptr (error says why); a file that
    // holds no mail headers gives a message whose isMessage() is false (header block and body
    // are still the file's lines, as an armored file needs).
    static std::shared_ptr<MimeMessage> fromFile(const QString& path, QString* error = nullptr);
    static std::shared_ptr<MimeMessage> fromBytes(const QByteArray& raw);

    MimeMessage(const MimeMessage&) = delete;
    MimeMessage& operator=(const MimeMessage&) = delete;
    ~MimeMessage();

    // True when the data had at least one header field the parser understood.
    bool isMessage() const { return m_isMessage; }

    // Raw header fields.
    int headerCount() const { return m_headerCount; }
    // The value of the first field of that name (any letter case) as written after the colon:
    // unfolded, surrounding white space removed, encoded words left as they are; "" if absent.
    QString header(const QString& name) const;
    bool hasHeader(const QString& name) const;
    // The header block as written: the lines before the first empty line.
    QString headerBlock() const { return m_headerLines.join(QLatin1Char('\n')); }
    const QStringList& headerLines() const { return m_headerLines; }

    // "Date" in local time; invalid when missing or unreadable.
    QDateTime date() const { return m_date; }
    // First sender, encoded words decoded.
    QString fromName() const { return m_fromName; }
    QString fromAddress() const { return m_fromAddress; }
    QString subject() const { return m_subject; }

    // Content type of the message itself ("type/subtype", lower case; "" without the field).
    QString contentType() const { return m_contentType; }
    // Body of a message without MIME parts, decoded.
    QString bodyText() const { return m_bodyText; }
    QStringList bodyLines() const;
    // The text a decrypted file holds: the body of a message, or the whole text of data that
    // has no mail headers.
    QString contentText() const { return m_isMessage ? m_bodyText : m_wholeText; }

    // The MIME parts in document order, nested multiparts flattened. Empty for a single-part
    // message whose body is text.
    const QList<MimePart>& parts() const { return m_parts; }
    QList<MimePart>& parts() { return m_parts; }
    bool hasParts() const { return !m_parts.isEmpty(); }

    // The part whose Content-ID is cid (angle brackets and a "cid:" prefix allowed; compared
    // case-sensitively after URL decoding, as RFC 2392 asks); nullptr when none.
    const MimePart* findByContentId(const QString& cid) const;

    // Nesting deeper than this is not walked.
    static constexpr int kMaxDepth = 64;

private:
    MimeMessage() = default;
    void parse(const QByteArray& raw);

    bool m_isMessage = false;
    int m_headerCount = 0;
    QList<QPair<QString, QString>> m_headers; // name, raw unfolded value
    QStringList m_headerLines;
    QDateTime m_date;
    QString m_fromName, m_fromAddress, m_subject, m_contentType, m_bodyText, m_wholeText;
    QList<MimePart> m_parts;
};

// The part behind an attachment list entry: the first attachment part whose file name equals
// the caption, or whose SafeFileName(content description) + ".dat" equals it; nullptr if none.
const MimePart* findAttachmentByCaption(const MimeMessage* message, const QString& caption);

// The text with every "/" replaced by "_" (SafeFileName).
QString SafeFileName(const QString& text);

} // namespace lark::intake
