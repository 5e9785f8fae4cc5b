#pragma once

// The reader of "HereToThereLevel" resources. The game's own fields are read in
// readLevel as the game is built; the level is registered by difficulty.

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/HereToThere/HereToThereLevel.h"

class HereToThereLevelResourceFactory : public LevelResourceFactory<HereToThereLevel, kGameModeType_HereToThere>
{
};
