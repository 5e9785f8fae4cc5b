// StreetSigns played as a child plays it, through the driver over the real
// content: the truck waits for the overlay, the request is said, a wrong sign
// answers with one of its two voices, each right sign is lifted into the
// truck, the loops follow as new modes without the overlay, and the level
// ends with its sticker; the truck and the crane answer clicks; a content
// copy without the level asked for is reported once.

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "CorvaneExtensions/Source/SceneApplicationMode.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/GameScreenHooks.h"
#include "qdl/Source/Game/StreetSigns/StreetSignsElements.h"
#include "qdl/Source/Game/StreetSigns/StreetSignsMode.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"

using GameDriver::Child;
using GameDriver::ClickAt;
using GameDriver::CountPlays;
using GameDriver::SaveGameScreenshot;

namespace
{

char const* const kAccountID = "SloamButton";
// The profile the route through free play chooses.
char const* const kProfileStickerKey = "PondoButton_StickerUnlockArray";
char const* const kMaskPath = "GameScreenRoot/Playfield/MouseInput_ClickMask";

struct sSign
{
    bool right;
    bool collected;
    int x;
    int y;
};

struct sLoop
{
    // Null when the top screen is not the game.
    void const* mode = nullptr;
    int loopsLeft = -1;
    bool maskShown = true;
    std::vector<sSign> signs;
};

StreetSignsMode* Game()
{
    return dynamic_cast<StreetSignsMode*>(Corvane::MainLoop::GetTopMostMode(0));
}

// What the child sees: the signs, and which are right by the names of their
// colour and shape against the request's text.
sLoop Read(Child& child)
{
    return child.Look([] {
        sLoop loop;
        StreetSignsMode* const game = Game();
        if (!game)
            return loop;
        loop.mode = game;
        loop.loopsLeft = game->getLoopsLeft();
        SceneNode const* const mask = Child::FindNode(kMaskPath);
        loop.maskShown = mask && mask->LocalIsVisible();
        char const* const request = game->getRequest().GetString();
        for (StreetSign* const sign : game->getSigns())
        {
            Corvane::Rect<float> const bounds = sign->getInputNode()->GlobalGetBounds();
            bool const right = std::strcmp(kStreetSignColorNames[sign->color], request) == 0 ||
                               std::strcmp(kStreetSignShapeNames[sign->shape], request) == 0;
            loop.signs.push_back(
                sSign{right, sign->collected, int(bounds.x + bounds.width / 2), int(bounds.y + bounds.height / 2)});
        }
        return loop;
    });
}

// Until the game takes clicks (its mask hidden); false when the level has
// gone on to another screen.
bool WaitForClicks(Child& child, int frames = 1500)
{
    for (int frame = 0; frame < frames; ++frame)
    {
        sLoop const loop = Read(child);
        if (loop.mode && !loop.maskShown)
            return true;
        std::string const top = child.TopScreen();
        if (top != "StreetSignsMode" && top != "FennInstructionMode")
            return false;
        child.Frames(1);
    }
    return false;
}

// The overlay of the first loop: OK when it shows one, else it closes itself.
bool PassTheOverlay(Child& child)
{
    // Loading takes as many frames as the machine makes it.
    if (!child.WaitForScreen("FennInstructionMode"))
        return false;
    child.Wait(0.5f);
    if (child.IsShown("OkButton") && !child.Click("OkButton"))
        return false;
    return child.WaitForScreen("StreetSignsMode");
}

// The automated player from the first loop's play to the end of the level:
// one wrong sign first, then every right sign, loop after loop. Returns the
// number of loops played.
int PlayEveryLoop(Child& child, std::string const& screenshot)
{
    int loops = 0;
    void const* current = nullptr;
    bool wrongTried = false;
    for (int guard = 0; guard < 60; ++guard)
    {
        if (!WaitForClicks(child))
            break;
        sLoop const loop = Read(child);
        if (loop.mode != current)
        {
            current = loop.mode;
            ++loops;
            if (loops == 1 && !screenshot.empty())
                SaveGameScreenshot(child, screenshot);
        }
        if (!wrongTried)
        {
            wrongTried = true;
            for (sSign const& sign : loop.signs)
                if (!sign.right)
                {
                    std::size_t const mark = child.Sounds().size();
                    EXPECT_TRUE(ClickAt(child, sign.x, sign.y));
                    child.Frames(2);
                    EXPECT_EQ(1, CountPlays(child, "StreetSigns_WrongSign", mark) +
                                     CountPlays(child, "StreetSigns_WrongColor", mark) +
                                     CountPlays(child, "StreetSigns_WrongShape", mark));
                    EXPECT_EQ(0, CountPlays(child, "General_CorrectAnswer", mark));
                    // The mask keeps a second answer from starting until the shake is over.
                    EXPECT_TRUE(Read(child).maskShown);
                    break;
                }
            continue;
        }
        bool clicked = false;
        for (sSign const& sign : loop.signs)
            if (sign.right && !sign.collected)
            {
                EXPECT_TRUE(ClickAt(child, sign.x, sign.y));
                clicked = true;
                break;
            }
        if (!clicked)
            child.Frames(1);
    }
    return loops;
}

// Stands for the main menu where the content has none yet.
class MainMenuStandIn : public SceneApplicationMode
{
};

class StreetSignsPlay : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string reason;
        if (!GameDriver::Driver().HasDisplay(&reason))
            GTEST_SKIP() << "no display: " << reason;
    }

    static void StartAt(GameDriver::Driver& driver, GameModeDifficulty difficulty)
    {
        GameDriver::StartMiniGame(
            driver, difficulty,
            [] {
                if (!GetGameScreenHooks().createMainMenuMode)
                    GetGameScreenHooks().createMainMenuMode = [] { return new MainMenuStandIn(); };
                return new StreetSignsMode(true, -1);
            },
            kAccountID);
    }

    // Medium and Hard are played for one loop only: the loops are the same game at every difficulty.
    static void OneLoopOnly(GameDriver::Driver& driver)
    {
        driver.UseContentCopy([](std::string const& folder) {
            ASSERT_TRUE(GameDriver::EditTextFile(folder + "/GlobalConstants.xml", [](std::string& text) {
                std::size_t const start = text.find("<intarray name=\"RepeatedGameNumLoops\">");
                std::size_t const end = text.find("</intarray>", start);
                ASSERT_NE(std::string::npos, end);
                text.replace(start, end - start,
                             "<intarray name=\"RepeatedGameNumLoops\"><int value=\"0\"/><int value=\"0\"/>"
                             "<int value=\"0\"/>");
            }));
        });
    }
};

} // namespace

TEST_F(StreetSignsPlay, AChildComesThroughFreePlayAndWinsEveryLoopAtEveryDifficulty)
{
    for (int difficulty = 0; difficulty < 3; ++difficulty)
    {
        SCOPED_TRACE(kGameModeDifficultyNames[difficulty]);
        GameDriver::Driver driver;
        if (difficulty > 0)
            OneLoopOnly(driver);
        driver.Play([difficulty](Child& child) {
            ASSERT_TRUE(GameDriver::ComeToGameThroughFreePlay(child, "StreetSigns", GameModeDifficulty(difficulty)));
            ASSERT_TRUE(child.WaitForScreen("FennInstructionMode"));
            // The truck waits at its start while the overlay is up.
            child.Wait(2.0f);
            EXPECT_TRUE(child.Look([] {
                StreetSignsMode* const game = dynamic_cast<StreetSignsMode*>(Corvane::MainLoop::GetTopMostMode(1));
                StreetSignTruck* const truck = game ? game->getTruck() : nullptr;
                Corvane::Vector2<float> const start = Corvane::Constant<Corvane::Vector2<float> >("SloamStartPosition");
                return truck && truck->GetLayoutNode()->LocalGetLocation() == start;
            }));
            ASSERT_TRUE(PassTheOverlay(child));
            std::string const stickers = GameDriver::AccountRecord(child.AccountFile(), kProfileStickerKey);
            int const loops = PlayEveryLoop(child, std::string("StreetSigns_") + kGameModeDifficultyNames[difficulty]);
            EXPECT_EQ(difficulty == 0 ? 2 : 1, loops);
            // The sticker screen with the sticker saved, then free play again.
            ASSERT_TRUE(child.WaitForScreen("FreePlaySelectMode"));
            EXPECT_EQ(std::vector<std::string>{"FreePlaySelectMode"}, child.Screens());
            EXPECT_NE(stickers, GameDriver::AccountRecord(child.AccountFile(), kProfileStickerKey));
            EXPECT_EQ(1, CountPlays(child, "StreetSigns_GameComplete"));
            // The overlay came with the first loop only.
            EXPECT_EQ(1, CountPlays(child, "GameDesc_StreetSigns"));
        });
        EXPECT_TRUE(driver.Notifications().empty());
    }
}

TEST_F(StreetSignsPlay, TheTruckRepeatsTheRequestAndTheCraneAnswers)
{
    GameDriver::Driver driver;
    StartAt(driver, kGameModeDifficulty_Easy);
    driver.Play([](Child& child) {
        ASSERT_TRUE(PassTheOverlay(child));
        ASSERT_TRUE(WaitForClicks(child));
        child.Wait(3.0f);
        std::size_t mark = child.Sounds().size();
        ASSERT_TRUE(child.Click("GameScreenRoot/Playfield/YSortedLayer/StreetSignTruck/sloamImage"));
        child.Wait(0.5f);
        std::vector<GameDriver::sSoundPlay> const plays = child.Sounds();
        bool word = false;
        for (std::size_t i = mark; i < plays.size(); ++i)
            word |= plays[i].sound.compare(0, 5, "Word_") == 0;
        EXPECT_TRUE(word) << "the request is said again";
        mark = child.Sounds().size();
        ASSERT_TRUE(child.Click("GameScreenRoot/Playfield/TollerAnimNode"));
        EXPECT_EQ(1, CountPlays(child, "VO_Toller_IThinkSo", mark));
        EXPECT_FALSE(Read(child).maskShown);
        if (std::getenv("QDL_GAME_SCREENSHOT_DIR"))
        {
            // A right sign on its way up, the hook over it.
            for (sSign const& sign : Read(child).signs)
                if (sign.right)
                {
                    ASSERT_TRUE(ClickAt(child, sign.x, sign.y));
                    break;
                }
            child.Wait(1.8f);
            SaveGameScreenshot(child, "StreetSigns_Lift");
        }
    });
}

TEST_F(StreetSignsPlay, AContentCopyWithoutEasyLevelsTellsOnceAndBuildsNothing)
{
    GameDriver::Driver driver;
    StartAt(driver, kGameModeDifficulty_Easy);
    GameDriver::WithoutLevelRecords(driver, "StreetSignsMode.xml", "StreetSignLevel", "StreetSignsEasy");
    driver.Play([](Child& child) {
        ASSERT_TRUE(PassTheOverlay(child));
        std::string const account = child.AccountFile();
        child.Wait(3.0f);
        EXPECT_EQ("StreetSignsMode", child.TopScreen());
        EXPECT_TRUE(Read(child).signs.empty());
        EXPECT_EQ(account, child.AccountFile());
        ASSERT_TRUE(child.Click("QuitButton"));
        EXPECT_TRUE(child.WaitForScreen("QuitConfirmMode"));
    });
    EXPECT_TRUE(GameDriver::IsOnlyLevelNotFound(driver.Notifications(), driver.Log(), "StreetSignsMode", "Easy"));
}
