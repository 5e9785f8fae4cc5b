#include "qdl/Source/Game/GameMakers.h"

Corvane::ApplicationMode* createHereToThereGame(Corvane::Label)
{
    return gameNotAvailableYet("HereToThere");
}
