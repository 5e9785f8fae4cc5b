#include "qdl/Source/Game/GameMakers.h"

Corvane::ApplicationMode* createHideAndSeekGame(Corvane::Label)
{
    return gameNotAvailableYet("HideAndSeek");
}
