#pragma once

// What the plays of the test mini-game share: stand-ins for the screens built
// elsewhere, the start of a game as a screen would start it, and look-ups of
// the recorded sounds.

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Core/Source/Label.h"
#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "CorvaneExtensions/Source/SceneApplicationMode.h"
#include "qdl/Source/Game/GameModeTypes.h"
#include "qdl/Source/Game/GameScreenHooks.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/StickerManager.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"
#include "qdl/Tests/GameBase/GameBaseTestGame.h"

namespace GameBaseTest
{

typedef std::vector<std::string> Screens;

class FreePlayStandIn : public SceneApplicationMode
{
};

class MainMenuStandIn : public SceneApplicationMode
{
};

class CutsceneStandIn : public SceneApplicationMode
{
};

std::string const kGame = "GameBaseTestGame";
std::string const kFreePlay = "GameBaseTest::FreePlayStandIn";
std::string const kMainMenu = "GameBaseTest::MainMenuStandIn";
std::string const kCutscene = "GameBaseTest::CutsceneStandIn";

using GameDriver::Top;

// The screens the game leads to, as stand-ins; the game makers start the test game.
inline void installStandIns()
{
    GameBaseTestGame::install();
    sGameScreenHooks& hooks = GetGameScreenHooks();
    hooks.createFreePlaySelectMode = []() -> Corvane::ApplicationMode* { return new FreePlayStandIn; };
    hooks.createMainMenuMode = []() -> Corvane::ApplicationMode* { return new MainMenuStandIn; };
    hooks.createCutsceneMode = [](Corvane::Label) -> Corvane::ApplicationMode* { return new CutsceneStandIn; };
}

struct sStart
{
    GameModeDifficulty difficulty = kGameModeDifficulty_Easy;
    bool english = true;
    bool freePlay = true;
    bool playIntro = true;
    int loops = -1;
};

// The account of the profile "PondoButton", its stickers loaded as the main menu
// loads them, and the test game started as the difficulty selection starts a game.
inline void startGame(GameDriver::Driver& driver, sStart const& start)
{
    driver.SetAccountValue("AccountID", "PondoButton");
    driver.SetAccountValue("EnglishLanguage", start.english ? "true" : "false");
    installStandIns();
    driver.StartWith([start]() -> Corvane::ApplicationMode* {
        GetStickerManager()->loadUnlockedStickerData();
        GetLevelManager()->setDifficulty(start.difficulty);
        GetLevelManager()->setFreePlay(start.freePlay);
        return new GameBaseTestGame(start.playIntro, start.loops);
    });
}

using GameDriver::CountPlays;

inline int repeatedLoops(GameModeDifficulty difficulty)
{
    std::vector<int> const loops = Corvane::Constant<std::vector<int> >("RepeatedGameNumLoops");
    return loops.at(static_cast<size_t>(difficulty));
}

// Keeps a picture of the next frame when the variable names a folder.
inline void saveScreenshot(GameDriver::Child& child, std::string const& name)
{
    if (char const* folder = std::getenv("QDL_GAMEBASE_SCREENSHOTS"))
    {
        EXPECT_TRUE(child.SaveScreenshot(std::string(folder) + "/" + name + ".png"));
    }
}

} // namespace GameBaseTest
