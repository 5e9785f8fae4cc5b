#pragma once

// The reader of "CountTheMaterialsLevel" resources: "Material" elements at any
// depth are the piles in document order, the last "Request" element is the
// request; names are matched exactly, case included. A level naming a
// material outside the table, or asking for nothing, is logged and not
// offered to the game; piles past the fifth are logged and left out.

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsLevel.h"

class CountTheMaterialsLevelResourceFactory
    : public LevelResourceFactory<CountTheMaterialsLevel, kGameModeType_CountTheMaterials>
{
protected:
    void readLevel(CountTheMaterialsLevel& level, Corvane::IAttributeContainer const& attributes,
                   Corvane::IXMLReader& reader) const override;
    bool isPlayable(CountTheMaterialsLevel const& level, Corvane::Label name) const override;
};
