// The counting game over broken copies of its content, played through the
// driver: a malformed manifest, no level at the chosen difficulty, a layout
// without a node the game needs. Each gives a clear message; the child can
// still leave, and the profile is left as it was.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/MainLoop.h"
#include "CorvaneExtensions/Source/ButtonNode.h"
#include "CorvaneExtensions/Source/SceneApplicationMode.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/GameMakers.h"
#include "qdl/Source/Game/GameScreenHooks.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/StickerManager.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsMode.h"
#include "qdl/Tests/CountTheMaterials/CountTheMaterialsPlayer.h"
#include "qdl/Tests/CountTheMaterials/CountTheMaterialsTestSupport.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"

using GameDriver::Child;
using namespace CountTheMaterialsPlayer;
using namespace CountTheMaterialsTestSupport;

namespace
{

class MainMenuStandIn : public SceneApplicationMode
{
};

char const* const kManifest = "CountTheMaterialsMode.xml";

class CountTheMaterialsContent : public GameDriver::PlayTest
{
protected:
    void SetUpPlay() override
    {
        driver.SetAccountValue("AccountID", "GrubbinButton");
        driver.SetAccountValue("GrubbinButton_Progress", "3");
    }

    // The game over a copy of the content whose manifest is the text.
    void StartAt(GameModeDifficulty difficulty, std::string const& manifest)
    {
        driver.UseContentCopy(
            [manifest](std::string const& folder) { ReplaceContent(folder, kManifest, manifest); });
        driver.StartWith([difficulty]() -> Corvane::ApplicationMode* {
            GetGameScreenHooks().createMainMenuMode = [] { return new MainMenuStandIn; };
            GetLevelManager()->setFreePlay(true);
            GetLevelManager()->setDifficulty(difficulty);
            GetStickerManager()->loadUnlockedStickerData();
            return createGameModeOfType(kGameModeType_CountTheMaterials, Corvane::Label());
        });
    }

    // Quit and Yes, as their clicks reach the screens.
    static void Leave(Child& child)
    {
        std::string const account = child.AccountFile();
        ASSERT_TRUE(child.WaitUntil([] { return Child::FindNode("QuitButton") != nullptr; }, "the Quit button"));
        EXPECT_TRUE(child.Look([] { return Child::FindNode("QuitButton")->LocalIsVisible(); }));
        child.RunOnLoop([] { dynamic_cast<ButtonNode*>(Child::FindNode("QuitButton"))->Click(); });
        ASSERT_TRUE(child.WaitForScreen("QuitConfirmMode"));
        ASSERT_TRUE(child.Wait(1.0f));
        child.RunOnLoop([] { dynamic_cast<ButtonNode*>(Child::FindNode("YesButton"))->Click(); });
        ASSERT_TRUE(child.WaitForScreen("(anonymous namespace)::MainMenuStandIn"));
        std::string const after = child.AccountFile();
        for (char const* key : {"GrubbinButton_StickerCount", "GrubbinButton_StickerUnlockArray", "GrubbinButton_Progress"})
            EXPECT_EQ(GameDriver::AccountRecord(account, key), GameDriver::AccountRecord(after, key)) << key;
        EXPECT_EQ("3", GameDriver::AccountRecord(after, "GrubbinButton_Progress"));
    }
};

TEST_F(CountTheMaterialsContent, WithoutALevelAtTheDifficultyTheMessageSaysSoAndQuitLeaves)
{
    std::string text = OriginalContent(kManifest);
    // Every Hard level of another difficulty and name (a level manager that
    // outlived an earlier play in this process still lists the old names).
    for (std::string const& word : {std::string("difficulty=\"Hard\""), std::string("name=\"CountTheMaterials_Hard_")})
        for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at))
            text.replace(at, word.size(), word.substr(0, word.size() - 5) + "Duro" + word.substr(word.size() - 1));
    StartAt(kGameModeDifficulty_Hard, text);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("CountTheMaterialsMode"));
        ASSERT_TRUE(child.Frames(5));
        EXPECT_TRUE(
            GameDriver::IsOnlyLevelNotFound(child.Notifications(), child.Log(), "CountTheMaterialsMode", "Hard"));
        // No overlay, an empty playfield, Help and Quit.
        EXPECT_EQ((std::vector<std::string>{"CountTheMaterialsMode"}), child.Screens());
        EXPECT_TRUE(ReadPiles(child)[0].path.size() > 0 && ReadPiles(child)[0].material < 0);
        EXPECT_TRUE(child.Look([] { return Child::FindNode("HelpButton")->LocalIsVisible(); }));
        Leave(child);
    });
}

TEST_F(CountTheMaterialsContent, ALayoutWithoutTheClickMaskIsNamedAndQuitLeaves)
{
    std::string text = OriginalContent(kManifest);
    std::string const mask = "<scenenode nodeName=\"Material_ClickMask\"";
    size_t const at = text.find(mask);
    ASSERT_NE(std::string::npos, at);
    text.replace(at, mask.size(), "<scenenode nodeName=\"Mascara\"");
    StartAt(kGameModeDifficulty_Easy, text);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("CountTheMaterialsMode"));
        ASSERT_TRUE(child.Frames(5));
        std::vector<std::string> const notes = child.Notifications();
        ASSERT_EQ(1u, notes.size());
        EXPECT_NE(std::string::npos, notes[0].find("CountTheMaterialModeLayout has no node "
                                                   "GameScreenRoot/Playfield/Material_ClickMask"))
            << notes[0];
        EXPECT_EQ(-1, ReadRequest(child).count);
        Leave(child);
    });
}

TEST_F(CountTheMaterialsContent, APilePlaceMissingFromTheLayoutIsPassedOverAndLogged)
{
    std::string text = OriginalContent(kManifest);
    std::string const place = "nodeName=\"MaterialSources_1\"";
    size_t const at = text.find(place);
    ASSERT_NE(std::string::npos, at);
    text.replace(at, place.size(), "nodeName=\"MaterialSources_9\"");
    StartAt(kGameModeDifficulty_Medium, text);
    driver.Play([](Child& child) {
        ASSERT_TRUE(CloseOverlay(child));
        ASSERT_TRUE(WaitForPiles(child));
        std::vector<sSeen> const piles = ReadPiles(child);
        // Medium levels have four piles: one had no place.
        EXPECT_GE(piles[0].material, 0);
        EXPECT_LT(piles[1].material, 0);
        EXPECT_GE(piles[2].material, 0);
        EXPECT_GE(piles[3].material, 0);
        EXPECT_LT(piles[4].material, 0);
        EXPECT_TRUE(child.Notifications().empty());
    });
    EXPECT_NE(std::string::npos, driver.Log().find("has no pile place MaterialSources_1")) << driver.Log();
}

TEST_F(CountTheMaterialsContent, AMalformedManifestGivesAMessageAndTheChildCanLeave)
{
    std::string text = OriginalContent(kManifest);
    text.resize(text.size() / 2);
    StartAt(kGameModeDifficulty_Medium, text);
    driver.Play([](Child& child) {
        // The layout's Quit button went with the manifest: the game goes where Quit's Yes leads.
        ASSERT_TRUE(child.WaitForScreen("(anonymous namespace)::MainMenuStandIn"));
        std::vector<std::string> const notes = child.Notifications();
        ASSERT_EQ(1u, notes.size());
        EXPECT_NE(std::string::npos, notes[0].find("the scene layout CountTheMaterialModeLayout is not loaded"))
            << notes[0];
        EXPECT_EQ("3", GameDriver::AccountRecord(child.AccountFile(), "GrubbinButton_Progress"));
    });
    EXPECT_NE(std::string::npos, driver.Log().find("CountTheMaterialsMode could not be loaded")) << driver.Log();
}

} // namespace
