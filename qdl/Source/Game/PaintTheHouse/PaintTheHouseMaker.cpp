#include "qdl/Source/Game/GameMakers.h"

Corvane::ApplicationMode* createPaintTheHouseGame(Corvane::Label)
{
    return gameNotAvailableYet("PaintTheHouse");
}
