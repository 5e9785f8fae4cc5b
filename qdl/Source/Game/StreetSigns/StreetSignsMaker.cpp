#include "qdl/Source/Game/GameMakers.h"

#include "qdl/Source/Game/StreetSigns/StreetSignsMode.h"

Corvane::ApplicationMode* createStreetSignsGame(Corvane::Label)
{
    return new StreetSignsMode(true, -1);
}
