#pragma once

// The reader of "HideAndSeekLevel" resources. The game's own fields are read in
// readLevel as the game is built; the level is registered by difficulty.

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekLevel.h"

class HideAndSeekLevelResourceFactory : public LevelResourceFactory<HideAndSeekLevel, kGameModeType_HideAndSeek>
{
};
