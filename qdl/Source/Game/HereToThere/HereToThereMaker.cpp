#include "qdl/Source/Game/GameMakers.h"
#include "qdl/Source/Game/HereToThere/HereToThereMode.h"

Corvane::ApplicationMode* createHereToThereGame(Corvane::Label)
{
    return new HereToThereMode();
}
