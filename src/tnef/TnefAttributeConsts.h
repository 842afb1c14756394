#pragma once
// Enumerations of the TNEF attribute stream and their code tables. Each enumeration member is
// stored as its ordinal; a parallel table maps the ordinal to the code the format uses.
#include <QtGlobal>

#include <array>
#include <optional>

namespace lark::tnef {

inline constexpr quint32 TnefSignature = 0x223E9F78;

enum TTnefAttributeLevel : quint8 {
    alMessage,    // level byte 1
    alAttachment, // level byte 2
};
inline constexpr std::array<quint8, 2> TnefAttributeLevelCodes = {1, 2};

enum TTnefAttributeType : quint8 {
    atTriples,
    atString,
    atText,
    atDate,
    atShort,
    atLong,
    atByte,
    atWord,
    atDWord,
    atMax,
};
inline constexpr quint32 TnefAttributeTypeMask = 0x000F0000;
inline constexpr std::array<quint32, 10> TnefAttributeTypeCodes = {
    0x00000000, 0x00010000, 0x00020000, 0x00030000, 0x00040000,
    0x00050000, 0x00060000, 0x00070000, 0x00080000, 0x00090000,
};

enum TTnefAttributeTag : quint8 {
    agNull,
    agOwner,
    agSentFor,
    agDelegate,
    agOriginalMessageClass,
    agDateStart,
    agDateEnd,
    agAidOwner,
    agRequestResponse,
    agFrom,
    agSubject,
    agDateSent,
    agDateReceived,
    agMessageStatus,
    agMessageClass,
    agMessageId,
    agParentId,
    agConversationId,
    agBody,
    agPriority,
    agAttachData,
    agAttachTitle,
    agAttachMetaFile,
    agAttachCreateDate,
    agAttachModifyDate,
    agDateModified,
    agAttachTransportFilename,
    agAttachRenderData,
    agMapiProperties,
    agRecipientTable,
    agAttachment,
    agTnefVersion,
    agOemCodepage,
};
// The full 32-bit attribute id each tag stands for (type in bits 16-19, identifier below).
inline constexpr std::array<quint32, 33> TnefAttributeTagCodes = {
    0x00000000, // agNull
    0x00060000, // agOwner
    0x00060001, // agSentFor
    0x00060002, // agDelegate
    0x00070006, // agOriginalMessageClass
    0x00030006, // agDateStart
    0x00030007, // agDateEnd
    0x00050008, // agAidOwner
    0x00040009, // agRequestResponse
    0x00008000, // agFrom
    0x00018004, // agSubject
    0x00038005, // agDateSent
    0x00038006, // agDateReceived
    0x00068007, // agMessageStatus
    0x00078008, // agMessageClass
    0x00018009, // agMessageId
    0x0001800A, // agParentId
    0x0001800B, // agConversationId
    0x0002800C, // agBody
    0x0004800D, // agPriority
    0x0006800F, // agAttachData
    0x00018010, // agAttachTitle
    0x00068011, // agAttachMetaFile
    0x00038012, // agAttachCreateDate
    0x00038013, // agAttachModifyDate
    0x00038020, // agDateModified
    0x00069001, // agAttachTransportFilename
    0x00069002, // agAttachRenderData
    0x00069003, // agMapiProperties
    0x00069004, // agRecipientTable
    0x00069005, // agAttachment
    0x00089006, // agTnefVersion
    0x00069007, // agOemCodepage
};

// Level byte -> level; nothing for a byte outside the table.
std::optional<TTnefAttributeLevel> attributeLevelFromCode(quint8 code);
// Whole 32-bit attribute id -> tag, first match wins; agNull for an unknown id.
TTnefAttributeTag attributeTagFromCode(quint32 code);
// Type nibble (code masked with TnefAttributeTypeMask) -> type; nothing outside the table.
std::optional<TTnefAttributeType> attributeTypeFromCode(quint32 maskedCode);

} // namespace lark::tnef
