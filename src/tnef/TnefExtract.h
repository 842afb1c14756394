#pragma once
// extractTnef: the one call the GUI action and larkspurctl share to unpack a TNEF file.
//
//   const auto written = lark::tnef::extractTnef(workingFolder + "/winmail.dat", secondFolder);
//   if (!written) report(written.errorText());   // the decoder's English text, unchanged
//   else for (const QString& name : *written) addToList(secondFolder + "/" + name);
//
// It opens tnefFile for reading, creates destFolder (with parents) when missing, runs
// TTnefAttachmentParser::Parse into it and returns the names (without folder) of exactly the
// files this run wrote, in write order, under their final names. Files already in the folder
// are never listed or overwritten: a name that is taken gets a number ("report1.pdf"). So a
// caller that extracts several TNEF files into one folder can append each result to its list
// and shows every file once.
//
// On error the result carries the text: the decoder's fixed texts ("Invalid TNEF format", ...),
// or "Cannot open file ..." / "Cannot create folder ..." for the files around it. Files written
// before a decoder error stay in the folder.
#include "platform/Result.h"

#include <QString>
#include <QStringList>

namespace lark::tnef {

Result<QStringList> extractTnef(const QString& tnefFile, const QString& destFolder);

} // namespace lark::tnef
