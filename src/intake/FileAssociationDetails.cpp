#include "FileAssociationDetails.h"

#include <QDir>
#include <QFont>
#include <QMimeDatabase>
#include <QPainter>
#include <QPainterPath>

namespace lark::intake {

namespace {

// Theme icons need a theme: the desktop's platform theme names one; without it (offscreen,
// bare X servers) Adwaita, which setup installs, is used.
void ensureIconTheme()
{
    static const bool done = [] {
        if (QIcon::fallbackThemeName().isEmpty() || QIcon::fallbackThemeName() == QLatin1String("hicolor"))
            QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
        return true;
    }();
    (void)done;
}

// The program's own icon when the theme has none: a page with the extension written on it.
QIcon drawnIcon(const QString& extension)
{
    QIcon icon;
    for (int size : {24, 32, 48}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal m = size / 8.0;
        QPainterPath page;
        page.moveTo(m, 0.5);
        page.lineTo(size - 2.5 * m, 0.5);
        page.lineTo(size - m, 2.5 * m);
        page.lineTo(size - m, size - 0.5);
        page.lineTo(m, size - 0.5);
        page.closeSubpath();
        p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
        p.setBrush(QColor(0xfa, 0xfa, 0xfa));
        p.drawPath(page);
        const QString label = extension.mid(1, 4).toUpper();
        if (!label.isEmpty()) {
            QFont f;
            f.setPixelSize(qMax(6, size / 4));
            f.setBold(true);
            p.setFont(f);
            p.setPen(QColor(0x30, 0x50, 0x90));
            p.drawText(QRectF(0, size / 2.0 - size / 6.0, size, size / 3.0), Qt::AlignCenter, label);
        }
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

// "dat" and ".dat" name the same type.
QString withDot(const QString& extension)
{
    return (extension.isEmpty() || extension.startsWith(QLatin1Char('.'))) ? extension
                                                                            : QLatin1Char('.') + extension;
}

QMimeType mimeTypeFor(const QString& extension)
{
    static QMimeDatabase db;
    return db.mimeTypeForFile(QStringLiteral("*") + extension.toLower(), QMimeDatabase::MatchExtension);
}

} // namespace

QString extensionOf(const QString& fileName)
{
    const QString name = fileName.section(QLatin1Char('/'), -1).section(QLatin1Char('\\'), -1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0)
        return {};
    return name.mid(dot);
}

TFileAssociationDetails::TFileAssociationDetails(int dpi) : m_iconSize(iconSizeForDpi(dpi))
{
    ensureIconTheme();
}

int TFileAssociationDetails::iconSizeForDpi(int dpi)
{
    if (dpi <= 120)
        return 24;
    if (dpi <= 191)
        return 32;
    return 48;
}

void TFileAssociationDetails::AddExtension(const QString& extension)
{
    const QString e = extension.toUpper();
    if (!e.trimmed().isEmpty())
        FExtensions.append(e);
}

void TFileAssociationDetails::AddFile(const QString& fileName)
{
    AddExtension(extensionOf(fileName));
}

QString TFileAssociationDetails::typeName(const QString& ext)
{
    const QString extension = withDot(ext);
    const QMimeType t = mimeTypeFor(extension);
    QString comment = t.isValid() ? t.comment() : QString();
    if (comment.isEmpty() || t.isDefault())
        comment = extension.isEmpty() ? QStringLiteral("ファイル")
                                      : QStringLiteral("%1 ファイル").arg(extension.mid(1).toUpper());
    return comment;
}

QIcon TFileAssociationDetails::iconFor(const QString& ext)
{
    const QString extension = withDot(ext);
    ensureIconTheme();
    const QMimeType t = mimeTypeFor(extension);
    if (t.isValid() && !t.isDefault()) {
        QIcon icon = QIcon::fromTheme(t.iconName());
        if (icon.isNull())
            icon = QIcon::fromTheme(t.genericIconName());
        if (!icon.isNull())
            return icon;
    }
    QIcon generic = QIcon::fromTheme(QStringLiteral("application-octet-stream"));
    if (!generic.isNull() && extension.isEmpty())
        return generic;
    return drawnIcon(extension);
}

void TFileAssociationDetails::GetFileIconsAndDescriptions()
{
    FImages.clear();
    FDescriptions.clear();
    for (const QString& ext : FExtensions) {
        FDescriptions.append(typeName(ext));
        QPixmap pm = iconFor(ext).pixmap(m_iconSize, m_iconSize);
        if (pm.width() != m_iconSize || pm.height() != m_iconSize)
            pm = pm.scaled(m_iconSize, m_iconSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        FImages.append(pm);
    }
}

bool hasEncryptedExtension(const QString& fileName)
{
    const QString ext = extensionOf(fileName).toLower();
    return ext == QLatin1String(".asc") || ext == QLatin1String(".gpg") || ext == QLatin1String(".pgp");
}

} // namespace lark::intake
