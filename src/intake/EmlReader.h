#pragma once
// ReadEmlFile: shows one Internet message file (or a file holding only an armored OpenPGP
// message) in the display and fills the header tab the store operation reads. ClearMsgDisp
// empties the display first.
#include "GpgDecryption.h"
#include "MessageDisplay.h"
#include "TnefExtraction.h"
#include "shell/AppContext.h"

#include <QObject>
#include <QString>

namespace lark::intake {

class EmlReader : public QObject {
    Q_OBJECT
public:
    EmlReader(shell::AppContext& ctx, MessageDisplay& display, GpgDecryption& gpg, TnefExtraction& tnef,
              QObject* parent = nullptr);

    void ReadEmlFile(const QString& path);
    void ClearMsgDisp();

    // The pause after each listed attachment (lets the window repaint); 0 for headless reading.
    int attachmentDelayMs = 100;
    // Whether the attachment list's icons and type names are looked up (not when nothing shows
    // the list).
    bool listIcons = true;

    // About the last ReadEmlFile: the file could not be read (text says why), or it was read but
    // holds no mail headers and no armored message.
    QString lastLoadError() const { return m_loadError; }
    bool lastWasMailData() const { return m_wasMailData; }

private:
    void fillHeaderTab(const MimeMessage& msg);
    // Returns false when the reading has to stop (GPGPath not usable).
    bool readParts(MimeMessage& msg, bool& pgpFound);
    bool readSinglePart(const MimeMessage& msg, const QString& path, bool& pgpFound);
    // Editor := the lines, or their decryption when they hold an armored message (JISFlg from
    // its armor header lines). False when the reading has to stop.
    bool showPlainText(const QStringList& lines, bool& pgpFound);

    shell::AppContext& m_ctx;
    MessageDisplay& m_display;
    GpgDecryption& m_gpg;
    TnefExtraction& m_tnef;
    QString m_path;
    double m_zoom = 0.7;
    QString m_loadError;
    bool m_wasMailData = false;
};

} // namespace lark::intake
