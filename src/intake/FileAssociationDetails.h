#pragma once
// TFileAssociationDetails: the type name and icon of each file extension, for the attachment
// lists. Image n belongs to extension n; the n-th list entry uses image index n.
#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QString>
#include <QStringList>

namespace lark::intake {

class TFileAssociationDetails {
public:
    // dpi: the screen's dots per inch (CDpi); it picks the icon size.
    explicit TFileAssociationDetails(int dpi = 96);

    // 24 px up to 120 dpi, 32 px up to 191, 48 px from 192.
    static int iconSizeForDpi(int dpi);
    int iconSize() const { return m_iconSize; }

    // The extension (with its dot) upper-cased, appended unless blank.
    void AddExtension(const QString& extension);
    // AddExtension of the file name's extension.
    void AddFile(const QString& fileName);
    // Empties the extensions only.
    void Clear() { FExtensions.clear(); }
    // Rebuilds descriptions and images for the extensions, in list order.
    void GetFileIconsAndDescriptions();

    const QStringList& extensions() const { return FExtensions; }
    const QStringList& descriptions() const { return FDescriptions; }
    const QList<QPixmap>& images() const { return FImages; }
    QPixmap image(int index) const { return index >= 0 && index < FImages.size() ? FImages[index] : QPixmap(); }

    // Type name and icon for one extension (".PDF", ".txt", "" ...), as the list shows them.
    static QString typeName(const QString& extension);
    static QIcon iconFor(const QString& extension);

private:
    int m_iconSize;
    QStringList FExtensions;
    QStringList FDescriptions;
    QList<QPixmap> FImages;
};

// The extension of a file name with its dot (".pdf"), or "" when it has none. A leading dot
// alone (".profile") is not an extension.
QString extensionOf(const QString& fileName);
// Whether the name ends in one of the OpenPGP file extensions (.asc, .gpg, .pgp; any case).
bool hasEncryptedExtension(const QString& fileName);

} // namespace lark::intake
