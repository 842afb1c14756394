#include "TnefAttachmentParser.h"

#include "AttachmentFileName.h"
#include "TnefAttribute.h"
#include "TnefError.h"
#include "TnefProperty.h"
#include "TnefPropertyReader.h"
#include "TnefReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <memory>

namespace lark::tnef {

// ---------------------------------------------------------------------------------------------
// TAttachmentInfo

TAttachmentInfo::TAttachmentInfo(const QString& ABaseFolder) : FBaseFolder(ABaseFolder)
{
    if (!FBaseFolder.isEmpty() && !FBaseFolder.endsWith(QLatin1Char('/')))
        FBaseFolder += QLatin1Char('/');
    Clear();
}

void TAttachmentInfo::Clear()
{
    FSaveToFileName.clear();
    FLongFileName.clear();
    FFileName.clear();
    FTitle.clear();
}

namespace {
bool pathTaken(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink(); // a dangling link is taken too
}
} // namespace

QString TAttachmentInfo::freePath(const QString& name)
{
    int counter = FNextCounter.value(name, 0);
    QString path = FBaseFolder + numberedFileName(name, counter);
    while (pathTaken(path)) {
        FPassedOver[path].append({name, counter});
        ++counter;
        path = FBaseFolder + numberedFileName(name, counter);
    }
    FNextCounter.insert(name, counter);
    return path;
}

void TAttachmentInfo::pathVacated(const QString& path)
{
    const QList<QPair<QString, int>> searches = FPassedOver.take(path);
    for (const auto& [name, counter] : searches) {
        auto it = FNextCounter.find(name);
        if (it != FNextCounter.end() && counter < it.value())
            it.value() = counter;
    }
}

QString TAttachmentInfo::GenerateSaveToFileName(const QString& AFileName)
{
    FSaveToFileName = freePath(safeAttachmentFileName(AFileName));
    return FSaveToFileName;
}

void TAttachmentInfo::RecordWrittenFile(const QString& path)
{
    FWrittenFiles.append(path);
}

void TAttachmentInfo::RenameSavedAttachment()
{
    if (FSaveToFileName.isEmpty() || !QFileInfo::exists(FSaveToFileName))
        return;
    QString finalName = FLongFileName;
    if (finalName.isEmpty())
        finalName = FFileName;
    if (finalName.isEmpty() && !FTitle.isEmpty())
        finalName = FTitle + QLatin1String(".dat");
    const QString safeName = finalName.isEmpty() ? QString() : safeAttachmentFileName(finalName);
    // A file that already carries its final name stays (rather than moving to a numbered
    // variant of its own name).
    if (!safeName.isEmpty() && FBaseFolder + safeName != FSaveToFileName) {
        const QString target = freePath(safeName);
        if (QFile::rename(FSaveToFileName, target)) {
            const qsizetype i = FWrittenFiles.lastIndexOf(FSaveToFileName);
            if (i >= 0)
                FWrittenFiles[i] = target;
            pathVacated(FSaveToFileName);
        }
    }
    Clear();
}

// ---------------------------------------------------------------------------------------------
// TTnefAttachmentParser

namespace {

std::unique_ptr<QFile> createSaveToFile(TAttachmentInfo& info, const char* name)
{
    const QString path = info.GenerateSaveToFileName(QString::fromLatin1(name));
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw TnefError(QStringLiteral("Cannot create file \"%1\". %2")
                            .arg(QDir::toNativeSeparators(path), file->errorString()));
    info.RecordWrittenFile(path);
    return file;
}

void finishFile(QFile& file)
{
    if (!file.flush())
        throw TnefError(QStringLiteral("Cannot write the file: %1").arg(file.errorString()));
    file.close();
}

const char* bodyFileName(TTnefPropertyId id)
{
    switch (id) {
    case piBody:
        return "Body.txt";
    case piBodyHtml:
        return "Body.html";
    case piRtfCompressed:
        return "RtfCompressed.dat";
    default:
        return nullptr;
    }
}

} // namespace

void TTnefAttachmentParser::Parse(QIODevice& ASource, const QString& ADestinationFolder, QStringList* AWrittenFiles)
{
    TAttachmentInfo info(ADestinationFolder);
    const auto publish = qScopeGuard([&] {
        if (!AWrittenFiles)
            return;
        AWrittenFiles->clear();
        for (const QString& path : info.WrittenFiles())
            AWrittenFiles->append(QFileInfo(path).fileName());
    });
    TTnefReader reader(ASource);
    while (reader.NextAttribute()) {
        if (reader.AttributeLevel() == alMessage) {
            // The reader itself takes the version and the code page.
            if (reader.AttributeTag() != agMapiProperties)
                continue;
            TMapiPropertiesAttribute attribute(reader);
            attribute.Load();
            while (attribute.PropertyReader().NextProperty())
                messageProperty(attribute.PropertyReader(), info);
        } else {
            attachmentAttribute(reader, info);
        }
    }
    info.RenameSavedAttachment(); // the last attachment
}

void TTnefAttachmentParser::messageProperty(TTnefPropertyReader& properties, TAttachmentInfo& info)
{
    const TTnefPropertyTag& tag = *properties.PropertyTag();
    const char* fileName = bodyFileName(tag.Id());
    if (!fileName)
        return;
    const TTnefPropertyType type = tag.PropertyType();
    if (!tag.HasKnownType() || (type != ptString8 && type != ptUnicode && type != ptBinary))
        raiseTnefError(TnefErrorText::InvalidBodyFormat);
    const std::unique_ptr<QFile> file = createSaveToFile(info, fileName);
    if (tag.Id() == piRtfCompressed) {
        TMapiRtfCompressedProperty body(properties, *file);
        body.Load();
    } else {
        TAttachStreamProperty body(properties, *file);
        body.Load();
    }
    finishFile(*file);
}

void TTnefAttachmentParser::attachmentAttribute(TTnefReader& reader, TAttachmentInfo& info)
{
    switch (reader.AttributeTag()) {
    case agAttachRenderData:
        // Opens each attachment: the previous one is complete.
        info.RenameSavedAttachment();
        break;
    case agAttachTitle: {
        TAttachTitleAttribute title(reader);
        title.Load();
        info.SetTitle(title.Title());
        break;
    }
    case agAttachData: {
        const std::unique_ptr<QFile> file = createSaveToFile(info, UntitledFileName);
        TAttachDataAttribute data(reader, *file);
        data.Load();
        finishFile(*file);
        break;
    }
    case agAttachment: {
        TAttachmentAttribute attribute(reader);
        attribute.Load();
        while (attribute.PropertyReader().NextProperty())
            attachmentProperty(attribute.PropertyReader(), info);
        break;
    }
    default:
        break;
    }
}

void TTnefAttachmentParser::attachmentProperty(TTnefPropertyReader& properties, TAttachmentInfo& info)
{
    const TTnefPropertyTag& tag = *properties.PropertyTag();
    switch (tag.Id()) {
    case piAttachFilename: {
        TAttachStringProperty name(properties);
        name.Load();
        info.SetFileName(name.Value());
        break;
    }
    case piAttachLongFilename: {
        TAttachStringProperty name(properties);
        name.Load();
        info.SetLongFileName(name.Value());
        break;
    }
    case piAttachData: {
        const std::unique_ptr<QFile> file = createSaveToFile(info, UntitledFileName);
        if (tag.HasKnownType() && tag.PropertyType() == ptObject) {
            // An embedded object: its interface GUID comes first and is not part of the file.
            TAttachDataProperty data(properties, *file);
            data.Load();
        } else {
            // Plain bytes (ptBinary) carry no GUID: every byte belongs to the attachment.
            TAttachStreamProperty data(properties, *file);
            data.Load();
        }
        finishFile(*file);
        break;
    }
    default:
        break;
    }
}

} // namespace lark::tnef
