#pragma once

// The reader of "CountTheMaterialsLevel" resources: "Material" elements at any
// depth are the piles in document order, the last "Request" element is the
// request; names are matched exactly, case included; numbers of items are 1
// or more. A level naming a material outside the table, asking for nothing,
// laying out a pile of more items than its material has pictures, or no pile
// that is the one asked for is logged and not offered to the game; piles past
// the fifth are logged and left out.

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsLevel.h"

class CountTheMaterialsLevelResourceFactory
    : public LevelResourceFactory<CountTheMaterialsLevel, kGameModeType_CountTheMaterials>
{
protected:
    void readLevel(CountTheMaterialsLevel& level, Corvane::IAttributeContainer const& attributes,
                   std::wstring const& tag, Corvane::IXMLReader& reader, LevelNumbers& numbers) const override;
    void checkPlayable(CountTheMaterialsLevel const& level, LevelNumbers& numbers) const override;
};
