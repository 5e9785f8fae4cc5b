#pragma once

// The reader of "PileOfLeavesLevel" resources. The game's own fields are read in
// readLevel as the game is built; the level is registered by difficulty.

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesLevel.h"

class PileOfLeavesLevelResourceFactory : public LevelResourceFactory<PileOfLeavesLevel, kGameModeType_PileOfLeaves>
{
};
