#include "qdl/Source/Game/GameMakers.h"
#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesMode.h"

Corvane::ApplicationMode* createPileOfLeavesGame(Corvane::Label)
{
    return new PileOfLeavesMode(true, -1);
}
