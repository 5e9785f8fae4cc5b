#pragma once

// The reader of "PlanAJobLevel" resources. The game's own fields are read in
// readLevel as the game is built; the level is registered by difficulty.

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/PlanAJob/PlanAJobLevel.h"

class PlanAJobLevelResourceFactory : public LevelResourceFactory<PlanAJobLevel, kGameModeType_PlanAJob>
{
};
