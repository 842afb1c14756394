// A message carrying winmail.dat: the reader hands it to the TNEF decoder, the unpacked files
// are listed in the second list once each, and opening one opens the file in "2nd".
#include "TnefWriter.h"

#include "intake/IntakeTestEnv.h"
#include "support/TestSupport.h"
#include "intake/AttachmentActions.h"
#include "intake/ReaderSession.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace lark;
using namespace lark::intake;
using namespace lark::tnef::test;

namespace {

QByteArray tnefWith(const char* firstName, const char* secondName)
{
    TnefWriter w;
    w.renderData().attachment(IdAttachData, "first bytes").attachment(
        IdAttachment, propertyList({unicodeProperty(PropAttachLongFilename, firstName)}));
    w.renderData().attachment(IdAttachData, "second bytes").attachment(
        IdAttachment, propertyList({unicodeProperty(PropAttachLongFilename, secondName)}));
    return w.bytes();
}

QByteArray messageWith(const QList<QByteArray>& tnefParts)
{
    QByteArray m = "From: a@example.jp\nTo: b@example.jp\nSubject: tnef\n"
                   "Date: Mon, 9 Dec 2024 10:11:12 +0900\nMessage-ID: <t@example.jp>\n"
                   "MIME-Version: 1.0\nContent-Type: multipart/mixed; boundary=\"XX\"\n\n"
                   "--XX\nContent-Type: text/plain; charset=us-ascii\n\nsee attached\n";
    for (const QByteArray& part : tnefParts) {
        m += "--XX\nContent-Type: application/ms-tnef; name=\"winmail.dat\"\n"
             "Content-Transfer-Encoding: base64\n"
             "Content-Disposition: attachment; filename=\"winmail.dat\"\n\n";
        m += part.toBase64() + "\n";
    }
    m += "--XX--\n";
    return m;
}

struct Shown {
    test::IntakeEnv env;
    MessageDisplay display;
    ReaderSession session{env.ctx, display};
    AttachmentActions actions{env.ctx, display};

    explicit Shown(const QByteArray& message)
    {
        session.reader.attachmentDelayMs = 0;
        session.reader.ReadEmlFile(env.file(QStringLiteral("tnef.eml"), test::crlf(message)));
    }
};

} // namespace

TEST(TnefHandOff, UnpackedFilesAreListedInTheSecondListAndOpenedFromTheSecondFolder)
{
    Shown s(messageWith({tnefWith("report.pdf", "notes.txt")}));

    EXPECT_EQ(s.display.captions(1), QStringList{QStringLiteral("winmail.dat")});
    QStringList listed = s.display.captions(2);
    EXPECT_TRUE(listed.contains(QStringLiteral("report.pdf"))) << listed.join(',').toStdString();
    EXPECT_TRUE(listed.contains(QStringLiteral("notes.txt")));
    EXPECT_EQ(listed.removeDuplicates(), 0);
    EXPECT_TRUE(s.display.tabVisible(MsgPage::Attachments2));
    const QString second = s.env.ctx.secondLevelFolder();
    EXPECT_EQ(test::readAll(QDir(second).filePath("notes.txt")), QByteArray("second bytes"));

    // The opener receives the unpacked file itself.
    const QString record = QDir(s.env.dir.path()).filePath("opened.txt");
    const QString opener = s.env.file(QStringLiteral("opener.sh"), "#!/bin/sh\nprintf '%s' \"$1\" > '" + record.toUtf8() + "'\n");
    QFile::setPermissions(opener, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("LARKSPUR_OPENER", opener.toUtf8());
    s.actions.ListView2SelectItem(int(listed.indexOf(QStringLiteral("notes.txt"))));
    s.actions.OpenWithA2();
    qunsetenv("LARKSPUR_OPENER");
    EXPECT_EQ(QString::fromUtf8(test::readAll(record)), QDir(second).filePath("notes.txt"));
}

TEST(TnefHandOff, SeveralStreamsListEachUnpackedFileOnce)
{
    Shown s(messageWith({tnefWith("a.txt", "b.txt"), tnefWith("a.txt", "c.txt")}));

    QStringList listed = s.display.captions(2);
    const qsizetype count = listed.size();
    EXPECT_EQ(listed.removeDuplicates(), 0) << s.display.captions(2).join(',').toStdString();
    EXPECT_EQ(count, 4); // a.txt, b.txt, then the second stream's a1.txt and c.txt
    EXPECT_TRUE(listed.contains(QStringLiteral("a1.txt")));
    EXPECT_EQ(QDir(s.env.ctx.secondLevelFolder()).entryList(QDir::Files).size(), 4);
}
