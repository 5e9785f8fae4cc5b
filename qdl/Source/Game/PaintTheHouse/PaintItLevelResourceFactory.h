#pragma once

// The reader of "PaintItLevel" resources. The game's own fields are read in
// readLevel as the game is built; the level is registered by difficulty.

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/PaintTheHouse/PaintItLevel.h"

class PaintItLevelResourceFactory : public LevelResourceFactory<PaintItLevel, kGameModeType_PaintIt>
{
};
