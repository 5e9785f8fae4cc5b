#include "qdl/Source/Game/GameMakers.h"

Corvane::ApplicationMode* createStreetSignsGame(Corvane::Label)
{
    return gameNotAvailableYet("StreetSigns");
}
