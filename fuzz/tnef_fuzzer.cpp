// libFuzzer target for the TNEF decoder: every input is walked with the attribute and property
// readers (reading each value in every way the readers offer) and then extracted with the same
// parser the program uses, into a scratch folder. A decoder error is an expected outcome; a
// crash, a sanitizer report, a leak or a hang is a finding.
#include "TnefFuzzWalk.h"

#include "tnef/TnefAttachmentParser.h"
#include "tnef/TnefError.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

using namespace lark::tnef;

namespace {

QString scratchFolder()
{
    static QTemporaryDir* root = [] {
        const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        return new QTemporaryDir(base + QStringLiteral("/tnef_fuzzer-XXXXXX"));
    }();
    return root->path() + QStringLiteral("/out");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));

    QBuffer walked;
    walked.setData(bytes);
    walked.open(QIODevice::ReadOnly);
    try {
        fuzz::walkEveryValue(walked);
    } catch (const TnefError&) {
    }

    const QString folder = scratchFolder();
    QDir().mkpath(folder);
    QBuffer parsed;
    parsed.setData(bytes);
    parsed.open(QIODevice::ReadOnly);
    QStringList written;
    try {
        TTnefAttachmentParser parser;
        parser.Parse(parsed, folder, &written);
    } catch (const TnefError&) {
    }
    // Every reported file exists in the folder and nothing else was written there.
    const QStringList present = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    if (present.size() != written.size())
        __builtin_trap();
    for (const QString& name : written) {
        if (!present.contains(name))
            __builtin_trap();
    }
    QDir(folder).removeRecursively();
    return 0;
}
