#include "GpgDecryption.h"

#include "FileAssociationDetails.h"
#include "HtmlPage.h"
#include "IntakeTexts.h"
#include "TextCodec.h"
#include "WorkingFolder.h"
#include "platform/Delay.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimer>

namespace lark::intake {

namespace {

const QString kBegin = QStringLiteral("-----BEGIN PGP MESSAGE-----");
constexpr int kMaxShownHeader = 1000;
const QString kSaveDone = QStringLiteral("保存完了");
const QString kCopyFileError = QStringLiteral("Error executing copyFile %1");
const QString kCopyDialogTitle = QStringLiteral("復号したファイルの保存");

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool isHeaderLine(const QString& line)
{
    static const QRegularExpression field(QStringLiteral("^[!-9;-~]+:"));
    return !line.isEmpty() && (line.front().isSpace() || field.match(line).hasMatch());
}

} // namespace

std::optional<QString> fallbackSplit(const QStringList& bodyLines, const QString& delimiter)
{
    bool opened = false;
    QStringList section;
    for (const QString& line : bodyLines) {
        if (!opened) {
            opened = line.contains(delimiter, Qt::CaseInsensitive);
            continue;
        }
        if (line.contains(delimiter, Qt::CaseInsensitive))
            break;
        section << line;
    }
    if (!opened)
        return std::nullopt;
    const QString text = section.join(QLatin1Char('\n')) + QLatin1Char('\n');
    const qsizetype at = text.indexOf(QLatin1String("base64"));
    if (at < 0)
        return std::nullopt;
    QString payload = text.mid(at + 6);
    payload.chop(1);
    // Header lines that follow the transfer-encoding line (up to the empty line that ends
    // them) are not payload.
    QStringList rest = payload.split(QLatin1Char('\n'));
    int i = 1; // rest[0] is the remainder of the "base64" line
    while (i < rest.size() && isHeaderLine(rest[i]))
        ++i;
    if (i < rest.size() && rest[i].trimmed().isEmpty())
        payload = rest.mid(i + 1).join(QLatin1Char('\n'));
    return QString::fromUtf8(QByteArray::fromBase64(payload.toLatin1()));
}

struct GpgDecryption::RunState {
    bool ended = false;
    bool watchdog = false;
    bool hasOutput = false;
    ProcessEnd end;
};

GpgDecryption::GpgDecryption(shell::AppContext& ctx, MessageDisplay& display, QObject* parent)
    : QObject(parent), m_ctx(ctx), m_display(display),
      m_run1inline(new GpgProcessRunner(QStringLiteral("JvCreateProcess1inline"), this)),
      m_run1(new GpgProcessRunner(QStringLiteral("JvCreateProcess1"), this)),
      m_run3(new GpgProcessRunner(QStringLiteral("JvCreateProcess3"), this)),
      m_run4(new GpgProcessRunner(QStringLiteral("JvCreateProcess4"), this)),
      m_run2inline(new GpgProcessRunner(QStringLiteral("JvCreateProcess2inline"), this))
{
}

QString GpgDecryption::usableGpgPath() const
{
    const QString value = m_ctx.params().value(QStringLiteral("GPGPath"));
    if (shell::ParameterTable::isNotSet(value))
        return {};
    const QString path = value.trimmed();
    return QFileInfo(path).isFile() ? path : QString();
}

void GpgDecryption::runAndWait(GpgProcessRunner* runner, const QString& gpgPath, const GpgRunFiles& files,
                               const QString& statusText, EndHandler handler)
{
    m_ctx.MLItemFileStr = files.input;
    m_ctx.DcrMLItemFileStr = files.output;
    // gpg asks before it replaces a file; the output must not exist before the run.
    QFile::remove(files.output);
    m_ctx.setStatus(2, statusText);
    m_ctx.TerminateState = false;

    auto state = std::make_shared<RunState>();
    QTimer watchdog;
    watchdog.setInterval(watchdogIntervalMs);
    connect(&watchdog, &QTimer::timeout, this, [this, state] {
        if (state->ended || state->watchdog)
            return;
        state->watchdog = true;
        m_ctx.dialogs().message(texts::kWatchdog);
        m_ctx.TerminateState = true;
    });
    QPointer<GpgDecryption> self(this);
    runner->start(gpgPath, GpgProcessRunner::decryptArguments(files.output, files.input),
                  [self, state, files, handler](const ProcessEnd& end) {
                      if (!self)
                          return;
                      const bool hasOutput = QFileInfo::exists(files.output);
                      const QString statusAfter = handler(files, hasOutput);
                      QFile::remove(files.output);
                      QFile::remove(files.input);
                      self->m_ctx.setStatus(2, statusAfter);
                      self->m_ctx.TerminateState = true;
                      state->hasOutput = hasOutput;
                      state->end = end;
                      state->ended = true;
                  });
    watchdog.start();
    while (!state->ended && !state->watchdog)
        platform::Delay(10);
    watchdog.stop();

    if (state->ended && !state->hasOutput) {
        // gpg ended without writing anything (wrong key, damaged data, no gpg at all).
        QString text = texts::kDecryptFailed;
        const QString why = state->end.started ? state->end.errorOutput.trimmed().left(500) : texts::kProgramNotStarted;
        if (!why.isEmpty())
            text += QStringLiteral("\r\n") + why;
        m_ctx.dialogs().message(text);
        return;
    }
    m_ctx.dialogs().message(texts::kDecryptDone);
}

bool GpgDecryption::displayDecrypt(Variant variant, const QStringList& armoredLines, const QString& mailFile, bool jis)
{
    const QString folder = m_ctx.workingFolder();
    QDir().mkpath(folder);
    const QString base = QFileInfo(mailFile).completeBaseName();
    GpgRunFiles files;
    files.input = attachmentPath(m_ctx, folder, base + QStringLiteral("_armor.asc"));
    const ListEntry* sel = m_display.selected(1);
    files.output = attachmentPath(m_ctx, folder, QStringLiteral("Dcr_")
                                      + (sel ? changeFileExt(sel->caption, QStringLiteral(".txt"))
                                             : base + QStringLiteral(".txt")));
    m_ctx.MLItemFileStr = files.input;
    m_ctx.DcrMLItemFileStr = files.output;
    (void)writeFileBytes(files.input, (armoredLines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());

    const QString gpg = usableGpgPath();
    if (gpg.isEmpty()) {
        QFile::remove(files.input);
        m_ctx.dialogs().message(variant == Variant::InlinePart ? texts::kGpg2PathNotSet : texts::kGpgPathNotSet);
        return false;
    }
    runAndWait(variant == Variant::InlinePart ? m_run1inline : m_run1, gpg, files, texts::kGpgStatusFullWidth,
               [this, jis](const GpgRunFiles& f, bool hasOutput) {
                   if (hasOutput)
                       m_display.setEditorText(
                           decodeText(readFile(f.output), jis ? QStringLiteral("ISO-2022-JP") : QStringLiteral("UTF-8")));
                   return QString();
               });
    return true;
}

GpgRunFiles GpgDecryption::filesFor(const QString& caption)
{
    const QString folder = m_ctx.workingFolder();
    QDir().mkpath(folder);
    const GpgRunFiles files{attachmentPath(m_ctx, folder, caption),
                            attachmentPath(m_ctx, folder, QStringLiteral("Dcr_") + changeFileExt(caption, QStringLiteral(".txt")))};
    m_ctx.MLItemFileStr = files.input;
    m_ctx.DcrMLItemFileStr = files.output;
    return files;
}

bool GpgDecryption::writeAndProbe(const ListEntry& entry, const QString& input)
{
    QFile::remove(input);
    if (const MimePart* part = partBehindEntry(m_display.IdMessage1.get(), entry)) {
        const Status written = writeFileBytes(input, part->content);
        if (!written.ok()) {
            m_ctx.dialogs().error(written.errorText());
            return false;
        }
    }
    IdMessage2 = MimeMessage::fromFile(input);
    const QString header = IdMessage2 ? IdMessage2->headerBlock() : QString();
    if (header.contains(kBegin))
        return true;
    if (!header.isEmpty())
        m_ctx.dialogs().message(header.size() > kMaxShownHeader ? header.left(kMaxShownHeader) + QStringLiteral("…")
                                                                 : header);
    m_ctx.dialogs().message(texts::kNotGpgData);
    QFile::remove(input);
    return false;
}

void GpgDecryption::takeDecryptedMessage(const QString& output, bool fillList)
{
    m_display.IdMessage1A = MimeMessage::fromFile(output);
    if (!fillList || !m_display.IdMessage1A || !m_display.IdMessage1A->hasParts())
        return;
    auto details = std::make_shared<TFileAssociationDetails>(m_ctx.CDpi);
    m_display.setFileDetails(2, details);
    int counter = 0;
    for (qsizetype i = 0; i < m_display.IdMessage1A->parts().size(); ++i) {
        MimePart& part = m_display.IdMessage1A->parts()[i];
        if (!part.isAttachment())
            continue;
        m_display.setCurrentPage(MsgPage::Attachments2);
        if (part.fileName.isEmpty())
            part.fileName = QStringLiteral("ver.dat");
        QString ext = part.fileName.contains(QLatin1String("OpenPGP_signature")) ? QStringLiteral("dat")
                                                                                : extensionOf(part.fileName);
        if (ext.isEmpty())
            ext = QStringLiteral(".dat");
        details->AddExtension(ext);
        details->GetFileIconsAndDescriptions();
        m_display.notifyIconsChanged(2);
        m_display.setTabVisible(MsgPage::Attachments2, true);
        m_display.addEntry(2, part.fileName, counter++, int(i));
    }
}

QString GpgDecryption::resultText(bool plainOnly) const
{
    const MimeMessage* m = m_display.IdMessage1A.get();
    if (!m)
        return {};
    if (m->hasParts()) {
        for (const MimePart& p : m->parts())
            if (p.isText() && (!plainOnly || p.contentType.contains(QLatin1String("text/plain"))))
                return p.text();
        return {};
    }
    const QString delimiter = m_ctx.params().valueOrSet(QStringLiteral("DLMTDStr1"), QStringLiteral("--=-="));
    (void)m_ctx.params().valueOrSet(QStringLiteral("DLMTDStr2"), QStringLiteral("=-="));
    const std::optional<QString> split = fallbackSplit(splitLines(m->contentText()), delimiter);
    return split ? *split : m->contentText();
}

void GpgDecryption::saveResult(const QString& proposedFrom, const QString& result)
{
    platform::FileDialogOptions options;
    options.defaultSuffix = QStringLiteral("txt");
    options.fileName = changeFileExt(SafeFileName(proposedFrom), QStringLiteral(".txt"));
    options.confirmOverwrite = true;
    const std::optional<QString> chosen = m_ctx.dialogs().saveFile(options);
    if (!chosen)
        return;
    const QStringList lines = splitLines(result);
    const QByteArray bytes = lines.isEmpty() ? QByteArray() : (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    const Status written = writeFileBytes(*chosen, bytes);
    if (!written.ok())
        m_ctx.dialogs().error(written.errorText());
}

bool GpgDecryption::copyDecryptedFile(const QString& caption, const QString& output)
{
    platform::FileDialogOptions options;
    options.title = kCopyDialogTitle;
    // "report.pdf.gpg" was "report.pdf" before it was encrypted.
    const QString ext = extensionOf(caption);
    options.fileName = SafeFileName(caption.left(caption.size() - ext.size()));
    options.confirmOverwrite = true;
    const std::optional<QString> chosen = m_ctx.dialogs().saveFile(options);
    if (!chosen)
        return false;
    if (QFileInfo(*chosen).absoluteFilePath() == QFileInfo(output).absoluteFilePath()) {
        // The run deletes that file when this handler returns.
        m_ctx.dialogs().error(kCopyFileError.arg(QStringLiteral("%1 is removed after the decryption").arg(*chosen)));
        return false;
    }
    QFile target(*chosen);
    if (target.exists() && !target.remove()) {
        m_ctx.dialogs().error(kCopyFileError.arg(target.errorString()));
        return false;
    }
    QFile source(output);
    if (!source.copy(*chosen)) {
        m_ctx.dialogs().error(kCopyFileError.arg(source.errorString()));
        return false;
    }
    return true;
}

void GpgDecryption::DecryptGpg()
{
    if (m_display.currentPage() == MsgPage::Attachments1)
        DecryptGpgA1();
}

void GpgDecryption::SaveToDiskDGpg()
{
    if (m_display.currentPage() == MsgPage::Attachments1)
        SaveToDiskD1Gpg();
    else if (m_display.currentPage() == MsgPage::Attachments2)
        SaveToDiskD2Gpg();
}

void GpgDecryption::DecryptGpgA1()
{
    const ListEntry* sel = m_display.selected(1);
    if (sel && sel->caption.contains(texts::kUntitledAttachment)) {
        m_ctx.setStatus(2, texts::kAlreadyDecrypted);
        return;
    }
    const QString caption = sel ? sel->caption : QString();
    m_display.clearEditor();
    m_display.clearList(2);
    m_display.setTabVisible(MsgPage::Attachments1, true);
    m_ctx.actions().disable(QStringLiteral("SavetoDisk"));
    m_ctx.actions().disable(QStringLiteral("OpenWith"));
    if (!sel)
        return;
    const GpgRunFiles files = filesFor(caption);
    if (!writeAndProbe(*sel, files.input))
        return;
    const QString gpg = usableGpgPath();
    if (gpg.isEmpty()) {
        QFile::remove(files.input);
        m_ctx.dialogs().message(texts::kGpgPathNotSet);
        return;
    }
    runAndWait(m_run3, gpg, files, texts::kGpgStatusAscii, [this](const GpgRunFiles& f, bool hasOutput) {
        m_display.clearList(2);
        const double zoom = readZoomParameters(m_ctx);
        if (!hasOutput)
            return QString();
        takeDecryptedMessage(f.output, true);
        const MimeMessage* m = m_display.IdMessage1A.get();
        if (m && m->hasParts()) {
            for (const MimePart& p : m->parts()) {
                if (!p.isText())
                    continue;
                if (p.contentType.contains(QLatin1String("text/html"))) {
                    showHtmlPage(m_ctx, m_display, p.text(), zoom);
                } else {
                    m_display.clearEditor();
                    m_display.appendEditorLines(p.lines());
                }
                break;
            }
            return QString();
        }
        m_display.clearEditor();
        m_display.appendEditorLines(splitLines(resultText(false)));
        return QString();
    });
}

void GpgDecryption::SaveToDiskD1Gpg()
{
    for (const char* name : {"SavetoDisk", "SaveToDiskA2", "OpenWith", "OpenWithA2"})
        m_ctx.actions().disable(QString::fromLatin1(name));
    const ListEntry* sel = m_display.selected(1);
    if (!sel)
        return;
    const QString caption = sel->caption;
    const GpgRunFiles files = filesFor(caption);
    if (m_display.count(1) > 0 && !writeAndProbe(*sel, files.input))
        return;
    const QString gpg = usableGpgPath();
    if (gpg.isEmpty()) {
        QFile::remove(files.input);
        m_ctx.dialogs().message(texts::kGpgPathNotSet);
        return;
    }
    runAndWait(m_run4, gpg, files, texts::kGpgStatusFullWidth, [this, caption](const GpgRunFiles& f, bool hasOutput) {
        m_display.clearList(2);
        if (!hasOutput)
            return QString(); // nothing was decrypted: nothing to offer for saving
        takeDecryptedMessage(f.output, true);
        saveResult(caption, resultText(true));
        return QString();
    });
}

void GpgDecryption::SaveToDiskD2Gpg()
{
    for (const char* name : {"SavetoDisk", "OpenWith", "OpenWithA1"})
        m_ctx.actions().disable(QString::fromLatin1(name));
    const ListEntry* sel = m_display.selected(2);
    if (!sel)
        return;
    const QString caption = sel->caption;
    const GpgRunFiles files = filesFor(caption);
    if (!hasEncryptedExtension(caption)) {
        m_ctx.dialogs().message(texts::kNotEncryptedFile);
        return;
    }
    QFile::remove(files.input);
    const MimePart* part = nullptr;
    if (m_display.IdMessage1A)
        for (const MimePart& p : m_display.IdMessage1A->parts())
            if (p.isAttachment() && p.fileName == caption) {
                part = &p;
                break;
            }
    if (part) {
        const Status written = writeFileBytes(files.input, part->content);
        if (!written.ok()) {
            m_ctx.dialogs().error(written.errorText());
            return;
        }
    } else {
        // An entry unpacked from a TNEF attachment lies in "2nd".
        const QString unpacked = QDir(m_ctx.secondLevelFolder()).filePath(safeWorkingName(caption));
        if (QFileInfo(unpacked).isFile())
            QFile::copy(unpacked, files.input);
    }
    const QString gpg = usableGpgPath();
    if (gpg.isEmpty()) {
        QFile::remove(files.input);
        m_ctx.dialogs().message(texts::kGpgPathNotSet);
        return;
    }
    runAndWait(m_run2inline, gpg, files, texts::kGpgStatusFullWidth,
               [this, caption](const GpgRunFiles& f, bool hasOutput) {
                   if (!hasOutput)
                       return QString();
                   // The decrypted entry's own message; IdMessage1A keeps backing ListView2.
                   const std::shared_ptr<MimeMessage> keep = m_display.IdMessage1A;
                   m_display.IdMessage1A = MimeMessage::fromFile(f.output);
                   const QString result = resultText(true);
                   m_display.IdMessage1A = keep;
                   saveResult(caption, result);
                   return copyDecryptedFile(caption, f.output) ? kSaveDone : QString();
               });
}

} // namespace lark::intake
