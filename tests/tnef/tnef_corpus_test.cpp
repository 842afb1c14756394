// Real-world TNEF samples (../shared/corpus/tnef, skipped when missing) and the inputs the fuzzer
// once crashed on: every one decodes or fails with a decoder error, never crashes or hangs. Where
// the Debian `tnef` program extracts attachments, ours carry the same names and bytes.
#include "TnefTestSupport.h"

#include "fuzz/TnefFuzzWalk.h"

#include "tnef/TnefReader.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

using namespace lark::tnef;
using namespace lark::tnef::test;
using lark::test::readAll;

namespace {

QString tnefCorpus() { return lark::test::corpusDir() + QStringLiteral("/tnef"); }

// The sample files of a folder: everything but the expectation files.
QStringList samplesIn(const QString& folder)
{
    QStringList samples;
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)) {
        if (info.fileName() == QLatin1String("EXPECTED.tsv") || info.fileName().endsWith(QLatin1String(".expected"))
            || info.fileName() == QLatin1String("README.md"))
            continue;
        samples << info.filePath();
    }
    return samples;
}

const QStringList& decoderTexts()
{
    static const QStringList texts = {
        "Invalid TNEF format", "Invalid Stream", "Invalid stream", "The attribute was read incorrectly",
        "Invalid attribute level", "Invalid attribute type", "Invalid checksum", "Invalid Property Count",
        "Invalid NameId", "Invalid Property Type", "Invalid property value", "The property was read incorrectly",
        "Invalid tnef format for the message body",
    };
    return texts;
}

// Ours may carry up to three zero bytes of value padding beyond the attachment's bytes.
bool sameModuloPadding(const QByteArray& ours, const QByteArray& expected)
{
    if (!ours.startsWith(expected) || ours.size() - expected.size() > 3)
        return false;
    for (qsizetype i = expected.size(); i < ours.size(); ++i) {
        if (ours.at(i) != '\0')
            return false;
    }
    return true;
}

// Runs every file through the fuzzer's exhaustive walk and through the parser; each must
// succeed or fail with a decoder text, and the names the parser reports must be exactly the
// files it left.
void expectDecodesOrFailsCleanly(const QStringList& samples)
{
    for (const QString& sample : samples) {
        SCOPED_TRACE(sample.toStdString());
        QByteArray bytes = readAll(sample);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        const QString walkError = errorText([&] { fuzz::walkEveryValue(buffer); });
        if (!walkError.isEmpty()) {
            EXPECT_TRUE(decoderTexts().contains(walkError)) << walkError.toStdString();
        }
        QTemporaryDir dir;
        const ParseOutcome r = parseBytes(bytes, dir.path());
        if (!r.error.isEmpty()) {
            EXPECT_TRUE(decoderTexts().contains(r.error)) << r.error.toStdString();
        }
        QStringList written = r.written;
        written.sort();
        EXPECT_EQ(folderEntries(dir.path()), written);
    }
}

} // namespace

TEST(TnefCorpus, EverySampleDecodesOrFailsWithADecoderError)
{
    const QStringList samples = samplesIn(tnefCorpus());
    if (samples.isEmpty())
        GTEST_SKIP() << "no TNEF corpus at " << tnefCorpus().toStdString();
    expectDecodesOrFailsCleanly(samples);
}

TEST(TnefFuzzRegressions, NeitherCrashNorHang)
{
    const QStringList inputs = samplesIn(lark::test::sourceDir() + QStringLiteral("/tests/tnef/fuzz_regressions"));
    ASSERT_FALSE(inputs.isEmpty());
    expectDecodesOrFailsCleanly(inputs);
}

TEST(TnefCorpus, SamplesWithKnownOutcomes)
{
    if (samplesIn(tnefCorpus()).isEmpty())
        GTEST_SKIP() << "no TNEF corpus";
    const struct {
        const char* sample;
        const char* error;
        QStringList written;
    } cases[] = {
        {"teamwork_badchecksum.tnef", "Invalid TNEF format", {}},     // broken signature byte
        {"poi_oom.tnef", "Invalid Stream", {}},                        // huge declared length
        {"ytnef_ytnef-oob-TNEFVersion-SwapWord", "Invalid attribute level", {}},
        {"tnefparse_IPM-DistList.tnef", "Invalid checksum", {"RtfCompressed.dat"}},
        {"poi_bug52400-winmail-with-attachments.dat", "", {"Body.html", "scion_tc_2007_maintenanceguide.pdf", "Duke_Wave.png"}},
        {"tnef_garbage-at-end.tnef", "", {}},
        {"tnef_MAPI_OBJECT.tnef", "", {"RtfCompressed.dat", "Untitled_Attachment.dat"}}, // named by its title
        {"tnef_data-before-name.tnef", "", {"RtfCompressed.dat", "AUTOEXEC.BAT", "CONFIG.SYS", "boot.ini"}},
        {"tnefparse_umlaut.tnef", "", {"RtfCompressed.dat", "TBZ PARIV GmbH.jpg", "image003.jpg", QString::fromUtf8("UmlautAnhang-äüö.txt")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sample);
        QTemporaryDir dir;
        const ParseOutcome r = parseBytes(readAll(tnefCorpus() + QLatin1Char('/') + QLatin1String(c.sample)), dir.path());
        EXPECT_EQ(r.error, QString::fromLatin1(c.error));
        EXPECT_EQ(r.written, c.written);
    }
}

TEST(TnefCorpus, KeysMatchTheExpectations)
{
    const QByteArray table = readAll(tnefCorpus() + QStringLiteral("/EXPECTED.tsv"));
    if (table.isEmpty())
        GTEST_SKIP() << "no EXPECTED.tsv";
    int checked = 0;
    for (const QByteArray& line : table.split('\n')) {
        const QList<QByteArray> cols = line.split('\t');
        if (line.startsWith('#') || cols.size() < 2 || !cols.at(1).startsWith("0x"))
            continue;
        SCOPED_TRACE(cols.at(0).toStdString());
        QFile file(tnefCorpus() + QLatin1Char('/') + QString::fromUtf8(cols.at(0)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const TTnefReader reader(file);
        EXPECT_EQ(reader.AttachmentKey(), cols.at(1).mid(2).toUShort(nullptr, 16));
        ++checked;
    }
    EXPECT_GT(checked, 10);
}

TEST(TnefCorpus, AttachmentsMatchTheBaselines)
{
    const QStringList folders = QDir(tnefCorpus()).entryList({"*.expected.d"}, QDir::Dirs, QDir::Name);
    if (folders.isEmpty())
        GTEST_SKIP() << "no baselines";
    int compared = 0;
    for (const QString& folder : folders) {
        const QString sample = folder.chopped(int(qstrlen(".expected.d")));
        SCOPED_TRACE(sample.toStdString());
        QTemporaryDir dir;
        const ParseOutcome r = parseBytes(readAll(tnefCorpus() + QLatin1Char('/') + sample), dir.path());
        EXPECT_EQ(r.error, QString());
        const QDir baselines(tnefCorpus() + QLatin1Char('/') + folder);
        for (const QString& name : baselines.entryList(QDir::Files, QDir::Name)) {
            // Bodies there are decompressed RTF or decoded HTML; ours keep the stored bytes.
            if (name.contains(QLatin1String("-body.")) || name == QLatin1String("message.rtf"))
                continue;
            SCOPED_TRACE(name.toStdString());
            ASSERT_TRUE(r.written.contains(name));
            EXPECT_TRUE(sameModuloPadding(readAll(dir.path() + QLatin1Char('/') + name), readAll(baselines.filePath(name))));
            ++compared;
        }
    }
    EXPECT_GT(compared, 10);
}

namespace {

// Files as the peer wrote them: raw name bytes -> content. The names are the stream's 8-bit
// bytes, not always valid UTF-8, so they are read and removed by their raw bytes.
std::map<std::string, QByteArray> takePeerFiles(const QString& folder)
{
    std::map<std::string, QByteArray> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder.toStdString())) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        files[entry.path().filename().native()] = QByteArray::fromStdString(content);
    }
    for (const auto& [name, content] : files)
        std::filesystem::remove(std::filesystem::path(folder.toStdString()) / name);
    return files;
}

// Our name as the peer would spell it: it writes the stream's 8-bit bytes as they come
// (windows-1252 in the corpus), ours are UTF-8.
bool sameName(const QString& ours, const std::string& peer)
{
    const QByteArray raw = QByteArray::fromStdString(peer);
    if (ours.toUtf8() == raw)
        return true;
    QStringEncoder cp1252("windows-1252");
    return QByteArray(cp1252.encode(ours)) == raw;
}

} // namespace

TEST(TnefCorpus, AttachmentsMatchTheTnefProgram)
{
    const QString tnefProgram = QStandardPaths::findExecutable(QStringLiteral("tnef"));
    if (tnefProgram.isEmpty())
        GTEST_SKIP() << "the tnef program is not installed";
    const QStringList samples = samplesIn(tnefCorpus());
    if (samples.isEmpty())
        GTEST_SKIP() << "no TNEF corpus";
    // Where the two differ by design:
    //  - an attachment named only by its title is saved as title + ".dat" by ours;
    //  - an embedded object (ptObject) is saved by ours without its leading 16-byte GUID;
    //  - attribute ids whose type bits differ from the format's are unknown attributes to ours
    //    (the whole 32-bit id is compared); the peer matches the low 16 bits.
    const QStringList wholeIdSamples = {"tnefparse_minimal_attachment.tnef"};
    int compared = 0;
    for (const QString& sample : samples) {
        const QString name = QFileInfo(sample).fileName();
        if (wholeIdSamples.contains(name))
            continue;
        SCOPED_TRACE(name.toStdString());
        QTemporaryDir peerDir;
        QProcess peer;
        peer.start(tnefProgram, {"-f", sample, "-C", peerDir.path()});
        ASSERT_TRUE(peer.waitForFinished(60000));
        const auto theirs = takePeerFiles(peerDir.path());
        if (theirs.empty())
            continue;
        QTemporaryDir ourDir;
        const ParseOutcome ours = parseBytes(readAll(sample), ourDir.path());
        for (const auto& [peerName, peerBytes] : theirs) {
            SCOPED_TRACE(peerName);
            QString match;
            for (const QString& candidate : ours.written) {
                if (sameName(candidate, peerName) || (candidate.endsWith(QLatin1String(".dat")) && sameName(candidate.chopped(4), peerName)))
                    match = candidate;
            }
            ASSERT_FALSE(match.isEmpty()) << "ours: " << ours.written.join(", ").toStdString();
            const QByteArray ourBytes = readAll(ourDir.path() + QLatin1Char('/') + match);
            EXPECT_TRUE(sameModuloPadding(ourBytes, peerBytes) || sameModuloPadding(ourBytes, peerBytes.mid(16)))
                << "ours " << ourBytes.size() << " bytes, theirs " << peerBytes.size();
            ++compared;
        }
    }
    EXPECT_GT(compared, 20);
}
