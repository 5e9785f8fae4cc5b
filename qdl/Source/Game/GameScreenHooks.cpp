#include "qdl/Source/Game/GameScreenHooks.h"

#include "qdl/Source/Game/FrontEnd/CutsceneMode.h"
#include "qdl/Source/Game/FrontEnd/FreePlaySelectMode.h"
#include "qdl/Source/Game/FrontEnd/MainMenuMode.h"
#include "qdl/Source/Game/FrontEnd/TitleMode.h"
#include "qdl/Source/Game/GameMakers.h"
#include "qdl/Source/Game/StickerBook/StickerBookMaker.h"

sGameScreenHooks MakeDefaultGameScreenHooks()
{
    sGameScreenHooks hooks;
    hooks.createTitleMode = []() -> Corvane::ApplicationMode* { return new TitleMode(); };
    hooks.createMainMenuMode = []() -> Corvane::ApplicationMode* { return new MainMenuMode(); };
    hooks.createFreePlaySelectMode = []() -> Corvane::ApplicationMode* { return new FreePlaySelectMode(); };
    hooks.createCutsceneMode = [](Corvane::Label cutscene) -> Corvane::ApplicationMode* {
        return new CutsceneMode(cutscene);
    };
    hooks.createGameMode = createGameModeOfType;
    hooks.createStickerBookMode = createStickerBook;
    return hooks;
}

sGameScreenHooks& GetGameScreenHooks()
{
    static sGameScreenHooks hooks = MakeDefaultGameScreenHooks();
    return hooks;
}
