// The counting game played through the driver over the real content, as a
// child plays it: the automated player reads the request and the piles from
// the screen and wins loop after loop at every difficulty; wrong piles on Hard
// each get their line as the digger reaches them; the hint comes 30 s after
// the last click; two presses in one frame start one digger run.

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
#include "qdl/Source/Game/FrontEnd/StickerUnlockMode.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsMode.h"
#include "qdl/Source/Game/CountTheMaterials/DraggableMaterial.h"
#include "qdl/Source/Game/CountTheMaterials/MaterialLoader.h"
#include "qdl/Source/Game/CountTheMaterials/MaterialTarget.h"
#include "qdl/Tests/CountTheMaterials/CountTheMaterialsPlayer.h"
#include "qdl/Tests/CountTheMaterials/CountTheMaterialsTestSupport.h"
#include "qdl/Tests/Driver/GameDriver.h"

using GameDriver::Child;
using GameDriver::sSoundPlay;
using namespace CountTheMaterialsPlayer;
using namespace CountTheMaterialsTestSupport;

namespace
{

// Stands for the free-play selection, which the game returns to.
class FreePlayStandIn : public SceneApplicationMode
{
};

char const* const kProfile = "PondoButton";

// Whether the free-play selection was asked for by the sticker screen.
bool gFreePlayFromStickerScreen = false;

Corvane::ApplicationMode* NewFreePlayStandIn()
{
    gFreePlayFromStickerScreen = dynamic_cast<StickerUnlockMode*>(Corvane::MainLoop::GetTopMostMode(0)) != nullptr;
    return new FreePlayStandIn;
}

class CountTheMaterialsPlay : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string reason;
        if (!driver.HasDisplay(&reason))
            GTEST_SKIP() << "no display: " << reason;
        driver.SetAccountValue("AccountID", kProfile);
    }

    // The game as the difficulty selection starts it from free play, with the
    // profile's stickers loaded as the main menu loads them.
    void StartFromFreePlay(GameModeDifficulty difficulty)
    {
        driver.StartWith([difficulty]() -> Corvane::ApplicationMode* {
            GetGameScreenHooks().createFreePlaySelectMode = NewFreePlayStandIn;
            GetLevelManager()->setFreePlay(true);
            GetLevelManager()->setDifficulty(difficulty);
            GetStickerManager()->loadUnlockedStickerData();
            return createGameModeOfType(kGameModeType_CountTheMaterials, Corvane::Label());
        });
    }

    GameDriver::Driver driver;
};

// The words a child hears for the request: number, colour, material.
std::vector<std::string> RequestWords(sSeen const& request)
{
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
    EXPECT_TRUE(child.Click(piles[place].path));
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
            3000);
        EXPECT_TRUE(moved);
        if (left == 0)
            break;
        EXPECT_EQ((std::vector<std::string>{"CountTheMaterialsMode"}), child.Screens());
        EXPECT_FALSE(child.Look([] { return TopGame() && TopGame()->getPlayIntro(); }));
        if (loops > 5)
            break;
    }
    return loops;
}

void PlayAtDifficulty(CountTheMaterialsPlay& test, GameDriver::Driver& driver, GameModeDifficulty difficulty,
                      int expectedLoops, char const* screenshot)
{
    (void)test;
    driver.Play([expectedLoops, screenshot](Child& child) {
        ASSERT_TRUE(CloseOverlay(child));
        std::string const before = GameDriver::AccountRecord(child.AccountFile(), std::string(kProfile) + "_StickerCount");
        if (screenshot)
        {
            ASSERT_TRUE(WaitForPiles(child));
            EXPECT_TRUE(child.SaveScreenshot(screenshot));
        }
        EXPECT_EQ(expectedLoops, WinEveryLoop(child));

        // The sticker screen, which goes on to the free-play selection.
        EXPECT_TRUE(child.WaitUntil(
            [] {
                Corvane::ApplicationMode* const top = Corvane::MainLoop::GetTopMostMode(0);
                if (dynamic_cast<StickerUnlockMode*>(top))
                    if (ButtonNode* const resume = dynamic_cast<ButtonNode*>(Child::FindNode("ResumeGame")))
                        resume->Click();
                return dynamic_cast<FreePlayStandIn*>(top) != nullptr;
            },
            1500));
        EXPECT_TRUE(gFreePlayFromStickerScreen);
        EXPECT_EQ((std::vector<std::string>{"(anonymous namespace)::FreePlayStandIn"}), child.Screens());
        std::string const account = child.AccountFile();
        EXPECT_EQ(std::to_string(std::atoi(before.c_str()) + 1),
                  GameDriver::AccountRecord(account, std::string(kProfile) + "_StickerCount"));
        EXPECT_NE("", GameDriver::AccountRecord(account, std::string(kProfile) + "_StickerUnlockArray"));
    });
    (void)difficulty;
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

TEST_F(CountTheMaterialsPlay, EasyIsWonLoopAfterLoopThenTheStickerThenFreePlay)
{
    StartFromFreePlay(kGameModeDifficulty_Easy);
    PlayAtDifficulty(*this, driver, kGameModeDifficulty_Easy, LoopsAt(kGameModeDifficulty_Easy),
                     ScreenshotPath("CountTheMaterials_Easy.png"));
}

TEST_F(CountTheMaterialsPlay, MediumIsWonLoopAfterLoopThenTheStickerThenFreePlay)
{
    StartFromFreePlay(kGameModeDifficulty_Medium);
    PlayAtDifficulty(*this, driver, kGameModeDifficulty_Medium, LoopsAt(kGameModeDifficulty_Medium),
                     ScreenshotPath("CountTheMaterials_Medium.png"));
}

TEST_F(CountTheMaterialsPlay, HardIsWonLoopAfterLoopThenTheStickerThenFreePlay)
{
    StartFromFreePlay(kGameModeDifficulty_Hard);
    PlayAtDifficulty(*this, driver, kGameModeDifficulty_Hard, LoopsAt(kGameModeDifficulty_Hard),
                     ScreenshotPath("CountTheMaterials_Hard.png"));
}

} // namespace
