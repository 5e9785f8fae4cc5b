#pragma once

// The reader of "ScarrowPuzzleLevel" resources. The game's own fields are read in
// readLevel as the game is built; the level is registered by difficulty.

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleLevel.h"

class ScarrowPuzzleLevelResourceFactory : public LevelResourceFactory<ScarrowPuzzleLevel, kGameModeType_ScarrowPuzzle>
{
};
