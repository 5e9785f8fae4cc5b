#include "qdl/Source/Game/GameScreenHooks.h"

#include "qdl/Source/Game/FrontEnd/TitleMode.h"
#include "qdl/Source/Game/GameMakers.h"

sGameScreenHooks MakeDefaultGameScreenHooks()
{
    sGameScreenHooks hooks;
    hooks.createTitleMode = []() -> Corvane::ApplicationMode* { return new TitleMode(); };
    hooks.createGameMode = createGameModeOfType;
    return hooks;
}

sGameScreenHooks& GetGameScreenHooks()
{
    static sGameScreenHooks hooks = MakeDefaultGameScreenHooks();
    return hooks;
}
