#include "qdl/Source/Game/GameMakers.h"

#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleMode.h"

Corvane::ApplicationMode* createScarrowPuzzleGame(Corvane::Label)
{
    return new ScarrowPuzzleMode();
}
