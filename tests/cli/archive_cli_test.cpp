// larkspurctl over a real archive file: every sample mail stored and read back byte for byte,
// refusals with a reason and nothing half-stored, the file type of an upper-case name, export.
#include "store/ArchiveConnection.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lark;

namespace {

struct CtlRun {
    int exitCode = -1;
    QString out;
    QString err;
};

class ArchiveCli : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QTemporaryDir runtime;
    QString db() const { return tmp.filePath("archive.fdb"); }

    void SetUp() override
    {
        QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const CtlRun init = ctl({"init-db", db()});
        ASSERT_EQ(init.exitCode, 0) << init.err.toStdString();
    }

    CtlRun ctl(const QStringList& args, int timeoutMs = 600000)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        env.insert("TZ", "Asia/Tokyo");
        p.setProcessEnvironment(env);
        p.start(test::binDir() + "/larkspurctl", QStringList{"--settings", tmp.path(), "--db", db()} + args);
        EXPECT_TRUE(p.waitForFinished(timeoutMs));
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

    // Message_FileName -> MailDat of every stored file, and the row counts of both tables.
    struct Stored {
        QHash<QString, QByteArray> files;
        int indexRows = 0;
        int dataRows = 0;
    };
    Stored readBack()
    {
        Stored s;
        store::ArchiveConnection c;
        c.setParameters(QString(), db());
        EXPECT_TRUE(c.open().ok());
        QSqlQuery q(c.database());
        EXPECT_TRUE(q.exec("SELECT Message_FileName, MailDat FROM Message_DatTBL"));
        while (q.next()) {
            s.files.insert(q.value(0).toString(), q.value(1).toByteArray());
            ++s.dataRows;
        }
        EXPECT_TRUE(q.exec("SELECT COUNT(*) FROM Message_IdxTbl"));
        EXPECT_TRUE(q.next());
        s.indexRows = q.value(0).toInt();
        return s;
    }
};

} // namespace

TEST_F(ArchiveCli, EverySampleMailIsStoredWholeOrRefusedWithAReason)
{
    const QDir corpus(test::corpusDir() + "/eml");
    QStringList files;
    for (const QString& name : corpus.entryList(QDir::Files, QDir::Name))
        if (!name.endsWith(".tsv") && !name.endsWith(".md") && !name.endsWith(".json")) // expected values, not mail
            files << corpus.filePath(name);
    ASSERT_FALSE(files.isEmpty());

    const CtlRun run = ctl(QStringList{"store"} + files);
    const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), files.size()) << run.err.toStdString();

    QHash<QString, int> keyUses; // id + date -> files with that key
    QStringList stored, failed;
    for (const QString& line : lines) {
        const QStringList f = line.split('\t');
        ASSERT_GE(f.size(), 3) << line.toStdString();
        if (f[0] == "stored") {
            ASSERT_EQ(f.size(), 4);
            stored << f[1];
            ++keyUses[f[2] + '\t' + f[3]];
        } else {
            ASSERT_EQ(f[0], "failed");
            EXPECT_FALSE(f[2].trimmed().isEmpty()) << "no reason for " << f[1].toStdString();
            failed << f[1];
        }
    }
    EXPECT_EQ(run.exitCode, failed.isEmpty() ? 0 : 1);
    EXPECT_GT(stored.size(), files.size() / 2);

    const Stored back = readBack();
    EXPECT_EQ(back.indexRows, back.dataRows); // no index row without its file
    EXPECT_EQ(back.indexRows, keyUses.size());
    for (const QString& f : failed)
        EXPECT_FALSE(back.files.contains(QFileInfo(f).fileName())) << f.toStdString();
    int compared = 0;
    for (const QString& line : lines) {
        const QStringList f = line.split('\t');
        if (f[0] != "stored" || keyUses.value(f[2] + '\t' + f[3]) != 1)
            continue; // a key stored twice keeps the later file
        const QString name = QFileInfo(f[1]).fileName();
        ASSERT_TRUE(back.files.contains(name)) << name.toStdString();
        EXPECT_EQ(back.files.value(name), test::readAll(f[1])) << name.toStdString();
        ++compared;
    }
    EXPECT_GT(compared, 0);
}

TEST_F(ArchiveCli, UpperCaseNameDatelessFileAndExport)
{
    const QByteArray report = "Message-ID: <r@example.jp>\r\nDate: Tue, 10 Dec 2024 09:00:00 +0900\r\n"
                              "From: a@example.jp\r\nTo: b@example.jp\r\nSubject: report\r\n\r\nbody\r\n";
    test::writeAll(tmp.filePath("REPORT.EML"), report);
    test::writeAll(tmp.filePath("nodate.eml"), "Message-ID: <n@example.jp>\r\nSubject: no date\r\n\r\nbody\r\n");

    const CtlRun run = ctl({"store", tmp.filePath("REPORT.EML"), tmp.filePath("nodate.eml")});
    EXPECT_EQ(run.exitCode, 1);
    // Stored lines come once their batch is committed, refusals at once.
    QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    lines.sort();
    ASSERT_EQ(lines.size(), 2) << run.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith("failed\t" + tmp.filePath("nodate.eml") + "\t")) << lines[0].toStdString();
    EXPECT_EQ(lines[1], "stored\t" + tmp.filePath("REPORT.EML") + "\t<r@example.jp>\t2024/12/10 09:00:00")
        << lines[1].toStdString();

    {
        store::ArchiveConnection c;
        c.setParameters(QString(), db());
        ASSERT_TRUE(c.open().ok());
        QSqlQuery q(c.database());
        ASSERT_TRUE(q.exec("SELECT Message_ftype FROM Message_IdxTbl"));
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toString(), "1");
        EXPECT_FALSE(q.next()); // the dateless file left nothing behind
    }

    const CtlRun exported = ctl({"export", "--id", "<r@example.jp>", "--date", "2024/12/10 09:00:00", "--out",
                                 tmp.filePath("out.eml")});
    EXPECT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    EXPECT_EQ(test::readAll(tmp.filePath("out.eml")), report);
}
