// The hide-and-seek game over broken content, through the driver: the game's
// manifest is replaced, once the real content has loaded, by an edited copy
// (levels gone, a node gone, a level of one obstacle, text that is no XML).
// Each time the child is told plainly, can still leave, and the account keeps
// what it held.

#include <fstream>
#include <functional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Core/Source/Log.h"
#include "Core/Source/MemoryStream.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekCharacter.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekMode.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekObstacle.h"
#include "qdl/Tests/HideAndSeek/HideAndSeekPlayer.h"

using GameDriver::Child;
using namespace HideAndSeekPlayer;

namespace
{

typedef std::vector<std::string> Screens;


std::string ContentManifest()
{
    std::ifstream file(std::string(CORVANE_TEST_RESOURCES_DIR) + "/HideAndSeekMode.xml");
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string WithoutLevels(std::string const& manifest)
{
    return std::regex_replace(manifest, std::regex("<HideAndSeekLevel [^]*?</HideAndSeekLevel>"), "");
}

// Puts the text in place of the game's manifest, as a reload of the file would.
void ReplaceManifest(std::string const& text)
{
    Corvane::GetResourceManager()->Unload(L"HideAndSeekMode");
    Corvane::MemoryStream stream(L"HideAndSeekMode");
    stream.Write(text.data(), text.size());
    stream.Seek(Corvane::kSeekBegin, 0);
    try
    {
        Corvane::GetResourceManager()->LoadFromStream(&stream, L"HideAndSeekMode");
    }
    catch (std::exception const& error)
    {
        Corvane::Internal::LogWrite("HideAndSeekMode: %s\n", error.what());
    }
}

class HideAndSeekContent : public GameDriver::PlayTest
{
protected:
    void SetUpPlay() override
    {
        driver.SetAccountValue("AccountID", "SloamButton");
        driver.SetAccountValue("SloamButton_StickerCount", "7");
        driver.SetAccountValue("SloamButton_Progress", "2");
    }

    // The game at Easy over the edited manifest.
    void StartGameOver(std::string const& manifest)
    {
        driver.StartWith([manifest]() -> Corvane::ApplicationMode* {
            ReplaceManifest(manifest);
            GetLevelManager()->setDifficulty(kGameModeDifficulty_Easy);
            GetLevelManager()->setFreePlay(true);
            return new HideAndSeekMode();
        });
    }

    // The main menu reads the stickers afresh (a count without its unlock record
    // starts over), so after it only the story's place is compared.
    void ExpectAccountKept(bool stickersToo = true)
    {
        if (stickersToo)
        {
            EXPECT_EQ("7", GameDriver::AccountRecord(driver.AccountFile(), "SloamButton_StickerCount"));
        }
        EXPECT_EQ("2", GameDriver::AccountRecord(driver.AccountFile(), "SloamButton_Progress"));
    }
};

// Help and Quit are shown without the overlay, and Quit asks its question.
void ExpectAWayOut(Child& child)
{
    EXPECT_EQ(Screens{"HideAndSeekMode"}, child.Screens());
    EXPECT_TRUE(child.IsShown("HelpButton"));
    ASSERT_TRUE(child.Click("QuitButton"));
    EXPECT_TRUE(child.WaitForScreen("QuitConfirmMode"));
}

TEST_F(HideAndSeekContent, AMissingLevelIsNamedWordForWordAndHelpAndQuitStay)
{
    StartGameOver(WithoutLevels(ContentManifest()));
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("HideAndSeekMode"));
        ASSERT_TRUE(child.Frames(5));
        EXPECT_TRUE(GameDriver::IsOnlyLevelNotFound(child.Notifications(), child.Log(), "HideAndSeekMode", "Easy"));
        // The layout only: the mask up, no cat, no obstacles.
        EXPECT_EQ(nullptr, child.Look([] { return Cat(); }));
        EXPECT_TRUE(child.Look([] { return Obstacles().empty() && MaskShown(); }));
        ExpectAWayOut(child);
    });
    ExpectAccountKept();
}

TEST_F(HideAndSeekContent, ALayoutWithoutTheClickMaskIsNamedAndTheGameStaysEmpty)
{
    StartGameOver(std::regex_replace(ContentManifest(), std::regex("<scenenode nodeName=\"ClickMask\"[^>]*/>"), ""));
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("HideAndSeekMode"));
        ASSERT_TRUE(child.Frames(5));
        ASSERT_EQ(1u, child.Notifications().size());
        EXPECT_NE(std::string::npos,
                  child.Notifications()[0].find("HideAndSeekModeLayout/GameScreenRoot/Playfield/ClickMask"))
            << child.Notifications()[0];
        EXPECT_EQ(nullptr, child.Look([] { return Cat(); }));
        ExpectAWayOut(child);
    });
    ExpectAccountKept();
}

TEST_F(HideAndSeekContent, AnObstacleLayoutWithoutItsTailIsNamed)
{
    StartGameOver(std::regex_replace(ContentManifest(), std::regex("nodeName=\"MistleTail\""), "nodeName=\"Tail\""));
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("HideAndSeekMode"));
        ASSERT_TRUE(child.Frames(5));
        ASSERT_EQ(1u, child.Notifications().size());
        EXPECT_NE(std::string::npos, child.Notifications()[0].find("HideAndSeekObstacleLayout/MistleTail"))
            << child.Notifications()[0];
        EXPECT_TRUE(child.Look([] { return Obstacles().empty(); }));
        ExpectAWayOut(child);
    });
}

TEST_F(HideAndSeekContent, AManifestCutShortOrWithTagsAskewIsNamedWithTheLayout)
{
    std::string const manifest = ContentManifest();
    std::string const head = manifest.substr(0, manifest.find("<scenelayout name=\"HideAndSeekModeLayout\""));
    // A file cut off in its game screen: no screen at all, and no Quit button to
    // leave by, so the game goes where Quit's Yes would take the child.
    StartGameOver(head + "<scenelayout name=\"HideAndSeekModeLayout\"><scenen");
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
        ASSERT_EQ(1u, child.Notifications().size());
        EXPECT_NE(std::string::npos,
                  child.Notifications()[0].find("The scene layout HideAndSeekModeLayout is missing or broken"))
            << child.Notifications()[0];
    });
    ExpectAccountKept(false);

    // A game screen closed too early: the screen lacks its playfield, and the buttons stay.
    GameDriver::Driver game;
    game.SetAccountValue("AccountID", "SloamButton");
    game.SetAccountValue("SloamButton_StickerCount", "7");
    game.StartWith([head]() -> Corvane::ApplicationMode* {
        ReplaceManifest(head + "<scenelayout name=\"HideAndSeekModeLayout\"><scenenode nodeName=\"GameScreenRoot\">"
                               "<scenenode nodeName=\"UI_attach\"><buttonnode nodeName=\"QuitButton\" "
                               "name=\"QuitButton\" images=\"Button_InGame_Quit\"/></scenenode></resources>");
        return new HideAndSeekMode();
    });
    game.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("HideAndSeekMode"));
        ASSERT_TRUE(child.Frames(5));
        ASSERT_EQ(1u, child.Notifications().size());
        EXPECT_NE(std::string::npos, child.Notifications()[0].find("HideAndSeekModeLayout/GameScreenRoot/Playfield"))
            << child.Notifications()[0];
        EXPECT_EQ(nullptr, child.Look([] { return Cat(); }));
        ASSERT_TRUE(child.Click("QuitButton"));
        EXPECT_TRUE(child.WaitForScreen("QuitConfirmMode"));
    });
    EXPECT_EQ("7", GameDriver::AccountRecord(game.AccountFile(), "SloamButton_StickerCount"));
}

TEST_F(HideAndSeekContent, ALevelOfOneObstacleIsPlayedThereAndLogged)
{
    // Every level keeps its first obstacle only.
    StartGameOver(std::regex_replace(ContentManifest(),
                                     std::regex("(<HideAndSeekLevel [^>]*>\\s*<Obstacle [^>]*/>)(\\s*<Obstacle [^>]*/>)*"),
                                     "$1"));
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("HideAndSeekMode"));
        ASSERT_EQ(1u, child.Look([] { return Obstacles().size(); }));
        CatWatcher watcher;
        for (int find = 0; find < 2; ++find)
        {
            Corvane::ObjectID const place = WaitForHidingPlace(child, watcher);
            ASSERT_EQ(child.Look([] { return Obstacles()[0]->GetID(); }), place);
            ASSERT_TRUE(ClickObstacle(child, place));
            ASSERT_TRUE(child.WaitUntil([find] { return Game()->getHidesFound() == find + 1; }, "the find to count"));
        }
        EXPECT_TRUE(child.Look([] { return Game()->isOutroStarted(); }));
        // The closing sequence is queued once, however often it is asked for.
        int const queued = child.Look([] { return Cat()->GetTasks().GetUnfinishedCount(); });
        child.RunOnLoop([] { Game()->startOutroAnimation(); });
        EXPECT_EQ(queued, child.Look([] { return Cat()->GetTasks().GetUnfinishedCount(); }));
    });
    EXPECT_NE(std::string::npos, driver.Log().find("1 obstacle(s) placed")) << driver.Log();
}

TEST_F(HideAndSeekContent, WithoutOtherAnimalsAWrongClickShowsNoneAndStillAnswers)
{
    StartGameOver(std::regex_replace(ContentManifest(), std::regex("HideAndSeek_WrongAnimal_%1%"), "NoAnimal_%1%"));
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("HideAndSeekMode"));
        CatWatcher watcher;
        Corvane::ObjectID const place = WaitForHidingPlace(child, watcher);
        ASSERT_NE(Corvane::kInvalidObjectID, place);
        Corvane::ObjectID const wrong = child.Look([place] {
            return Obstacles()[0]->GetID() == place ? Obstacles()[1]->GetID() : Obstacles()[0]->GetID();
        });
        ASSERT_TRUE(ClickObstacle(child, wrong));
        ASSERT_TRUE(child.Frames(2));
        EXPECT_FALSE(child.Look([wrong] { return ObstacleByID(wrong)->getWrongAnimalNode()->GlobalIsVisible(); }));
        EXPECT_EQ(1, CountPlays(child.Sounds(), "HideAndSeek_IncorrectAnswer"));
        ASSERT_TRUE(child.WaitUntil([] { return !MaskShown(); }, "the click mask to hide"));
        EXPECT_EQ(0, child.Look([] { return Game()->getHidesFound(); }));
    });
}

} // namespace
