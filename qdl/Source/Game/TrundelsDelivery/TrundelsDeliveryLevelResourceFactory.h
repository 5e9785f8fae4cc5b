#pragma once

// The reader of "TrundelsDeliveryLevel" resources. The game's own fields are read in
// readLevel as the game is built; the level is registered by difficulty.

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryLevel.h"

class TrundelsDeliveryLevelResourceFactory : public LevelResourceFactory<TrundelsDeliveryLevel, kGameModeType_TrundelsDelivery>
{
};
