#include "TnefPropertyTag.h"

namespace lark::tnef {

TTnefPropertyTag::TTnefPropertyTag(quint16 APropertyType, quint16 AId)
    : FRawType(APropertyType), FId(propertyIdFromCode(AId)), FRawId(AId)
{
    const std::optional<TTnefPropertyType> type = propertyTypeFromCode(APropertyType);
    FKnownType = type.has_value();
    FPropertyType = type.value_or(ptUnspecified);
}

} // namespace lark::tnef
