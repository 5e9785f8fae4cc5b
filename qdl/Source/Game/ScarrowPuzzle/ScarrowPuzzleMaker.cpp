#include "qdl/Source/Game/GameMakers.h"

Corvane::ApplicationMode* createScarrowPuzzleGame(Corvane::Label)
{
    return gameNotAvailableYet("ScarrowPuzzle");
}
