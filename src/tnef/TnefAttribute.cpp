#include "TnefAttribute.h"

#include "TnefPropertyReader.h"
#include "TnefReader.h"

namespace lark::tnef {

void TTnefVersionAttribute::Load()
{
    FTnefVersion = FReader.ReadInt32();
    FReader.ValidateChecksum();
}

void TTnefOemCodePageAttribute::Load()
{
    FOemCodePage = FReader.ReadInt32();
    FReader.ReadInt32(); // secondary code page, not used
    FReader.ValidateChecksum();
}

void TAttachTitleAttribute::Load()
{
    FTitle = FReader.ReadString();
    FReader.ValidateChecksum();
}

void TAttachDataAttribute::Load()
{
    FReader.ReadBytes(FContent, FReader.AttributeLength());
}

TPropertyListAttribute::TPropertyListAttribute(TTnefReader& AReader)
    : TTnefAttribute(AReader), FPropertyReader(std::make_unique<TTnefPropertyReader>(AReader))
{
}

TPropertyListAttribute::~TPropertyListAttribute() = default;

} // namespace lark::tnef
