#include "qdl/Source/Game/GameMakers.h"
#include "qdl/Source/Game/PaintTheHouse/PaintTheHouseMode.h"

Corvane::ApplicationMode* createPaintTheHouseGame(Corvane::Label)
{
    return new PaintTheHouseMode(true, -1);
}
