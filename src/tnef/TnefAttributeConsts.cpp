#include "TnefAttributeConsts.h"

namespace lark::tnef {

std::optional<TTnefAttributeLevel> attributeLevelFromCode(quint8 code)
{
    for (size_t i = 0; i < TnefAttributeLevelCodes.size(); ++i) {
        if (TnefAttributeLevelCodes[i] == code)
            return static_cast<TTnefAttributeLevel>(i);
    }
    return std::nullopt;
}

TTnefAttributeTag attributeTagFromCode(quint32 code)
{
    for (size_t i = 0; i < TnefAttributeTagCodes.size(); ++i) {
        if (TnefAttributeTagCodes[i] == code)
            return static_cast<TTnefAttributeTag>(i);
    }
    return agNull;
}

std::optional<TTnefAttributeType> attributeTypeFromCode(quint32 maskedCode)
{
    for (size_t i = 0; i < TnefAttributeTypeCodes.size(); ++i) {
        if (TnefAttributeTypeCodes[i] == maskedCode)
            return static_cast<TTnefAttributeType>(i);
    }
    return std::nullopt;
}

} // namespace lark::tnef
