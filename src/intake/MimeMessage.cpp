#include "MimeMessage.h"

#include "HeaderFields.h"
#include "TextCodec.h"
#include "gmime/GMimeHandles.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace lark::intake {

namespace {

using gm::GObjectRef;

// A raw header value as text: unfolded, trimmed; 8-bit bytes read as UTF-8 when valid, else by
// the parser's fallback charsets; JIS escape sequences read as ISO-2022-JP.
QString rawValueText(const QByteArray& raw)
{
    QByteArray bytes = raw;
    bytes.replace("\r\n", "");
    bytes.replace('\n', "");
    bytes.replace('\r', "");
    bool ascii = true;
    for (char c : bytes)
        if (uchar(c) >= 0x80) {
            ascii = false;
            break;
        }
    QString text;
    if (looksLikeIso2022Jp(bytes))
        text = decodeText(bytes, QStringLiteral("ISO-2022-JP"));
    else if (ascii)
        text = QString::fromLatin1(bytes);
    else
        text = gm::takeUtf8(g_mime_utils_decode_8bit(gm::parserOptions(), bytes.constData(), size_t(bytes.size())));
    return text.trimmed();
}

struct RawField {
    QByteArray name;
    QByteArray value; // as written after the colon, continuation lines appended
};

// The lines of the raw data before the first empty line (CR LF, LF or CR ended), as bytes.
QList<QByteArray> headerBlockLines(const QByteArray& raw)
{
    QList<QByteArray> lines;
    qsizetype pos = 0;
    const qsizetype n = raw.size();
    while (pos < n) {
        qsizetype end = pos;
        while (end < n && raw[end] != '\n' && raw[end] != '\r')
            ++end;
        const QByteArray line = raw.mid(pos, end - pos);
        if (line.isEmpty())
            break;
        lines << line;
        if (end < n && raw[end] == '\r' && end + 1 < n && raw[end + 1] == '\n')
            pos = end + 2;
        else
            pos = end + 1;
    }
    return lines;
}

// The header fields of the raw data as written (the block before the first empty line); lines
// that are neither a field nor its continuation (an mbox "From " line, armor lines) are skipped.
QList<RawField> rawFields(const QByteArray& raw)
{
    QList<RawField> fields;
    bool continuing = false;
    for (const QByteArray& line : headerBlockLines(raw)) {
        if ((line[0] == ' ' || line[0] == '\t') && continuing) {
            fields.last().value += line;
            continue;
        }
        const qsizetype colon = line.indexOf(':');
        bool valid = colon > 0;
        for (qsizetype i = 0; valid && i < colon; ++i)
            valid = uchar(line[i]) > 0x20 && uchar(line[i]) < 0x7f;
        continuing = valid;
        if (valid)
            fields.append({line.left(colon), line.mid(colon + 1)});
    }
    return fields;
}

// Lines of the raw data before the first empty line, each read as UTF-8 when valid.
QStringList rawHeaderLines(const QByteArray& raw)
{
    QStringList lines;
    for (const QByteArray& line : headerBlockLines(raw))
        lines << decodeText(line, QString());
    return lines;
}

QString mimeTypeOf(GMimeObject* object)
{
    GMimeContentType* ct = g_mime_object_get_content_type(object);
    if (!ct)
        return {};
    return gm::takeUtf8(g_mime_content_type_get_mime_type(ct)).toLower();
}

QString parameterOf(GMimeObject* object, const char* name)
{
    return gm::fromUtf8(g_mime_object_get_content_type_parameter(object, name));
}

// One leaf of the MIME tree as a part of the flattened list.
MimePart makePart(GMimeObject* object)
{
    MimePart p;
    p.contentType = mimeTypeOf(object);
    p.charset = parameterOf(object, "charset");
    p.contentDescription = gm::fromUtf8(g_mime_object_get_header(object, "Content-Description")).trimmed();
    p.contentId = gm::fromUtf8(g_mime_object_get_content_id(object));

    QString name;
    if (GMIME_IS_PART(object)) {
        name = gm::fromUtf8(g_mime_part_get_filename(GMIME_PART(object)));
        p.content = gm::wrapperBytes(g_mime_part_get_content(GMIME_PART(object)));
    } else {
        name = gm::fromUtf8(g_mime_object_get_content_disposition_parameter(object, "filename"));
        if (name.isEmpty())
            name = parameterOf(object, "name");
        if (GMIME_IS_MESSAGE_PART(object))
            p.content = gm::objectBytes(GMIME_OBJECT(g_mime_message_part_get_message(GMIME_MESSAGE_PART(object))));
    }
    name = name.trimmed();
    const QString disposition = gm::fromUtf8(g_mime_object_get_disposition(object)).toLower();
    const bool textType = p.contentType == QLatin1String("text/plain") || p.contentType == QLatin1String("text/html");
    p.kind = (textType && name.isEmpty() && disposition != QLatin1String("attachment")) ? MimePart::Kind::Text
                                                                                          : MimePart::Kind::Attachment;
    if (p.isAttachment() && name.isEmpty() && !p.contentDescription.isEmpty())
        name = SafeFileName(p.contentDescription) + QStringLiteral(".dat");
    p.fileName = name;
    return p;
}

// Walks the MIME tree in document order and hands every leaf to the visitor; multiparts are
// entered up to MimeMessage::kMaxDepth levels, embedded messages are leaves.
template <typename Visitor>
void walkParts(GMimeObject* object, int depth, Visitor&& visit)
{
    if (!object || depth > MimeMessage::kMaxDepth)
        return;
    if (GMIME_IS_MULTIPART(object)) {
        GMimeMultipart* mp = GMIME_MULTIPART(object);
        const int count = g_mime_multipart_get_count(mp);
        for (int i = 0; i < count; ++i)
            walkParts(g_mime_multipart_get_part(mp, i), depth + 1, visit);
        return;
    }
    visit(object);
}

} // namespace

QString MimePart::text() const
{
    return decodeText(content, charset);
}

QStringList MimePart::lines() const
{
    return splitLines(text());
}

MimeMessage::~MimeMessage() = default;

std::shared_ptr<MimeMessage> MimeMessage::fromFile(const QString& path, QString* error)
{
    QFileInfo fi(path);
    QString why;
    QByteArray raw;
    if (!fi.exists())
        why = QStringLiteral("file not found: %1").arg(path);
    else if (fi.isDir())
        why = QStringLiteral("not a file: %1").arg(path);
    else {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            why = QStringLiteral("cannot read %1: %2").arg(path, f.errorString());
        else
            raw = f.readAll();
    }
    if (!why.isEmpty()) {
        if (error)
            *error = why;
        return nullptr;
    }
    return fromBytes(raw);
}

std::shared_ptr<MimeMessage> MimeMessage::fromBytes(const QByteArray& raw)
{
    std::shared_ptr<MimeMessage> m(new MimeMessage);
    m->parse(raw);
    return m;
}

void MimeMessage::parse(const QByteArray& raw)
{
    gm::ensureGMime();
    m_headerLines = rawHeaderLines(raw);
    QByteArray rawSubject;
    for (const RawField& f : rawFields(raw)) {
        const QString name = QString::fromLatin1(f.name);
        if (rawSubject.isNull() && name.compare(QLatin1String("Subject"), Qt::CaseInsensitive) == 0)
            rawSubject = f.value.isNull() ? QByteArray("") : f.value;
        m_headers.append({name, rawValueText(f.value)});
    }
    m_headerCount = int(m_headers.size());

    GObjectRef<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(raw.constData(), size_t(raw.size())));
    GObjectRef<GMimeParser> parser(g_mime_parser_new_with_stream(stream.get()));
    g_mime_parser_set_format(parser.get(), GMIME_FORMAT_MESSAGE);
    GObjectRef<GMimeMessage> message(g_mime_parser_construct_message(parser.get(), gm::parserOptions()));
    if (!message) {
        // No header the parser understood (a bare armored file, plain text): the body is
        // everything after the first empty line.
        const qsizetype crlf = raw.indexOf("\r\n\r\n");
        const qsizetype lf = raw.indexOf("\n\n");
        qsizetype cut = -1;
        int skip = 0;
        if (crlf >= 0 && (lf < 0 || crlf < lf)) {
            cut = crlf;
            skip = 4;
        } else if (lf >= 0) {
            cut = lf;
            skip = 2;
        }
        m_bodyText = cut < 0 ? QString() : decodeText(raw.mid(cut + skip), QString());
        m_wholeText = decodeText(raw, QString());
        return;
    }
    m_isMessage = true;
    if (GDateTime* d = g_mime_message_get_date(message.get()))
        m_date = QDateTime::fromSecsSinceEpoch(g_date_time_to_unix(d), Qt::LocalTime);

    if (InternetAddressList* from = g_mime_message_get_from(message.get())) {
        // The first mailbox, also when the list starts with a group.
        for (int i = 0; i < internet_address_list_length(from) && m_fromAddress.isEmpty() && m_fromName.isEmpty(); ++i) {
            InternetAddress* ia = internet_address_list_get_address(from, i);
            if (INTERNET_ADDRESS_IS_GROUP(ia)) {
                InternetAddressList* members = internet_address_group_get_members(INTERNET_ADDRESS_GROUP(ia));
                if (members && internet_address_list_length(members) > 0)
                    ia = internet_address_list_get_address(members, 0);
                else
                    continue;
            }
            m_fromName = gm::fromUtf8(internet_address_get_name(ia)).trimmed();
            if (INTERNET_ADDRESS_IS_MAILBOX(ia))
                m_fromAddress = gm::fromUtf8(internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(ia)));
        }
    }

    // Subject: encoded words decoded by the parser. A subject written in raw JIS (escape
    // sequences, no encoded word) is read as ISO-2022-JP first.
    m_subject = gm::fromUtf8(g_mime_message_get_subject(message.get())).trimmed();
    if (looksLikeIso2022Jp(rawSubject)) {
        const QByteArray utf8 = rawValueText(rawSubject).toUtf8();
        m_subject = gm::takeUtf8(g_mime_utils_header_decode_text(gm::parserOptions(), utf8.constData())).trimmed();
    } else if (rawSubject.toLower().contains("=?iso-2022-jp")) {
        // ISO-2022-JP words with NEC special characters (circled numbers) or carrier symbols:
        // read by the Windows superset, as text parts are, instead of losing them to "?".
        m_subject = decodeHeaderText(rawValueText(rawSubject)).trimmed();
    }

    GMimeObject* body = g_mime_message_get_mime_part(message.get());
    if (!body)
        return;
    m_contentType = mimeTypeOf(body);
    if (GMIME_IS_MULTIPART(body)) {
        walkParts(body, 0, [this](GMimeObject* leaf) { m_parts.append(makePart(leaf)); });
        return;
    }
    MimePart single = makePart(body);
    const bool textType = single.contentType == QLatin1String("text/plain") || single.contentType == QLatin1String("text/html");
    if (single.isAttachment() && !textType) {
        // A message that is one attachment (a picture, a document): listed like a part.
        m_parts.append(single);
        return;
    }
    m_bodyText = single.text();
}

QString MimeMessage::header(const QString& name) const
{
    for (const auto& h : m_headers)
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return h.second;
    return {};
}

bool MimeMessage::hasHeader(const QString& name) const
{
    for (const auto& h : m_headers)
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QStringList MimeMessage::bodyLines() const
{
    return splitLines(m_bodyText);
}

const MimePart* MimeMessage::findByContentId(const QString& cid) const
{
    QString id = cid.trimmed();
    if (id.startsWith(QLatin1String("cid:"), Qt::CaseInsensitive))
        id = id.mid(4);
    id = QUrl::fromPercentEncoding(id.toUtf8());
    if (id.startsWith(QLatin1Char('<')) && id.endsWith(QLatin1Char('>')))
        id = id.mid(1, id.size() - 2);
    if (id.isEmpty())
        return nullptr;
    for (const MimePart& p : m_parts)
        if (p.contentId == id)
            return &p;
    for (const MimePart& p : m_parts)
        if (p.contentId.compare(id, Qt::CaseInsensitive) == 0)
            return &p;
    return nullptr;
}

const MimePart* findAttachmentByCaption(const MimeMessage* message, const QString& caption)
{
    if (!message)
        return nullptr;
    for (const MimePart& p : message->parts()) {
        if (!p.isAttachment())
            continue;
        if (p.fileName == caption || SafeFileName(p.contentDescription) + QStringLiteral(".dat") == caption)
            return &p;
    }
    return nullptr;
}

QString SafeFileName(const QString& text)
{
    QString s = text;
    return s.replace(QLatin1Char('/'), QLatin1Char('_'));
}

} // namespace lark::intake
