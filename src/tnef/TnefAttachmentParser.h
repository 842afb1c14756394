#pragma once
// TNEF attachment and body extraction: every attachment of the stream becomes a file under its
// own name in a destination folder, and the message body becomes "Body.txt", "Body.html"
// and/or "RtfCompressed.dat" (raw value bytes as stored, padding included).
//
// For callers that just want files out of a TNEF file use extractTnef() (TnefExtract.h); it
// opens the file, creates the folder, runs Parse() and converts errors into a lark::Result.
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class QIODevice;

namespace lark::tnef {

class TTnefPropertyReader;
class TTnefReader;

// What is known about the attachment in progress, and the files this extraction wrote.
class TAttachmentInfo {
public:
    explicit TAttachmentInfo(const QString& ABaseFolder);
    virtual ~TAttachmentInfo() = default;

    // Empties SaveToFileName, LongFileName, FileName and Title (not BaseFolder).
    virtual void Clear();

    // A full path for a new file of that name in the base folder that does not exist yet (the
    // name itself, else the name numbered 1, 2, 3 ...); recorded as SaveToFileName. The name
    // is made safe first (AttachmentFileName.h).
    QString GenerateSaveToFileName(const QString& AFileName);
    // Gives the most recently written file its final name: LongFileName, else FileName, else
    // Title + ".dat"; without any it keeps its present name. A failing move is ignored. Then
    // Clear(). Does nothing while no file exists at SaveToFileName.
    void RenameSavedAttachment();

    // Notes that a file was created at the path (normally SaveToFileName).
    void RecordWrittenFile(const QString& path);
    // The files this extraction wrote, under their present names, in the order written.
    QStringList WrittenFiles() const { return FWrittenFiles; }

    QString FileName() const { return FFileName; }
    void SetFileName(const QString& value) { FFileName = value; }
    QString SaveToFileName() const { return FSaveToFileName; }
    QString Title() const { return FTitle; }
    void SetTitle(const QString& value) { FTitle = value; }
    QString LongFileName() const { return FLongFileName; }
    void SetLongFileName(const QString& value) { FLongFileName = value; }
    QString BaseFolder() const { return FBaseFolder; }

private:
    QString freePath(const QString& name);
    void pathVacated(const QString& path);

    QString FFileName;
    QString FSaveToFileName;
    QString FTitle;
    QString FLongFileName;
    QString FBaseFolder;
    QStringList FWrittenFiles;
    // Free-path search memory, so that thousands of same-named files do not make the search
    // quadratic: per name the first counter that may be free, and per path the searches that
    // passed over it as taken (to rewind them when a rename frees the path again).
    QHash<QString, int> FNextCounter;
    QHash<QString, QList<QPair<QString, int>>> FPassedOver;
};

class TTnefAttachmentParser {
public:
    // Extracts the TNEF stream ASource (an open, random-access device at the signature) into
    // ADestinationFolder, which must exist. Throws TnefError with the decoder's text on a
    // malformed stream, on "Invalid tnef format for the message body", and when a file cannot
    // be created or written. Files written before an error stay. When AWrittenFiles is given it
    // receives the names (without folder) of the files this run wrote, in write order under
    // their final names, also when an error ends the run.
    void Parse(QIODevice& ASource, const QString& ADestinationFolder, QStringList* AWrittenFiles = nullptr);

private:
    void messageProperty(TTnefPropertyReader& properties, TAttachmentInfo& info);
    void attachmentAttribute(TTnefReader& reader, TAttachmentInfo& info);
    void attachmentProperty(TTnefPropertyReader& properties, TAttachmentInfo& info);
};

} // namespace lark::tnef
