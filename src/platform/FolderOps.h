#pragma once
// Folder helpers: copy the files of a folder by mask, delete a folder tree.
#include <QString>

namespace lark::platform {

// Copies every file of source (not its subfolders) that matches mask ("*.*" or "*" for all) to
// the same name in destination. Existing destination files stay unless overwrite is true.
// Failures of single files are ignored. Returns true when at least one file matched.
bool copyFiles(const QString& source, const QString& destination, const QString& mask, bool overwrite);

// Deletes the folder with everything in it; true when it is gone afterwards (also when it
// did not exist). The caller reports a failure to the user.
bool deleteFolderTree(const QString& path);

} // namespace lark::platform
