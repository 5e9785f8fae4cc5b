#include "qdl/Source/Game/GameScreenHooks.h"

sGameScreenHooks MakeDefaultGameScreenHooks()
{
    sGameScreenHooks hooks;
    return hooks;
}

sGameScreenHooks& GetGameScreenHooks()
{
    static sGameScreenHooks hooks = MakeDefaultGameScreenHooks();
    return hooks;
}
