#include "qdl/Source/Game/GameMakers.h"

Corvane::ApplicationMode* createCountTheMaterialsGame(Corvane::Label)
{
    return gameNotAvailableYet("CountTheMaterials");
}
