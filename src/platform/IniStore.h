#pragma once
// A small INI store with the semantics of the Windows profile functions: section and key names
// compared without regard to case, values updated in place, unknown lines kept as they were.
// Read as UTF-8 (a byte-order mark is accepted), written atomically as UTF-8.
#include "Result.h"

#include <QString>
#include <QStringList>

namespace lark::platform {

class IniStore {
public:
    IniStore() = default;
    explicit IniStore(QString path);

    // Reads the file; a missing file gives an empty store.
    Status load();
    // Writes the whole file atomically (temporary file in the same folder, then rename).
    Status save() const;

    const QString& path() const { return m_path; }
    void setPath(const QString& path) { m_path = path; }
    void setText(const QString& text);
    QString text() const;

    bool hasKey(const QString& section, const QString& key) const;
    QString readString(const QString& section, const QString& key, const QString& def = {}) const;
    int readInteger(const QString& section, const QString& key, int def) const;
    bool readBool(const QString& section, const QString& key, bool def) const;

    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);

private:
    int findSection(const QString& section) const;       // line index of the [section] line, -1
    int findKey(int sectionLine, const QString& key) const; // line index of key=, -1
    int sectionEnd(int sectionLine) const;                 // first line after the section's body

    QString m_path;
    QStringList m_lines;
};

} // namespace lark::platform
