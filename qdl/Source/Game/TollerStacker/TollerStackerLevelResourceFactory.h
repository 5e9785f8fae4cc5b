#pragma once

// The reader of "TollerStackerLevel" resources. The game's own fields are read in
// readLevel as the game is built; the level is registered by difficulty.

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerLevel.h"

class TollerStackerLevelResourceFactory : public LevelResourceFactory<TollerStackerLevel, kGameModeType_TollerStacker>
{
};
