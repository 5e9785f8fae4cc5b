#include "qdl/Source/Game/GameMakers.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerMode.h"

Corvane::ApplicationMode* createTollerStackerGame(Corvane::Label)
{
    return new TollerStackerMode(true, -1);
}
