#pragma once

// The reader of "CountTheMaterialsLevel" resources. The game's own fields are read in
// readLevel as the game is built; the level is registered by difficulty.

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsLevel.h"

class CountTheMaterialsLevelResourceFactory : public LevelResourceFactory<CountTheMaterialsLevel, kGameModeType_CountTheMaterials>
{
};
