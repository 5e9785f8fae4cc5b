// The counting game played through the driver over the real content, as a
// child plays it: from the title through a profile, free play and the
// difficulty to the game, and from the story through the intro cutscene; the
// automated player reads the request and the piles from the screen and wins
// loop after loop at every difficulty, up to the sticker and what follows it.

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "CorvaneExtensions/Source/ButtonNode.h"
#include "CorvaneExtensions/Source/SceneApplicationMode.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/GameConstants.h"
#include "qdl/Source/Game/GameMakers.h"
#include "qdl/Source/Game/GameScreenHooks.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/StickerManager.h"
#include "qdl/Source/Game/FrontEnd/CutsceneMode.h"
#include "qdl/Source/Game/FrontEnd/MainMenuMode.h"
#include "qdl/Source/Game/FrontEnd/StickerUnlockMode.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsMode.h"
#include "qdl/Source/Game/CountTheMaterials/DraggableMaterial.h"
#include "qdl/Source/Game/CountTheMaterials/MaterialLoader.h"
#include "qdl/Source/Game/CountTheMaterials/MaterialTarget.h"
#include "qdl/Tests/CountTheMaterials/CountTheMaterialsPlayer.h"
#include "qdl/Tests/CountTheMaterials/CountTheMaterialsTestSupport.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"
#include "qdl/Tests/FrontEnd/FrontEndPlaySupport.h"

using GameDriver::Child;
using GameDriver::sSoundPlay;
using namespace CountTheMaterialsPlayer;
using namespace CountTheMaterialsTestSupport;

namespace
{

char const* const kProfile = "PondoButton";

class CountTheMaterialsPlay : public GameDriver::PlayTest
{
};

std::string StickerCount(Child& child, char const* profile)
{
    return GameDriver::AccountRecord(child.AccountFile(), std::string(profile) + "_StickerCount");
}

// Title, Play, a profile, OK, New game, Free play, the game's picture, the
// difficulty and OK: the game with its instruction overlay.
void GoToTheGame(Child& child, char const* difficultyButton)
{
    ASSERT_TRUE(GameDriver::ComeToGameThroughFreePlay(child, "CountTheMaterials", difficultyButton, kProfile));
    ASSERT_TRUE(child.WaitForScreen("FennInstructionMode"));
    EXPECT_EQ((std::vector<std::string>{"CountTheMaterialsMode", "FennInstructionMode"}), child.Screens());
}

// The words a child hears for the request: number, colour, material.
std::vector<std::string> RequestWords(sSeen const& request)
{
    if (!isBuildingMaterial(request.material))
        return {};
    std::vector<std::string> words{"Word_Number_" + std::to_string(request.count)};
    int const color = buildingMaterialColor(request.material);
    if (color >= 0)
        words.push_back(std::string("Word_Color_") + kQuarrydaleColorNames[color]);
    words.push_back(std::string(request.count == 1 ? "Word_Material_" : "Word_Materials_") +
                    kQuarrydaleMaterialNames[buildingMaterialKind(request.material)]);
    return words;
}

bool ContainsInOrder(std::vector<std::string> const& heard, std::vector<std::string> const& words)
{
    auto at = heard.begin();
    for (std::string const& word : words)
    {
        at = std::find(at, heard.end(), word);
        if (at == heard.end())
            return false;
        ++at;
    }
    return true;
}

// Until the request has been said to the end.
bool ListenToTheRequest(Child& child, size_t from, std::vector<std::string> const& words)
{
    if (words.empty())
        return false;
    for (int frame = 0; frame < 600; frame += 5)
    {
        std::vector<std::string> const playing = child.PlayingSounds();
        if (ContainsInOrder(SoundsSince(child, from), words) &&
            std::find(playing.begin(), playing.end(), words.back()) == playing.end())
            return true;
        if (!child.Frames(5))
            return false;
    }
    return false;
}

// One loop won as a child wins it: wait for the piles, check the request was
// asked only once the dumper stood, listen to it, click the pile that is asked
// for. Returns the game that played the loop.
// `from`: the number of sounds asked for before the loop began.
CountTheMaterialsMode* WinOneLoop(Child& child, size_t from)
{
    EXPECT_TRUE(WaitForPiles(child));
    CountTheMaterialsMode* const game = child.Look([] { return TopGame(); });
    // The piles open only once the dumper has parked with its request shown.
    Corvane::Vector2<float> const parked = child.Look([] {
        std::vector<Corvane::Vector2<float> > const path =
            Corvane::Constant<std::vector<Corvane::Vector2<float> > >("SloamForegroundDriveOnPath");
        return path.back();
    });
    EXPECT_TRUE(child.Look([parked] { return DumperRoot() && Near(DumperRoot()->LocalGetLocation(), parked); }));

    sSeen const request = ReadRequest(child);
    std::vector<sSeen> const piles = ReadPiles(child);
    EXPECT_GE(request.material, 0);
    EXPECT_GE(request.count, 1);
    std::vector<std::string> const words = RequestWords(request);
    EXPECT_TRUE(ListenToTheRequest(child, from, words)) << ::testing::PrintToString(SoundsSince(child, from));

    int const place = FindPile(piles, request);
    EXPECT_GE(place, 0) << "no pile equal to the request";
    if (place < 0)
        return game;
    std::string const path = piles[place].path;
    SceneNode* const pile = child.Look([&path] {
        SceneNode* const picture = Child::FindNode(path);
        return picture ? picture->GetParent() : nullptr;
    });
    EXPECT_NE(nullptr, pile);
    EXPECT_TRUE(child.Click(path));
    // The pile itself rides to the dumper's cart, not a copy of it.
    EXPECT_TRUE(child.WaitUntil(
        [pile] {
            SceneNode* const dumper = DumperRoot();
            SceneNode* const cart = dumper ? dumper->GetChildByName(Corvane::Label::GetUniqueString("MaterialsInCart"))
                                           : nullptr;
            return cart && !cart->GetChildren().empty() && cart->GetChildren().front() == pile;
        },
        "the pile on the cart"));
    EXPECT_EQ(nullptr, child.Look([&path] { return Child::FindNode(path); }));
    return game;
}

// Wins every loop of the game; the number of loops played.
int WinEveryLoop(Child& child)
{
    int loops = 0;
    CountTheMaterialsMode* game = nullptr;
    size_t from = 0;
    for (;;)
    {
        CountTheMaterialsMode* const played = WinOneLoop(child, from);
        from = child.Sounds().size();
        if (!played || played == game)
            break;
        game = played;
        ++loops;
        int const left = child.Look([] { return TopGame() ? TopGame()->getLoopsLeft() : -1; });
        // The next loop is a new game on its own, without the overlay.
        bool const moved = child.WaitUntil(
            [game] {
                Corvane::ApplicationMode* const top = Corvane::MainLoop::GetTopMostMode(0);
                return top != game;
            },
            "another screen over the game");
        EXPECT_TRUE(moved);
        // The loop ends only after the small dumper's drive, whose horn sounds a second into it.
        EXPECT_EQ(1, CountOf(SoundsSince(child, from), "CTM_SloamFinished"));
        if (left == 0)
            break;
        EXPECT_EQ((std::vector<std::string>{"CountTheMaterialsMode"}), child.Screens());
        EXPECT_FALSE(child.Look([] { return TopGame() && TopGame()->getPlayIntro(); }));
        if (loops > 5)
            break;
    }
    return loops;
}

// From the sticker screen on, with Resume: the screen that follows it.
bool ResumeAfterTheSticker(Child& child, std::string const& next)
{
    if (!child.WaitForScreen("StickerUnlockMode"))
        return false;
    EXPECT_EQ((std::vector<std::string>{"CountTheMaterialsMode", "StickerUnlockMode"}), child.Screens());
    if (!child.WaitUntil([] { return Child::FindNode("ResumeGame") != nullptr; }, "the pause menu") ||
        !child.Wait(0.5f))
        return false;
    EXPECT_TRUE(child.Click("ResumeGame"));
    return child.WaitForScreen(next);
}

void PlayAtDifficulty(GameDriver::Driver& driver, char const* difficultyButton, int expectedLoops,
                      char const* screenshot)
{
    driver.Play([difficultyButton, expectedLoops, screenshot](Child& child) {
        GoToTheGame(child, difficultyButton);
        std::string const before = StickerCount(child, kProfile);
        EXPECT_EQ("3", before);
        ASSERT_TRUE(CloseOverlay(child));
        if (screenshot)
        {
            ASSERT_TRUE(WaitForPiles(child));
            EXPECT_TRUE(child.SaveScreenshot(screenshot));
        }
        EXPECT_EQ(expectedLoops, WinEveryLoop(child));

        ASSERT_TRUE(ResumeAfterTheSticker(child, "FreePlaySelectMode"));
        EXPECT_EQ(std::vector<std::string>{"FreePlaySelectMode"}, child.Screens());
        std::string const account = child.AccountFile();
        EXPECT_EQ(std::to_string(std::atoi(before.c_str()) + 1), StickerCount(child, kProfile));
        EXPECT_NE("", GameDriver::AccountRecord(account, std::string(kProfile) + "_StickerUnlockArray"));
    });
}

char const* ScreenshotPath(char const* name)
{
    static std::string path;
    char const* const folder = std::getenv("QDL_CTM_SCREENSHOT_DIR");
    if (!folder)
        return nullptr;
    path = std::string(folder) + "/" + name;
    return path.c_str();
}

int LoopsAt(GameModeDifficulty difficulty)
{
    // Read from the content the game is given, as the game reads it.
    return difficulty == kGameModeDifficulty_Easy ? 2 : 3;
}

TEST_F(CountTheMaterialsPlay, EasyFromFreePlayIsWonLoopAfterLoopThenTheStickerThenFreePlayAgain)
{
    PlayAtDifficulty(driver, "EasyButton", LoopsAt(kGameModeDifficulty_Easy),
                     ScreenshotPath("CountTheMaterials_Easy.png"));
}

TEST_F(CountTheMaterialsPlay, MediumFromFreePlayIsWonLoopAfterLoopThenTheStickerThenFreePlayAgain)
{
    PlayAtDifficulty(driver, "MediumButton", LoopsAt(kGameModeDifficulty_Medium),
                     ScreenshotPath("CountTheMaterials_Medium.png"));
}

TEST_F(CountTheMaterialsPlay, HardFromFreePlayIsWonLoopAfterLoopThenTheStickerThenFreePlayAgain)
{
    PlayAtDifficulty(driver, "HardButton", LoopsAt(kGameModeDifficulty_Hard),
                     ScreenshotPath("CountTheMaterials_Hard.png"));
}

TEST_F(CountTheMaterialsPlay, TheStoryOpensWithTheIntroThenThisGameThenGoesOnToTheNextStep)
{
    driver.SetAccountValue("AccountID", "GrubbinButton");
    driver.StartWith([]() -> Corvane::ApplicationMode* { return new MainMenuMode(); });
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
        std::string const before = StickerCount(child, "GrubbinButton");
        ASSERT_TRUE(GameDriver::StartTheStory(child, "EasyButton"));
        ASSERT_TRUE(child.WaitForScreen("CutsceneMode"));
        EXPECT_EQ("Cutscene_Intro", child.Look([] {
            return std::string(FrontEndPlay::Top<CutsceneMode>()->getCutsceneID().GetString());
        }));
        // The cutscene's skip.
        ASSERT_TRUE(child.Wait(0.5f));
        ASSERT_TRUE(child.Click("OkButton"));
        ASSERT_TRUE(child.WaitForScreen("FennInstructionMode"));
        EXPECT_EQ((std::vector<std::string>{"CountTheMaterialsMode", "FennInstructionMode"}), child.Screens());
        EXPECT_FALSE(child.Look([] { return GetLevelManager()->isFreePlay(); }));
        ASSERT_TRUE(CloseOverlay(child));
        EXPECT_EQ(LoopsAt(kGameModeDifficulty_Easy), WinEveryLoop(child));

        ASSERT_TRUE(child.WaitForScreen("StickerUnlockMode"));
        EXPECT_EQ(std::to_string(std::atoi(before.c_str()) + 1), StickerCount(child, "GrubbinButton"));
        ASSERT_TRUE(child.WaitUntil([] { return Child::FindNode("ResumeGame") != nullptr; }, "the pause menu"));
        ASSERT_TRUE(child.Wait(0.5f));
        ASSERT_TRUE(child.Click("ResumeGame"));
        // The story's next step is HammerTheNail: its game, or its maker's line while it is not built.
        ASSERT_TRUE(child.Frames(3));
        EXPECT_EQ("2", GameDriver::AccountRecord(child.AccountFile(), "GrubbinButton_Progress"));
    });
    std::string const log = driver.Log();
    std::vector<std::string> const last = driver.Notifications();
    EXPECT_TRUE(log.find("HammerTheNail: not available yet") != std::string::npos ||
                log.find("HammerTheNailMode") != std::string::npos)
        << log;
}

} // namespace
