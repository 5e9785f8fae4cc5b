// HammerTheNail played through the driver over the real content: the
// automated player wins every loop at each difficulty; the outro's timing;
// the sticker at the end; wrong moves; the hint after a pick-up; quitting with
// a tool in hand; a missing level; a layout without a node the game needs.

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Core/Source/Label.h"
#include "Core/Source/MemoryStream.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "CorvaneExtensions/Source/SceneApplicationMode.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/FrontEnd/FrontEndMode.h"
#include "qdl/Source/Game/GameMakers.h"
#include "qdl/Source/Game/GameScreenHooks.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/StickerManager.h"
#include "qdl/Source/Game/HammerTheNail/HammerTheNailMode.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"
#include "qdl/Tests/HammerTheNail/HammerTheNailPlayer.h"

using GameDriver::Child;
using namespace HammerTheNailPlayer;

namespace
{
char const* const kProfile = "PondoButton";

HammerTheNailMode* Game()
{
    return dynamic_cast<HammerTheNailMode*>(Corvane::MainLoop::GetTopMostMode(0));
}

class HammerTheNailPlay : public GameDriver::PlayTest
{
protected:
    void SetUpPlay() override
    {
        driver.SetAccountValue("AccountID", kProfile);
    }

    // The game as free play starts it, at the difficulty.
    void StartGame(GameModeDifficulty difficulty)
    {
        driver.StartWith([difficulty]() -> Corvane::ApplicationMode* {
            GetLevelManager()->setDifficulty(difficulty);
            GetLevelManager()->setFreePlay(true);
            GetStickerManager()->loadUnlockedStickerData();
            return createHammerTheNailGame(Corvane::Label());
        });
    }
};

class HammerTheNailWins : public HammerTheNailPlay, public ::testing::WithParamInterface<GameModeDifficulty>
{
};

// Until the popup on top has come to rest and its buttons act.
bool WaitForPopup(Child& child, std::string const& screen)
{
    return child.WaitForScreen(screen) && child.WaitUntil(
                                              [] {
                                                  PopupMode const* const popup =
                                                      dynamic_cast<PopupMode*>(Corvane::MainLoop::GetTopMostMode(0));
                                                  return popup && !popup->isIgnoringMouseClicks();
                                              },
                                              "the popup to come to rest");
}

// Title, Play, the profile, OK, New game, Free play, the game's picture, the difficulty, OK.
void TakeTheRouteToTheGame(Child& child, char const* difficultyButton)
{
    ASSERT_TRUE(child.WaitForScreen("TitleMode"));
    ASSERT_TRUE(child.Click("PlayButton"));
    ASSERT_TRUE(WaitForPopup(child, "MyAccountMode"));
    ASSERT_TRUE(child.Click(kProfile));
    ASSERT_TRUE(child.Click("OkButton"));
    ASSERT_TRUE(WaitForPopup(child, "AccountConfirmMode"));
    ASSERT_TRUE(child.Click("NewGame"));
    ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
    ASSERT_TRUE(child.Wait(0.2f));
    ASSERT_TRUE(child.Click("FreePlayButton"));
    ASSERT_TRUE(child.WaitForScreen("FreePlaySelectMode"));
    ASSERT_TRUE(child.Click("HammerTheNail"));
    ASSERT_TRUE(WaitForPopup(child, "DifficultySelectMode"));
    ASSERT_TRUE(child.Click(difficultyButton));
    ASSERT_TRUE(child.Click("OkButton"));
}

TEST_P(HammerTheNailWins, ThePlayerDrivesInEveryNailOfEveryLoopAndEarnsASticker)
{
    GameModeDifficulty const difficulty = GetParam();
    driver.Play([difficulty](Child& child) {
        char const* const buttons[] = {"EasyButton", "MediumButton", "HardButton"};
        TakeTheRouteToTheGame(child, buttons[difficulty]);
        if (::testing::Test::HasFatalFailure())
            return;
        ASSERT_TRUE(child.WaitUntil([] { return Game() || Corvane::MainLoop::GetTopMostMode(1) != nullptr; },
                                    "the game, or a screen over it"));
        EXPECT_EQ(difficulty, child.Look([] { return GetLevelManager()->getDifficulty(); }));
        // Only the first loop shows the instruction overlay.
        ASSERT_TRUE(child.WaitForScreen("FennInstructionMode"));
        EXPECT_EQ((std::vector<std::string>{"HammerTheNailMode", "FennInstructionMode"}), child.Screens());
        ASSERT_TRUE(DismissOverlay(child));
        EXPECT_TRUE(child.Look([] { return Game()->getPlayIntro(); }));
        int const loops = child.Look([] { return Game()->getLoopsLeft(); }) + 1;
        std::string const countKey = std::string(kProfile) + "_StickerCount";
        int const stickersBefore = std::atoi(GameDriver::AccountRecord(child.AccountFile(), countKey).c_str());
        EXPECT_GT(stickersBefore, 0) << "the main menu has loaded the profile's stickers";
        for (int loop = 0; loop < loops; ++loop)
        {
            SCOPED_TRACE("loop " + std::to_string(loop + 1) + " of " + std::to_string(loops));
            ASSERT_EQ("HammerTheNailMode", child.TopScreen());
            EXPECT_EQ((std::vector<std::string>{"HammerTheNailMode"}), child.Screens());
            HammerTheNailMode* const mode = child.Look(Game);
            std::vector<sPiece> const nails = child.Look(ReadNails);
            std::vector<sPiece> const tools = child.Look(ReadTools);
            ASSERT_FALSE(nails.empty());
            EXPECT_LE(tools.size(), 4u);
            if (loop == 0)
            {
                // A picture with a tool in hand over the board, where a child would see it.
                ASSERT_TRUE(PickUp(child, nails[0].type, nails[0].color));
                child.MoveMouseTo(nails[0].x, nails[0].y - 60);
                if (char const* const prefix = std::getenv("QDL_HAMMERTHENAIL_SCREENSHOT"))
                {
                    EXPECT_TRUE(child.SaveScreenshot(std::string(prefix) + "_" +
                                                     kGameModeDifficultyNames[difficulty] + ".png"));
                }
            }
            int const completes = CountPlays(child.Sounds(), "FixIt_GameComplete");
            ASSERT_TRUE(DriveInEveryNail(child));
            // The outro: the mask stays up, the closing line after 1.0 s, the next loop 2.0 s later.
            EXPECT_TRUE(child.Look(IsOutroStarted));
            EXPECT_TRUE(child.Look(IsInputMasked));
            int toVoice = -1;
            for (int frame = 0; frame <= 80 && toVoice < 0; ++frame)
                if (CountPlays(child.Sounds(), "FixIt_GameComplete") > completes)
                    toVoice = frame;
                else
                    child.Frames(1);
            EXPECT_NEAR(50, toVoice, 3);
            EXPECT_TRUE(child.Look(IsInputMasked));
            if (loop + 1 < loops)
            {
                EXPECT_NEAR(100, child.FramesUntil([mode] { return Game() != mode; }, "the game to change"), 3);
                ASSERT_TRUE(child.Within(Child::OnTop("HammerTheNailMode"), 0.1f));
                EXPECT_EQ(loops - loop - 2, child.Look([] { return Game()->getLoopsLeft(); }));
                EXPECT_FALSE(child.Look([] { return Game()->getPlayIntro(); }));
                EXPECT_EQ("HammerTheNailMode", child.TopScreen()) << "no overlay after the first loop";
                continue;
            }
            // After the last loop the level ends: a sticker is saved in the profile and its screen shown.
            int toSticker = -1;
            for (int frame = 0; frame <= 150 && toSticker < 0; ++frame)
                if (std::atoi(GameDriver::AccountRecord(child.AccountFile(), countKey).c_str()) == stickersBefore + 1)
                    toSticker = frame;
                else
                    child.Frames(1);
            EXPECT_NEAR(100, toSticker, 3);
            EXPECT_NE("", GameDriver::AccountRecord(child.AccountFile(), std::string(kProfile) + "_StickerUnlockArray"));
        }
        // The sticker screen, then back to the free-play selection.
        EXPECT_TRUE(child.WaitForScreen("StickerUnlockMode"));
        ASSERT_TRUE(child.WaitForScreen("FreePlaySelectMode"));
        EXPECT_EQ((std::vector<std::string>{"FreePlaySelectMode"}), child.Screens());
    });
    EXPECT_EQ(std::vector<std::string>{}, driver.Notifications());
}

INSTANTIATE_TEST_SUITE_P(EveryDifficulty, HammerTheNailWins,
                         ::testing::Values(kGameModeDifficulty_Easy, kGameModeDifficulty_Medium,
                                           kGameModeDifficulty_Hard),
                         [](::testing::TestParamInfo<GameModeDifficulty> const& info) {
                             return std::string(kGameModeDifficultyNames[info.param]);
                         });

} // namespace

namespace
{
// The tool of the nail's type in another colour, in the box; Hard levels always have one.
bool FindDecoy(std::vector<sPiece> const& nails, std::vector<sPiece> const& tools, sPiece* nail, sPiece* decoy)
{
    for (sPiece const& n : nails)
        for (sPiece const& t : tools)
            if (n.frame > 0 && t.type == n.type && t.color != n.color)
            {
                *nail = n;
                *decoy = t;
                return true;
            }
    return false;
}

int NailFrameAt(int x, int y)
{
    for (sPiece const& nail : ReadNails())
        if (nail.x == x && nail.y == y)
            return nail.frame;
    return -1;
}

TEST_F(HammerTheNailPlay, WrongMovesAreAnsweredAndLeaveTheBoardAsItWas)
{
    StartGame(kGameModeDifficulty_Hard);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("HammerTheNailMode"));
        ASSERT_TRUE(DismissOverlay(child));
        sPiece nail, decoy;
        ASSERT_TRUE(FindDecoy(child.Look(ReadNails), child.Look(ReadTools), &nail, &decoy));

        // A click on a nail with no tool in hand does nothing at all.
        std::vector<GameDriver::sSoundPlay> before = child.Sounds();
        ASSERT_TRUE(ClickAt(child, nail.x, nail.y));
        child.Frames(2);
        EXPECT_EQ(before.size(), child.Sounds().size());
        EXPECT_EQ(1, child.Look([] { return Game()->getHintLevel(); }));

        // The right type in the wrong colour: named, the nail unchanged, the tool kept in hand.
        ASSERT_TRUE(PickUp(child, decoy.type, decoy.color));
        EXPECT_EQ(2, child.Look([] { return Game()->getHintLevel(); }));
        EXPECT_EQ(CountPlays(before, "SFX_ObjectStick") + 1, CountPlays(child.Sounds(), "SFX_ObjectStick"));
        ASSERT_TRUE(ClickAt(child, nail.x, nail.y));
        child.Frames(2);
        EXPECT_EQ(CountPlays(before, "FixIt_WrongTool") + 1, CountPlays(child.Sounds(), "FixIt_WrongTool"));
        EXPECT_EQ(CountPlays(before, "SFX_Screw"), CountPlays(child.Sounds(), "SFX_Screw"));
        EXPECT_EQ(nail.frame, child.Look([&nail] { return NailFrameAt(nail.x, nail.y); }));
        EXPECT_NE(nullptr, child.Look(FloatingTool));
        EXPECT_FALSE(child.Look(IsInputMasked));

        // A second tool while one is held: the first goes back to its box.
        before = child.Sounds();
        ASSERT_TRUE(PickUp(child, nail.type, nail.color));
        EXPECT_EQ(CountPlays(before, "SFX_Toolbox") + 1, CountPlays(child.Sounds(), "SFX_Toolbox"));
        EXPECT_EQ(CountPlays(before, "SFX_ObjectStick") + 1, CountPlays(child.Sounds(), "SFX_ObjectStick"));
        std::vector<sPiece> tools = child.Look(ReadTools);
        EXPECT_EQ(1, std::count_if(tools.begin(), tools.end(), [](sPiece const& t) { return !t.inBox; }));
        EXPECT_TRUE(std::any_of(tools.begin(), tools.end(), [&decoy](sPiece const& t) {
            return t.type == decoy.type && t.color == decoy.color && t.inBox;
        }));

        // Drive the nail in, then click it again with a wrong tool: it is complete, whatever the tool.
        for (int left = nail.frame; left > 0; --left)
        {
            ASSERT_TRUE(ClickAt(child, nail.x, nail.y));
            ASSERT_TRUE(child.WaitUntil([&nail, left] { return NailFrameAt(nail.x, nail.y) == left - 1; },
                                        "the nail to go in one step"));
            ASSERT_TRUE(
                child.WaitUntil([] { return !IsInputMasked() || IsOutroStarted(); }, "the game to take clicks or end"));
        }
        ASSERT_FALSE(child.Look(IsOutroStarted));
        ASSERT_TRUE(PickUp(child, decoy.type, decoy.color));
        before = child.Sounds();
        ASSERT_TRUE(ClickAt(child, nail.x, nail.y));
        child.Frames(2);
        EXPECT_EQ(CountPlays(before, "FixIt_NailComplete") + 1, CountPlays(child.Sounds(), "FixIt_NailComplete"));
        EXPECT_EQ(CountPlays(before, "FixIt_WrongTool"), CountPlays(child.Sounds(), "FixIt_WrongTool"));
        EXPECT_EQ(0, child.Look([&nail] { return NailFrameAt(nail.x, nail.y); }));

        // A click on the bare wall puts the tool back.
        before = child.Sounds();
        ASSERT_TRUE(ClickAt(child, 300, 30));
        EXPECT_EQ(CountPlays(before, "SFX_Toolbox") + 1, CountPlays(child.Sounds(), "SFX_Toolbox"));
        child.Frames(2);
        EXPECT_EQ(nullptr, child.Look(FloatingTool));
        tools = child.Look(ReadTools);
        EXPECT_TRUE(std::all_of(tools.begin(), tools.end(), [](sPiece const& t) { return t.inBox; }));
        EXPECT_EQ(1, child.Look([] { return Game()->getHintLevel(); }));

        // The hint of a tool in hand, 25 s after the pick-up.
        ASSERT_TRUE(PickUp(child, decoy.type, decoy.color));
        before = child.Sounds();
        child.Wait(24.8f);
        EXPECT_EQ(CountPlays(before, "InGameHint_FixIt_2"), CountPlays(child.Sounds(), "InGameHint_FixIt_2"));
        child.Wait(0.4f);
        EXPECT_EQ(CountPlays(before, "InGameHint_FixIt_2") + 1, CountPlays(child.Sounds(), "InGameHint_FixIt_2"));
    });
    EXPECT_EQ(std::vector<std::string>{}, driver.Notifications());
}

TEST_F(HammerTheNailPlay, QuitWithAToolInHandAsksFirstAndLeavesTheProfileAlone)
{
    StartGame(kGameModeDifficulty_Easy);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("HammerTheNailMode"));
        ASSERT_TRUE(DismissOverlay(child));
        std::string const account = child.AccountFile();
        sPiece const nail = child.Look(ReadNails).front();
        ASSERT_TRUE(PickUp(child, nail.type, nail.color));
        ASSERT_TRUE(child.Click("QuitButton"));
        ASSERT_TRUE(child.Within(Child::OnTop("QuitConfirmMode"), 0.1f));
        ASSERT_TRUE(child.WaitUntil([] { return Child::FindNode("NoButton") != nullptr; }, "the quit question"));
        child.Wait(1.0f);
        ASSERT_TRUE(child.Click("NoButton"));
        ASSERT_TRUE(child.WaitForScreen("HammerTheNailMode"));
        EXPECT_NE(nullptr, child.Look(FloatingTool)) << "the tool is still in hand";
        ASSERT_TRUE(child.Click("QuitButton"));
        ASSERT_TRUE(child.Within(Child::OnTop("QuitConfirmMode"), 0.1f));
        child.Wait(1.0f);
        ASSERT_TRUE(child.Click("YesButton"));
        child.Frames(5);
        EXPECT_EQ(GameDriver::AccountRecord(account, std::string(kProfile) + "_StickerCount"),
                  GameDriver::AccountRecord(child.AccountFile(), std::string(kProfile) + "_StickerCount"));
        EXPECT_EQ(GameDriver::AccountRecord(account, std::string(kProfile) + "_Progress"),
                  GameDriver::AccountRecord(child.AccountFile(), std::string(kProfile) + "_Progress"));
    });
}

TEST_F(HammerTheNailPlay, AMissingLevelIsNotifiedAndTheGameRunsOnEmpty)
{
    StartGame(kGameModeDifficulty_Medium);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("HammerTheNailMode"));
        child.RunOnLoop([] { Game()->initializeLevel(Corvane::Label::GetUniqueString("NoSuchHammerLevel")); });
        child.Frames(2);
        // A notification is kept as "<title>: <message>"; this one has no title.
        EXPECT_EQ((std::vector<std::string>{
                      ": Difficulty Level Not Found for HammerTheNailMode. Fix the problem and press F5 to reload"}),
                  child.Notifications());
        EXPECT_NE(std::string::npos, child.Log().find("HammerTheNailMode: the level \"NoSuchHammerLevel\" is missing "
                                                      "from HammerTheNailMode.xml or could not be read\n"));
    });
}

// A layout without the nails' parent, in place of the game's manifest.
void ReplaceManifest(std::wstring const& text)
{
    Corvane::GetResourceManager()->Unload(L"HammerTheNailMode");
    Corvane::MemoryStream stream(L"HammerTheNailMode");
    std::string const bytes = Corvane::ConvertStringWideToUTF8String(text);
    stream.Write(bytes.data(), bytes.size());
    stream.Seek(Corvane::kSeekBegin, 0);
    Corvane::GetResourceManager()->LoadFromStream(&stream, L"HammerTheNailMode");
}

TEST_F(HammerTheNailPlay, ALayoutWithoutANodeOfTheGameIsNotifiedAndQuitStillLeaves)
{
    driver.StartWith([]() -> Corvane::ApplicationMode* {
        ReplaceManifest(L"<resources><scenelayout name='HammerTheNailModeLayout'>"
                        L"<scenenode nodeName='GameScreenRoot' width='800' height='600'>"
                        L"<scenenode nodeName='Playfield' width='800' height='600'/>"
                        L"<scenenode nodeName='FX_Layer'/>"
                        L"<scenenode nodeName='UI_attach'><buttonnode nodeName='QuitButton' name='QuitButton' "
                        L"images='Button_Title_Quit' visible='false'/></scenenode>"
                        L"</scenenode></scenelayout></resources>");
        return createHammerTheNailGame(Corvane::Label());
    });
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("HammerTheNailMode"));
        child.Frames(2);
        EXPECT_EQ((std::vector<std::string>{": Node GameScreenRoot/Playfield/DropItem_ClickMask Not Found in "
                                            "HammerTheNailModeLayout for HammerTheNailMode. Fix the problem and "
                                            "press F5 to reload"}),
                  child.Notifications());
        ASSERT_TRUE(child.Click("QuitButton"));
        EXPECT_TRUE(child.Within(Child::OnTop("QuitConfirmMode"), 0.1f));
        // Without its layout the game is not started at all.
        EXPECT_FALSE(child.Look([] {
            ReplaceManifest(L"<resources><HammerTheNailLevel name='Orphan' difficulty='Easy'/></resources>");
            return createHammerTheNailGame(Corvane::Label()) != nullptr;
        }));
    });
    EXPECT_NE(std::string::npos, driver.Log().find("HammerTheNailModeLayout is missing"));
}
} // namespace

namespace
{
// The game's constants as built, with the tools' attach-offset lists replaced.
void ReplaceAttachOffsets(std::string const& screw, std::string const& wrench)
{
    std::ifstream file(std::string(CORVANE_TEST_RESOURCES_DIR) + "/GlobalConstants.xml");
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    auto replace = [&text](std::string const& name, std::string const& list) {
        size_t const start = text.find("<vector2farray name=\"" + name + "\">");
        size_t const end = text.find("</vector2farray>", start) + std::string("</vector2farray>").size();
        ASSERT_NE(std::string::npos, start) << name;
        text.replace(start, end - start, "<vector2farray name=\"" + name + "\">" + list + "</vector2farray>");
    };
    replace("ScrewToolAttachOffset", screw);
    replace("WrenchToolAttachOffset", wrench);
    Corvane::GetResourceManager()->Unload(L"GlobalConstants");
    Corvane::MemoryStream stream(L"GlobalConstants");
    stream.Write(text.data(), text.size());
    stream.Seek(Corvane::kSeekBegin, 0);
    Corvane::GetResourceManager()->LoadFromStream(&stream, L"GlobalConstants");
}

Corvane::Vector2<float> FloatingToolLocation()
{
    SceneNode* const floating = FloatingTool();
    return floating ? floating->LocalGetLocation() : Corvane::Vector2<float>(-1.0f, -1.0f);
}

TEST_F(HammerTheNailPlay, AClickCountPastAnOffsetListTakesItsLastEntryAndAnEmptyListTheNailsCorner)
{
    driver.StartWith([]() -> Corvane::ApplicationMode* {
        ReplaceAttachOffsets("<vector2f x='40' y='82'/><vector2f x='33' y='44'/>", "");
        GetLevelManager()->setDifficulty(kGameModeDifficulty_Hard);
        return createHammerTheNailGame(Corvane::Label());
    });
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("HammerTheNailMode"));
        ASSERT_TRUE(DismissOverlay(child));
        std::vector<sPiece> const nails = child.Look(ReadNails);
        int deepScrews = 0;
        bool wrenchSeen = false;
        for (sPiece const& nail : nails)
        {
            bool const driver = nail.type != kFixItToolType_Wrench;
            if ((driver && nail.frame < 2) || (!driver && (nail.frame < 1 || wrenchSeen)))
                continue;
            ASSERT_TRUE(PickUp(child, nail.type, nail.color));
            ASSERT_TRUE(ClickAt(child, nail.x, nail.y));
            Corvane::Vector2<float> const expected = driver ? Corvane::Vector2<float>(nail.left + 33.0f, nail.top + 44.0f)
                                                            : Corvane::Vector2<float>(float(nail.left), float(nail.top));
            EXPECT_EQ(expected, child.Look(FloatingToolLocation)) << kFixItToolTypeNames[nail.type];
            ASSERT_TRUE(
                child.WaitUntil([] { return !IsInputMasked() || IsOutroStarted(); }, "the game to take clicks or end"));
            deepScrews += driver;
            wrenchSeen = wrenchSeen || !driver;
        }
        EXPECT_TRUE(wrenchSeen);
        EXPECT_GT(deepScrews, 0);
    });
    std::string const log = driver.Log();
    size_t const first = log.find("ScrewToolAttachOffset has no entry");
    EXPECT_NE(std::string::npos, first) << log;
    EXPECT_EQ(std::string::npos, log.find("ScrewToolAttachOffset has no entry", first + 1)) << "logged once";
    EXPECT_NE(std::string::npos, log.find("WrenchToolAttachOffset has no entry"));
}
} // namespace

namespace
{
// Stands for the main menu, from which the story's button starts the next step.
class MenuStandIn : public SceneApplicationMode
{
};

// Stands for the story's next game.
class HereToThereStandIn : public SceneApplicationMode
{
};

TEST_F(HammerTheNailPlay, TheStoryStartsTheGameAloneAndWinningMovesItOn)
{
    driver.SetAccountValue(std::string(kProfile) + "_Progress", "2");
    driver.StartWith([]() -> Corvane::ApplicationMode* {
        GetLevelManager()->setDifficulty(kGameModeDifficulty_Easy);
        GetLevelManager()->setFreePlay(false);
        GetGameScreenHooks().createGameMode = [](GameModeType type, Corvane::Label level) -> Corvane::ApplicationMode* {
            if (type == kGameModeType_HereToThere)
                return new HereToThereStandIn;
            return createGameModeOfType(type, level);
        };
        return new MenuStandIn;
    });
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("(anonymous namespace)::MenuStandIn"));
        child.RunOnLoop([] {
            GetLevelManager()->setLevelProgression(Corvane::Label::GetUniqueString("ParkStory"));
            GetLevelManager()->beginNextLevelProgressionMode();
        });
        ASSERT_TRUE(child.WaitUntil(
            [] { return dynamic_cast<HammerTheNailMode*>(Corvane::MainLoop::GetTopMostMode(1)) || Game(); },
            "the game, or a screen over it"));
        ASSERT_TRUE(DismissOverlay(child));
        // The game alone on the stack: the menu is gone.
        EXPECT_EQ((std::vector<std::string>{"HammerTheNailMode"}), child.Screens());
        std::string const progressKey = std::string(kProfile) + "_Progress";
        int const loops = child.Look([] { return Game()->getLoopsLeft(); }) + 1;
        for (int loop = 0; loop < loops; ++loop)
        {
            ASSERT_TRUE(child.WaitForScreen("HammerTheNailMode"));
            ASSERT_TRUE(DriveInEveryNail(child));
            HammerTheNailMode* const mode = child.Look(Game);
            ASSERT_TRUE(child.WaitUntil([mode] { return Game() != mode; }, "the game to change"));
        }
        // The sticker screen, then the story's next step: HereToThere.
        ASSERT_TRUE(child.WaitForScreen("(anonymous namespace)::HereToThereStandIn"));
        EXPECT_EQ((std::vector<std::string>{"(anonymous namespace)::HereToThereStandIn"}), child.Screens());
        EXPECT_EQ("3", GameDriver::AccountRecord(child.AccountFile(), progressKey));
    });
}
} // namespace
