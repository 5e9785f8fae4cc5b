#include "qdl/Source/Game/GameMakers.h"

Corvane::ApplicationMode* createPileOfLeavesGame(Corvane::Label)
{
    return gameNotAvailableYet("PileOfLeaves");
}
