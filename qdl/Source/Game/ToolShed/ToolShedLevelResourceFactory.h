#pragma once

// The reader of "ToolShedLevel" resources. The game's own fields are read in
// readLevel as the game is built; the level is registered by difficulty.

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/ToolShed/ToolShedLevel.h"

class ToolShedLevelResourceFactory : public LevelResourceFactory<ToolShedLevel, kGameModeType_ToolShed>
{
};
