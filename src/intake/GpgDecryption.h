#pragma once
// GnuPG decryption: the four uses (display decryption for the reader; decrypt and show,
// decrypt and save, second-level decrypt and save on the attachment lists), each with its own
// runner and end handler, the shared run-and-wait with its watchdog, and the fallback split
// of a decrypted body that is not a MIME multipart.
#include "GpgRunner.h"
#include "MessageDisplay.h"
#include "MimeMessage.h"
#include "shell/AppContext.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace lark::intake {

struct GpgRunFiles {
    QString input;  // MLItemFileStr
    QString output; // DcrMLItemFileStr
};

// The text between the first two lines that contain delimiter (any case); when it holds the
// word "base64", the Base64 payload after that word decoded as UTF-8. nullopt: no section, or
// no "base64" in it (the caller then takes the whole body).
std::optional<QString> fallbackSplit(const QStringList& bodyLines, const QString& delimiter);

class GpgDecryption : public QObject {
    Q_OBJECT
public:
    GpgDecryption(shell::AppContext& ctx, MessageDisplay& display, QObject* parent = nullptr);

    // Watchdog interval (75 seconds; tests shorten it).
    int watchdogIntervalMs = 75000;

    // The trimmed GPGPath when it is set and names an existing file, else "".
    QString usableGpgPath() const;

    enum class Variant { InlinePart, ArmoredFile };
    // Display decryption of armored text for the reader (mailFile: the file being read, which
    // names the input and output files). Returns false when GPGPath is unusable: the message
    // was shown and the reader stops.
    bool displayDecrypt(Variant variant, const QStringList& armoredLines, const QString& mailFile, bool jis);

    // Actions.
    void DecryptGpg();
    void DecryptGpgA1();
    void SaveToDiskDGpg();
    void SaveToDiskD1Gpg();
    void SaveToDiskD2Gpg();

    // The probe component (header block of an input file).
    std::shared_ptr<MimeMessage> IdMessage2;

    // Runners, one per use (objectNames as the window names them).
    GpgProcessRunner* runner1inline() const { return m_run1inline; }
    GpgProcessRunner* runner1() const { return m_run1; }
    GpgProcessRunner* runner3() const { return m_run3; }
    GpgProcessRunner* runner4() const { return m_run4; }
    GpgProcessRunner* runner2inline() const { return m_run2inline; }

private:
    struct RunState;
    // Runs on the process end, before both files are deleted; returns the text left in the
    // third status panel afterwards (usually empty).
    using EndHandler = std::function<QString(const GpgRunFiles&, bool hasOutput)>;
    // Sets the file names into MLItemFileStr / DcrMLItemFileStr, starts the run, waits for its
    // end or the watchdog, then tells the user. The end handler runs on the process end, also
    // when that comes after the wait (its own file names, never the next run's).
    void runAndWait(GpgProcessRunner* runner, const QString& gpgPath, const GpgRunFiles& files,
                    const QString& statusText, EndHandler handler);
    // Writes the part behind the selected first-level entry to the input file and probes its
    // header block; false (after telling the user, input deleted) when it is not armored.
    bool writeAndProbe(const ListEntry& entry, const QString& input);
    // The input and output files of a run for a list entry, set into MLItemFileStr /
    // DcrMLItemFileStr.
    GpgRunFiles filesFor(const QString& caption);
    // The decrypted output as a message: attachments listed in ListView2 (fillList) and the
    // text parts reported through onText (first text part only when firstTextOnly).
    void takeDecryptedMessage(const QString& output, bool fillList);
    QString resultText(bool plainOnly) const;
    void saveResult(const QString& proposedFrom, const QString& result);
    // Offers to copy the decrypted output file as gpg wrote it (binary attachments survive
    // only this way); true when it was copied.
    bool copyDecryptedFile(const QString& caption, const QString& output);

    shell::AppContext& m_ctx;
    MessageDisplay& m_display;
    GpgProcessRunner* m_run1inline;
    GpgProcessRunner* m_run1;
    GpgProcessRunner* m_run3;
    GpgProcessRunner* m_run4;
    GpgProcessRunner* m_run2inline;
};

} // namespace lark::intake
