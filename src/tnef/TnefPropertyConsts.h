#pragma once
// Enumerations of the MAPI property lists inside TNEF attributes and their code tables.
#include <QtGlobal>

#include <array>
#include <optional>

namespace lark::tnef {

enum TTnefPropertyType : quint8 {
    ptUnspecified,
    ptNull,
    ptI2,
    ptLong,
    ptR4,
    ptDouble,
    ptCurrency,
    ptAppTime,
    ptError,
    ptBoolean,
    ptObject,
    ptI8,
    ptString8,
    ptUnicode,
    ptSysTime,
    ptClassId,
    ptBinary,
    ptMultiValued, // the flag itself, never a value type
};
inline constexpr std::array<quint16, 18> TnefPropertyTypeCodes = {
    0x0000, 0x0001, 0x0002, 0x0003, 0x0004, 0x0005, 0x0006, 0x0007, 0x000A,
    0x000B, 0x000D, 0x0014, 0x001E, 0x001F, 0x0040, 0x0048, 0x0102, 0x1000,
};
inline constexpr quint16 TnefMultiValuedFlag = 0x1000;

// The value type of a type word (multi-valued flag removed), looked up among the seventeen value
// types; nothing for a type word this reader does not know.
std::optional<TTnefPropertyType> propertyTypeFromCode(quint16 typeWord);

// Bytes per value of a fixed-size type; nothing for the four length-prefixed types
// (ptObject, ptString8, ptUnicode, ptBinary) and for ptMultiValued.
std::optional<qint32> fixedValueSize(TTnefPropertyType type);
bool isLengthPrefixed(TTnefPropertyType type);

enum TTnefNameIdKind : quint8 {
    ikId,   // name kind 0: a numeric name
    ikName, // name kind 1: a string name
};

enum TTnefPropertyId : quint16 {
#define TNEF_PROPERTY_ID(member, identifier) member,
#include "TnefPropertyIds.def"
#undef TNEF_PROPERTY_ID
};

inline constexpr quint16 TnefPropertyIdCodes[] = {
#define TNEF_PROPERTY_ID(member, identifier) identifier,
#include "TnefPropertyIds.def"
#undef TNEF_PROPERTY_ID
};
inline constexpr int TnefPropertyIdCount = int(std::size(TnefPropertyIdCodes));

// Raw 16-bit identifier -> member, walking the table from the start (first match wins);
// piNull for an identifier that is not in the table.
TTnefPropertyId propertyIdFromCode(quint16 rawId);
// The member's name as written in the table ("piDisplayName").
const char* propertyIdName(TTnefPropertyId id);

} // namespace lark::tnef
