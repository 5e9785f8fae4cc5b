#include "qdl/Source/Game/FrontEnd/FreePlaySelectMode.h"

#include "Core/Source/Log.h"

#include "qdl/Source/Game/FrontEnd/DifficultySelectMode.h"
#include "qdl/Source/Game/FrontEnd/FreePlayGames.h"
#include "qdl/Source/Game/FrontEnd/FrontEndScreens.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameMakers.h"
#include "qdl/Source/Game/LevelManager.h"

using Corvane::Label;

FreePlaySelectMode::FreePlaySelectMode() : FrontEndMode("FreePlaySelectMode") {}

void FreePlaySelectMode::Setup()
{
    FrontEndMode::Setup();
    GetLevelManager()->setFreePlay(true);
    // Without its layout the child would have nothing to click: back to a main menu.
    if (!instantiateLayout("FreePlaySelect_YarrowfeteLayout"))
    {
        Corvane::Internal::LogWrite("FreePlaySelectMode: goes back to the main menu, having nothing to show\n");
        returnToMainMenu();
    }
}

void FreePlaySelectMode::Enter()
{
    FrontEndMode::Enter();
    GetAudioManager()->setMusicMode(kMusicMode_GeneralUI, Label());
    setDefaultCursor();
}

void FreePlaySelectMode::Exit()
{
    GetAudioManager()->clearVocalAudioQueues();
}

void FreePlaySelectMode::handleButtonClick(Label button)
{
    static ButtonTable<FreePlaySelectMode> const buttons = {
        {"QuitButton", &FreePlaySelectMode::returnToMainMenu},
        {"HelpButton", &FreePlaySelectMode::speakInstructions},
    };
    if (!buttons.dispatch(this, button) && getFreePlayGameType(button) >= 0)
        openDifficultySelection(button);
}

void FreePlaySelectMode::returnToMainMenu()
{
    unwindToScreen(newMainMenuScreen(), "the main menu");
}

void FreePlaySelectMode::openDifficultySelection(Label game)
{
    if (!isGameContentLoaded(getFreePlayGameType(game)))
        return;
    pushScreen(new DifficultySelectMode(game), "the difficulty selection");
}

void FreePlaySelectMode::speakInstructions()
{
    static Label const instructions = Label::GetUniqueString("Instructions_Freeplay");
    GetAudioManager()->playSpecificSoundVocal(instructions);
}

GameSelectMode::GameSelectMode() : FrontEndMode("GameSelectMode") {}

void GameSelectMode::Setup()
{
    FrontEndMode::Setup();
    GetLevelManager()->setFreePlay(true);
    if (!instantiateLayout("GameSelectLayout"))
    {
        Corvane::Internal::LogWrite("GameSelectMode: goes back to the main menu, having nothing to show\n");
        returnToMainMenu();
    }
}

void GameSelectMode::handleButtonClick(Label button)
{
    static ButtonTable<GameSelectMode> const buttons = {
        {"Back", &GameSelectMode::returnToMainMenu},
    };
    if (!buttons.dispatch(this, button) && getFreePlayGameType(button) >= 0)
        openDifficultySelection(button);
}

void GameSelectMode::returnToMainMenu()
{
    unwindToScreen(newMainMenuScreen(), "the main menu");
}

void GameSelectMode::openDifficultySelection(Label game)
{
    if (!isGameContentLoaded(getFreePlayGameType(game)))
        return;
    pushScreen(new DifficultySelectMode(game), "the difficulty selection");
}
