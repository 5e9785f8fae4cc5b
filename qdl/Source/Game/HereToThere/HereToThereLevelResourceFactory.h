#pragma once

// The reader of "HereToThereLevel" resources: "numBuildings" (an integer, 0
// when missing), "matchColor" (only "true" is true) and every "Animal"
// element at any depth, in document order, with its "type" and "color"
// matched exactly against the game's shape and colour names (-1 when none is
// equal). The level is registered by difficulty by the shared reader.

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/HereToThere/HereToThereLevel.h"

class HereToThereLevelResourceFactory : public LevelResourceFactory<HereToThereLevel, kGameModeType_HereToThere>
{
protected:
    void readLevel(HereToThereLevel& level, Corvane::IAttributeContainer const& attributes,
                   Corvane::IXMLReader& reader) const override;
};
