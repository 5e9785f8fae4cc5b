#include "qdl/Source/Game/FrontEnd/FrontEndScreens.h"

#include "qdl/Source/Game/FrontEnd/MyAccountMode.h"
#include "qdl/Source/Game/FrontEnd/MyCreditsMode.h"
#include "qdl/Source/Game/FrontEnd/MyOptionsMode.h"
#include "qdl/Source/Game/GameScreenHooks.h"

Corvane::ApplicationMode* newProfileSelectionScreen()
{
    return new MyAccountMode();
}

Corvane::ApplicationMode* newOptionsScreen()
{
    return new MyOptionsMode();
}

Corvane::ApplicationMode* newCreditsScreen()
{
    return new MyCreditsMode();
}

Corvane::ApplicationMode* newMainMenuScreen()
{
    sGameScreenHooks const& hooks = GetGameScreenHooks();
    return hooks.createMainMenuMode ? hooks.createMainMenuMode() : nullptr;
}
