#include "qdl/Source/Game/FrontEnd/FrontEndScreens.h"

#include "qdl/Source/Game/FrontEnd/MyAccountMode.h"
#include "qdl/Source/Game/GameScreenHooks.h"

Corvane::ApplicationMode* newProfileSelectionScreen()
{
    return new MyAccountMode();
}

Corvane::ApplicationMode* newOptionsScreen()
{
    return nullptr;
}

Corvane::ApplicationMode* newCreditsScreen()
{
    return nullptr;
}

Corvane::ApplicationMode* newMainMenuScreen()
{
    sGameScreenHooks const& hooks = GetGameScreenHooks();
    return hooks.createMainMenuMode ? hooks.createMainMenuMode() : nullptr;
}
