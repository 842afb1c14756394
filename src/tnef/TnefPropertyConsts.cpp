#include "TnefPropertyConsts.h"

namespace lark::tnef {

namespace {

constexpr const char* PropertyIdNames[] = {
#define TNEF_PROPERTY_ID(member, identifier) #member,
#include "TnefPropertyIds.def"
#undef TNEF_PROPERTY_ID
};
static_assert(std::size(PropertyIdNames) == std::size(TnefPropertyIdCodes));

} // namespace

std::optional<TTnefPropertyType> propertyTypeFromCode(quint16 typeWord)
{
    const quint16 valueType = typeWord & quint16(~TnefMultiValuedFlag);
    for (size_t i = 0; i < TnefPropertyTypeCodes.size(); ++i) {
        if (i == ptMultiValued)
            continue;
        if (TnefPropertyTypeCodes[i] == valueType)
            return static_cast<TTnefPropertyType>(i);
    }
    return std::nullopt;
}

std::optional<qint32> fixedValueSize(TTnefPropertyType type)
{
    switch (type) {
    case ptUnspecified:
    case ptNull:
        return 0;
    case ptI2: // a 2-byte value padded to 4
    case ptLong:
    case ptR4:
    case ptError:
    case ptBoolean:
        return 4;
    case ptDouble:
    case ptCurrency:
    case ptAppTime:
    case ptI8:
    case ptSysTime:
        return 8;
    case ptClassId:
        return 16;
    case ptObject:
    case ptString8:
    case ptUnicode:
    case ptBinary:
    case ptMultiValued:
        break;
    }
    return std::nullopt;
}

bool isLengthPrefixed(TTnefPropertyType type)
{
    return type == ptObject || type == ptString8 || type == ptUnicode || type == ptBinary;
}

TTnefPropertyId propertyIdFromCode(quint16 rawId)
{
    for (int i = 0; i < TnefPropertyIdCount; ++i) {
        if (TnefPropertyIdCodes[i] == rawId)
            return static_cast<TTnefPropertyId>(i);
    }
    return piNull;
}

const char* propertyIdName(TTnefPropertyId id)
{
    const int i = int(id);
    return i >= 0 && i < TnefPropertyIdCount ? PropertyIdNames[i] : "";
}

} // namespace lark::tnef
