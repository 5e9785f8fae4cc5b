#include "qdl/Source/Game/GameMakers.h"

Corvane::ApplicationMode* createTollerStackerGame(Corvane::Label)
{
    return gameNotAvailableYet("TollerStacker");
}
