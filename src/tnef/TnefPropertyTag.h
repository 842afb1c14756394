#pragma once
// TTnefPropertyTag: the type word and identifier of one property of a MAPI property list.
#include "TnefPropertyConsts.h"

namespace lark::tnef {

class TTnefPropertyTag {
public:
    TTnefPropertyTag(quint16 APropertyType, quint16 AId);

    // The value type (type word without the multi-valued flag). A type word outside the type
    // table reads as ptUnspecified here and HasKnownType() is false; its values cannot be sized
    // and reading them fails with "Invalid Property Type".
    TTnefPropertyType PropertyType() const { return FPropertyType; }
    bool HasKnownType() const { return FKnownType; }
    quint16 RawType() const { return FRawType; }
    TTnefPropertyId Id() const { return FId; }
    quint16 RawId() const { return FRawId; }
    // Named properties carry a name after the tag: identifiers 0x8000 to 0xFFFE.
    bool IsNamed() const { return FRawId >= 0x8000 && FRawId <= 0xFFFE; }
    bool IsMultiValued() const { return (FRawType & TnefMultiValuedFlag) != 0; }

private:
    TTnefPropertyType FPropertyType = ptUnspecified;
    bool FKnownType = false;
    quint16 FRawType = 0;
    TTnefPropertyId FId = piNull;
    quint16 FRawId = 0;
};

} // namespace lark::tnef
