#pragma once
// File names for what the extraction writes: making a name from the stream safe to use, and the
// numbered variants tried when a name is taken ("Body.txt", "Body1.txt", "Body2.txt", ...).
#include <QString>

namespace lark::tnef {

// The name written when a stream's name leaves nothing usable.
inline constexpr const char UntitledFileName[] = "Untitled.dat";

// A name from the stream made safe to join to the destination folder: folder parts are cut off
// (both "/" and "\" separate them), control and bidirectional-override characters are removed,
// and an empty result, "." or ".." becomes "Untitled.dat". The result never leaves the folder.
QString safeAttachmentFileName(const QString& name);

// The name tried for the counter: the name itself for 0, otherwise the name without its
// extension, the counter and the extension ("report.pdf", 1 -> "report1.pdf").
QString numberedFileName(const QString& name, int counter);

} // namespace lark::tnef
