#pragma once
// A temporary archive per test: a fresh Firebird database file (copied from one made with the
// schema once per test program), a main-window context on a temporary settings folder with a
// scripted dialog interface, and the data module connected to the archive.
#include "platform/ScriptedDialogs.h"
#include "shell/AppContext.h"
#include "shell/ShownMessage.h"
#include "store/DmLdb.h"
#include "store/MessageRecord.h"
#include "support/TestSupport.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTemporaryDir>
#include <QVariantList>

#include <gtest/gtest.h>

#include <memory>

namespace lark::test {

// A new archive file at path (copied from the per-process template).
void makeArchive(const QString& path);

// A message as the display would show it, its mail file written into folder.
struct MailSpec {
    QString id = QStringLiteral("<m1@example.test>");
    QString date = QStringLiteral("2025/01/31 14:05:09");
    QString account;
    QString senderName = QStringLiteral("Sender");
    QString senderAddress = QStringLiteral("sender@example.test");
    QString recieveName = QStringLiteral("Receiver");
    QString recieveAddress = QStringLiteral("rcpt@example.test");
    QString subject = QStringLiteral("Subject");
    int mdatType = 1;
    QString body = QStringLiteral("body text");
    QString fileName = QStringLiteral("m1.eml");
    QByteArray bytes = "From: a@b\r\nSubject: Subject\r\n\r\nbody text\r\n";
};

class ArchiveTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the mail file of mail into the temporary folder and returns what the display
    // would hand to the store operation.
    shell::ShownMessage shown(const MailSpec& mail);
    // Stores mail through the store operation (one transaction); fails the test on error.
    void store(const MailSpec& mail);

    int rowCount(const QString& table);
    // One column of the row of table with that key ("" when absent).
    QVariant column(const QString& table, const QString& column, const QString& id, const QString& date);

    QTemporaryDir tmp;
    QString dbPath;
    platform::ScriptedDialogs dialogs;
    std::unique_ptr<shell::AppContext> ctx;
    std::unique_ptr<store::TDm_Ldb> dm;
};

} // namespace lark::test
