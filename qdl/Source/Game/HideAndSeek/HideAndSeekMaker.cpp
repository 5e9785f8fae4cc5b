#include "qdl/Source/Game/GameMakers.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekMode.h"

Corvane::ApplicationMode* createHideAndSeekGame(Corvane::Label)
{
    return new HideAndSeekMode();
}
