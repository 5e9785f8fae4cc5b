#pragma once

// The reader of "StreetSignLevel" resources. The game's own fields are read in
// readLevel as the game is built; the level is registered by difficulty.

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/StreetSigns/StreetSignLevel.h"

class StreetSignLevelResourceFactory : public LevelResourceFactory<StreetSignLevel, kGameModeType_StreetSigns>
{
};
