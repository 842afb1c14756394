#pragma once
// TTnefPropertyName: the name of a named property (identifier 0x8000-0xFFFE): a property-set
// GUID with either a numeric name (ikId) or a string name (ikName).
#include "TnefPropertyConsts.h"

#include <QString>
#include <QUuid>

namespace lark::tnef {

class TTnefPropertyName {
public:
    TTnefPropertyName(TTnefNameIdKind AKind, QString AName, QUuid AGuid, quint32 AId)
        : FKind(AKind), FName(std::move(AName)), FGuid(AGuid), FId(AId) {}

    TTnefNameIdKind Kind() const { return FKind; }
    QString Name() const { return FName; } // empty for ikId
    QUuid Guid() const { return FGuid; }
    quint32 Id() const { return FId; }     // 0 for ikName

private:
    TTnefNameIdKind FKind;
    QString FName;
    QUuid FGuid;
    quint32 FId;
};

// A GUID in the usual Windows byte layout (first three fields little-endian); 16 bytes.
QUuid guidFromWindowsBytes(const QByteArray& bytes);

} // namespace lark::tnef
