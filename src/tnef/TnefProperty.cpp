#include "TnefProperty.h"

#include "TnefError.h"
#include "TnefPropertyReader.h"

namespace lark::tnef {

void TAttachStringProperty::Load()
{
    FValue.clear();
    if (FPropertyReader.NextValue())
        FValue = FPropertyReader.ReadStringValue();
}

void TAttachStreamProperty::Load()
{
    if (FPropertyReader.NextValue())
        FPropertyReader.ReadBytes(FContent, FPropertyReader.ValueLength());
}

void TAttachDataProperty::Load()
{
    if (!FPropertyReader.NextValue())
        return;
    const qint32 length = FPropertyReader.ValueLength();
    if (length < 16)
        raiseTnefError(TnefErrorText::InvalidPropertyValue);
    FGuid = guidFromWindowsBytes(FPropertyReader.ReadBytes(16));
    FPropertyReader.ReadBytes(FContent, length - 16);
}

} // namespace lark::tnef
