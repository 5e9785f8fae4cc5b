#include "qdl/Source/Game/GameMakers.h"

Corvane::ApplicationMode* createHammerTheNailGame(Corvane::Label)
{
    return gameNotAvailableYet("HammerTheNail");
}
