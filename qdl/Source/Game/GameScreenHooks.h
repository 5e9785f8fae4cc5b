#pragma once

// The screens that the game shell starts but that other parts of the game
// build: the title screen after loading, the mini-games and cutscenes of the
// story, the main menu, the free-play selection and the sticker book. Each screen's maker
// is filled in MakeDefaultGameScreenHooks as the screen lands; an empty maker,
// or one that returns null, starts nothing. Tests install recording makers.

#include <functional>

#include "Core/Source/Label.h"
#include "qdl/Source/Game/GameModeTypes.h"

namespace Corvane
{
class ApplicationMode;
}

struct sGameScreenHooks
{
    std::function<Corvane::ApplicationMode*()> createTitleMode;
    std::function<Corvane::ApplicationMode*()> createMainMenuMode;
    std::function<Corvane::ApplicationMode*()> createStickerBookMode;
    // The free-play selection that a game started from free play returns to.
    std::function<Corvane::ApplicationMode*()> createFreePlaySelectMode;
    // The cutscene screen for a cutscene id.
    std::function<Corvane::ApplicationMode*(Corvane::Label cutsceneID)> createCutsceneMode;
    // The mini-game as the story starts it; only PlanAJob uses the level label.
    std::function<Corvane::ApplicationMode*(GameModeType type, Corvane::Label level)> createGameMode;
};

sGameScreenHooks& GetGameScreenHooks();
sGameScreenHooks MakeDefaultGameScreenHooks();
