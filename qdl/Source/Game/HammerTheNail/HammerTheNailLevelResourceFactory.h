#pragma once

// The reader of "HammerTheNailLevel" resources. The game's own fields are read in
// readLevel as the game is built; the level is registered by difficulty.

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/HammerTheNail/HammerTheNailLevel.h"

class HammerTheNailLevelResourceFactory : public LevelResourceFactory<HammerTheNailLevel, kGameModeType_HammerTheNail>
{
};
