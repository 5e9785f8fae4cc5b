#pragma once

// The reader of "HereToThereLevel" resources: "numBuildings" (an integer from
// 0 to the twelve house slots, 0 when missing), "matchColor" (only "true" is
// true) and every "Animal" element at any depth, in document order, with its
// "type" and "color" matched exactly against the game's shape and colour
// names (-1 when none is equal). A level without animals is not registered.

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/HereToThere/HereToThereLevel.h"

class HereToThereLevelResourceFactory : public LevelResourceFactory<HereToThereLevel, kGameModeType_HereToThere>
{
protected:
    void readLevel(HereToThereLevel& level, Corvane::IAttributeContainer const& attributes,
                   std::wstring const& tag, Corvane::IXMLReader& reader, LevelNumbers& numbers) const override;
    void checkPlayable(HereToThereLevel const& level, LevelNumbers& numbers) const override;
};
