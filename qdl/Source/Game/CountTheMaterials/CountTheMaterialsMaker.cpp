#include "qdl/Source/Game/GameMakers.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsMode.h"

Corvane::ApplicationMode* createCountTheMaterialsGame(Corvane::Label)
{
    return new CountTheMaterialsMode(true, -1);
}
