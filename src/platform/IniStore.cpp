#include "IniStore.h"

#include "AtomicFile.h"

#include <QFile>

namespace lark::platform {

namespace {

bool isSectionLine(const QString& line, QString* name = nullptr)
{
    const QString t = line.trimmed();
    if (t.size() < 2 || !t.startsWith(u'[') )
        return false;
    const int close = t.indexOf(u']');
    if (close < 0)
        return false;
    if (name)
        *name = t.mid(1, close - 1).trimmed();
    return true;
}

bool splitKey(const QString& line, QString* key, QString* value)
{
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(u';'))
        return false;
    const int eq = line.indexOf(u'=');
    if (eq < 0)
        return false;
    if (key)
        *key = line.left(eq).trimmed();
    if (value)
        *value = line.mid(eq + 1).trimmed();
    return true;
}

} // namespace

IniStore::IniStore(QString path) : m_path(std::move(path)) {}

Status IniStore::load()
{
    m_lines.clear();
    QFile f(m_path);
    if (!f.exists())
        return {};
    if (!f.open(QIODevice::ReadOnly))
        return makeError(f.errorString());
    QByteArray data = f.readAll();
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    setText(QString::fromUtf8(data));
    return {};
}

void IniStore::setText(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    m_lines = t.split(u'\n');
    if (!m_lines.isEmpty() && m_lines.last().isEmpty())
        m_lines.removeLast();
}

QString IniStore::text() const
{
    QString out;
    for (const QString& l : m_lines) {
        out += l;
        out += QLatin1String("\r\n");
    }
    return out;
}

Status IniStore::save() const
{
    return writeFileAtomically(m_path, text().toUtf8());
}

int IniStore::findSection(const QString& section) const
{
    QString name;
    for (int i = 0; i < m_lines.size(); ++i)
        if (isSectionLine(m_lines[i], &name) && name.compare(section, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int IniStore::sectionEnd(int sectionLine) const
{
    int i = sectionLine + 1;
    while (i < m_lines.size() && !isSectionLine(m_lines[i]))
        ++i;
    return i;
}

int IniStore::findKey(int sectionLine, const QString& key) const
{
    if (sectionLine < 0)
        return -1;
    const int end = sectionEnd(sectionLine);
    QString k;
    for (int i = sectionLine + 1; i < end; ++i)
        if (splitKey(m_lines[i], &k, nullptr) && k.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool IniStore::hasKey(const QString& section, const QString& key) const
{
    return findKey(findSection(section), key) >= 0;
}

QString IniStore::readString(const QString& section, const QString& key, const QString& def) const
{
    const int line = findKey(findSection(section), key);
    if (line < 0)
        return def;
    QString value;
    splitKey(m_lines[line], nullptr, &value);
    return value;
}

int IniStore::readInteger(const QString& section, const QString& key, int def) const
{
    const QString s = readString(section, key, QString());
    if (s.isEmpty())
        return def;
    bool ok = false;
    int v = s.toInt(&ok);
    if (!ok && s.startsWith(u'$'))
        v = s.mid(1).toInt(&ok, 16);
    if (!ok && s.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        v = s.mid(2).toInt(&ok, 16);
    return ok ? v : def;
}

bool IniStore::readBool(const QString& section, const QString& key, bool def) const
{
    return readInteger(section, key, def ? 1 : 0) != 0;
}

void IniStore::writeString(const QString& section, const QString& key, const QString& value)
{
    // A value with a line break would split the entry; keep it on one line.
    QString v = value;
    v.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(u'\n', u' ').replace(u'\r', u' ');
    const QString entry = key + u'=' + v;
    int sec = findSection(section);
    if (sec < 0) {
        if (!m_lines.isEmpty() && !m_lines.last().trimmed().isEmpty())
            m_lines.append(QString());
        m_lines.append(u'[' + section + u']');
        m_lines.append(entry);
        return;
    }
    const int line = findKey(sec, key);
    if (line >= 0) {
        // Keep the key's spelling as it stands in the file.
        QString k;
        splitKey(m_lines[line], &k, nullptr);
        m_lines[line] = k + u'=' + v;
        return;
    }
    int end = sectionEnd(sec);
    while (end > sec + 1 && m_lines[end - 1].trimmed().isEmpty())
        --end;
    m_lines.insert(end, entry);
}

void IniStore::writeInteger(const QString& section, const QString& key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniStore::writeBool(const QString& section, const QString& key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace lark::platform
