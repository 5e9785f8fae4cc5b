// Wrong piles, the hint, presses that come too fast and leaving in the middle
// of a delivery, played through the driver on Hard.

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "CorvaneExtensions/Source/ButtonNode.h"
#include "CorvaneExtensions/Source/SceneApplicationMode.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/GameScreenHooks.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/StickerManager.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsMode.h"
#include "qdl/Source/Game/CountTheMaterials/DraggableMaterial.h"
#include "qdl/Tests/CountTheMaterials/CountTheMaterialsPlayer.h"
#include "qdl/Tests/CountTheMaterials/CountTheMaterialsTestSupport.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"

using GameDriver::Child;
using namespace CountTheMaterialsPlayer;
using namespace CountTheMaterialsTestSupport;

namespace
{

// Stands for the main menu, where Yes in the quit question leads.
class MainMenuStandIn : public SceneApplicationMode
{
};

class CountTheMaterialsAnswers : public GameDriver::PlayTest
{
protected:
    void SetUpPlay() override
    {
        driver.SetAccountValue("AccountID", "SloamButton");
        driver.SetAccountValue("SloamButton_Progress", "5");
        driver.StartWith([]() -> Corvane::ApplicationMode* {
            GetGameScreenHooks().createMainMenuMode = [] { return new MainMenuStandIn; };
            GetLevelManager()->setFreePlay(true);
            GetLevelManager()->setDifficulty(kGameModeDifficulty_Hard);
            GetStickerManager()->loadUnlockedStickerData();
            return new CountTheMaterialsMode(false, -1);
        });
    }
};

// Until a sound whose name starts so is asked for after the play numbered `from`.
bool WaitForSoundStartingWith(Child& child, size_t from, std::string const& start)
{
    for (int frame = 0; frame < 300; frame += 5)
    {
        for (std::string const& sound : SoundsSince(child, from))
            if (sound.rfind(start, 0) == 0)
                return true;
        if (!child.Frames(5))
            return false;
    }
    return false;
}

// The first pile for which the test says yes.
template <class Test>
int PlaceWhere(std::vector<sSeen> const& piles, Test const& test)
{
    for (size_t place = 0; place < piles.size(); ++place)
        if (piles[place].material >= 0 && test(piles[place]))
            return static_cast<int>(place);
    return -1;
}

// Presses the pile twice within one frame, as the pile's own handler is called.
void PressTwiceInOneFrame(Child& child, std::string const& picturePath)
{
    child.RunOnLoop([&picturePath] {
        DraggableMaterial* const pile = PileAt(picturePath);
        ASSERT_NE(nullptr, pile);
        pile->handleMouseDown();
        pile->handleMouseDown();
    });
}

// Clicks the wrong pile (or presses it twice in one frame), checks that its
// line is said once, as the digger reaches it, and that the piles open again
// once the digger is back.
void VisitWrongPile(Child& child, sSeen const& pile, std::string const& line, bool twice)
{
    SCOPED_TRACE(line);
    size_t const from = child.Sounds().size();
    Corvane::Vector2<float> const pickUp = child.Look([&pile] {
        SceneNode* const root = Child::FindNode(pile.path)->GetParent();
        Corvane::Rect<float> const bounds = root->GlobalGetBounds();
        Corvane::Vector2<float> const offset = ConstantPoint("MaterialPickupOffset");
        return Corvane::Vector2<float>(bounds.x + offset.x, bounds.y + bounds.height + offset.y);
    });
    if (twice)
    {
        PressTwiceInOneFrame(child, pile.path);
    }
    else
    {
        ASSERT_TRUE(child.Click(pile.path));
    }
    EXPECT_TRUE(child.Look([] { return TopGame()->getClickMask()->GlobalIsVisible(); }));
    // The line comes when the digger stands at the pile, not before.
    bool arrivedWithLine = false;
    for (int frame = 0; frame < 400; ++frame)
    {
        if (CountOf(SoundsSince(child, from), line) > 0)
        {
            arrivedWithLine = child.Look([pickUp] { return Near(DiggerRoot()->LocalGetLocation(), pickUp); });
            if (char const* const folder = std::getenv("QDL_CTM_SCREENSHOT_DIR"))
            {
                EXPECT_TRUE(child.SaveScreenshot(std::string(folder) + "/CountTheMaterials_" + line + ".png"));
            }
            break;
        }
        ASSERT_TRUE(child.Frames(1));
    }
    EXPECT_TRUE(arrivedWithLine);
    std::vector<std::string> const heard = SoundsSince(child, from);
    EXPECT_EQ(1, CountOf(heard, line));
    EXPECT_EQ(1, CountOf(heard, "SFX_GrubbinMove"));
    EXPECT_EQ(0, CountOf(heard, "CTM_GrubbinNoProb"));

    // Back at its place, the digger lets the child choose again.
    ASSERT_TRUE(WaitForPiles(child));
    EXPECT_TRUE(child.Look([] { return Near(DiggerRoot()->LocalGetLocation(), ConstantPoint("GrubbinIdlePosition")); }));
    EXPECT_EQ((std::vector<std::string>{"CountTheMaterialsMode"}), child.Screens());
}

// The dumper and its box say the request again, the digger says its line.
void ClickTheDumperItsBoxAndTheDigger(Child& child)
{
    std::string const dumper = PlayfieldPath("YSortedLayer/MaterialTarget/sloamImage");
    for (std::string const& target : {dumper, dumper + "/HighlightBox", dumper + "/HighlightBox/imageNode"})
    {
        SCOPED_TRACE(target);
        size_t const from = child.Sounds().size();
        ASSERT_TRUE(child.Click(target));
        ASSERT_TRUE(WaitForSoundStartingWith(child, from, "Word_Material"));
        std::vector<std::string> const heard = SoundsSince(child, from);
        EXPECT_EQ(0u, heard.front().rfind("Word_Number_", 0)) << ::testing::PrintToString(heard);
        EXPECT_EQ(0u, heard.back().rfind("Word_Material", 0)) << ::testing::PrintToString(heard);
    }
    // The digger's line is an effect: the request being said goes on.
    ASSERT_TRUE(child.Click(dumper));
    ASSERT_TRUE(child.Frames(2));
    size_t const from = child.Sounds().size();
    ASSERT_TRUE(child.Click(PlayfieldPath("YSortedLayer/MaterialLoader/truckImage")));
    ASSERT_TRUE(WaitForSoundStartingWith(child, from, "Word_Material"));
    std::vector<std::string> const heard = SoundsSince(child, from);
    EXPECT_EQ(1, CountOf(heard, "VO_Grubbin_Heavohoy"));
    EXPECT_EQ(0u, heard.back().rfind("Word_Material", 0)) << ::testing::PrintToString(heard);
    EXPECT_EQ((std::vector<std::string>{"CountTheMaterialsMode"}), child.Screens());
}

TEST_F(CountTheMaterialsAnswers, WrongPilesGetTheirLinesThenTheHintThenTheRightPileWins)
{
    driver.Play([](Child& child) {
        ASSERT_TRUE(WaitForPiles(child));
        ClickTheDumperItsBoxAndTheDigger(child);

        sSeen const request = ReadRequest(child);
        std::vector<sSeen> const piles = ReadPiles(child);
        int const other = PlaceWhere(piles, [&request](sSeen const& p) { return p.material != request.material; });
        int const fewer = PlaceWhere(piles, [&request](sSeen const& p) {
            return p.material == request.material && p.count < request.count;
        });
        int const more = PlaceWhere(piles, [&request](sSeen const& p) {
            return p.material == request.material && p.count > request.count;
        });
        ASSERT_TRUE(other >= 0 && fewer >= 0 && more >= 0) << "every Hard level has all three wrong piles";
        // Two presses within one frame start one visit.
        VisitWrongPile(child, piles[other], "CTM_IncorrectAnswer", true);
        VisitWrongPile(child, piles[fewer], "CTM_NotEnough", false);
        VisitWrongPile(child, piles[more], "CTM_TooMuch", false);

        // Nothing clicked: the hint 30 s after the last press.
        long long const lastPress = LastPlayMS(child, "SFX_SelectItem");
        for (int second = 0; second < 32 && LastPlayMS(child, "InGameHint_CountTheMaterials") < 0; ++second)
            ASSERT_TRUE(child.Wait(1.0f));
        long long const hint = LastPlayMS(child, "InGameHint_CountTheMaterials");
        ASSERT_GE(hint, 0);
        EXPECT_NEAR(30000.0, static_cast<double>(hint - lastPress), 100.0);

        // The right pile, pressed twice within one frame: one delivery, one loop fewer.
        size_t const from = child.Sounds().size();
        CountTheMaterialsMode* const game = child.Look([] { return TopGame(); });
        int const loopsLeft = child.Look([] { return TopGame()->getLoopsLeft(); });
        PressTwiceInOneFrame(child, piles[FindPile(piles, request)].path);
        ASSERT_TRUE(child.WaitUntil([game] { return Corvane::MainLoop::GetTopMostMode(0) != game; },
                                    "the game to leave the top"));
        EXPECT_EQ(loopsLeft - 1, child.Look([] { return TopGame() ? TopGame()->getLoopsLeft() : -99; }));
        std::vector<std::string> const heard = SoundsSince(child, from);
        EXPECT_EQ(1, CountOf(heard, "CTM_GrubbinNoProb"));
        EXPECT_EQ(1, CountOf(heard, "General_CorrectAnswer"));
        EXPECT_EQ(0, CountOf(heard, "CTM_IncorrectAnswer"));
    });
}

TEST_F(CountTheMaterialsAnswers, QuitInTheMiddleOfADeliveryNoGoesBackYesLeavesTheProfileAsItWas)
{
    driver.Play([](Child& child) {
        ASSERT_TRUE(WaitForPiles(child));
        std::string const account = child.AccountFile();
        std::vector<sSeen> const piles = ReadPiles(child);
        ASSERT_TRUE(child.Click(piles[FindPile(piles, ReadRequest(child))].path));
        ASSERT_TRUE(child.Wait(1.0f));

        // The in-game Quit button, as its click reaches the game.
        child.RunOnLoop([] { dynamic_cast<ButtonNode*>(Child::FindNode("QuitButton"))->Click(); });
        ASSERT_TRUE(child.WaitForScreen("QuitConfirmMode"));
        ASSERT_TRUE(child.WaitUntil([] { return Child::FindNode("NoButton") != nullptr; }, "the quit question"));
        ASSERT_TRUE(child.Wait(1.0f));
        child.RunOnLoop([] { dynamic_cast<ButtonNode*>(Child::FindNode("NoButton"))->Click(); });
        ASSERT_TRUE(child.WaitForScreen("CountTheMaterialsMode"));
        EXPECT_TRUE(child.Look([] {
            return Corvane::Window::GetCustomCursorImage() == Corvane::AutoResource<Corvane::IImage>("cursor_hand").Get();
        }));
        EXPECT_EQ(1, child.Look([] { return TopGame()->getHintLevel(); }));
        EXPECT_EQ(2, child.Look([] { return TopGame()->getHintTimerObject()->GetTasks().GetUnfinishedCount(); }));

        child.RunOnLoop([] { dynamic_cast<ButtonNode*>(Child::FindNode("QuitButton"))->Click(); });
        ASSERT_TRUE(child.WaitForScreen("QuitConfirmMode"));
        ASSERT_TRUE(child.Wait(1.0f));
        child.RunOnLoop([] { dynamic_cast<ButtonNode*>(Child::FindNode("YesButton"))->Click(); });
        ASSERT_TRUE(child.WaitForScreen("(anonymous namespace)::MainMenuStandIn"));
        ASSERT_TRUE(child.Wait(1.0f));
        EXPECT_EQ((std::vector<std::string>{"(anonymous namespace)::MainMenuStandIn"}), child.Screens());
        // The delivery was not finished: no sticker, the story where it was.
        std::string const after = child.AccountFile();
        EXPECT_EQ(GameDriver::AccountRecord(account, "SloamButton_StickerCount"),
                  GameDriver::AccountRecord(after, "SloamButton_StickerCount"));
        EXPECT_EQ(GameDriver::AccountRecord(account, "SloamButton_StickerUnlockArray"),
                  GameDriver::AccountRecord(after, "SloamButton_StickerUnlockArray"));
        EXPECT_EQ("5", GameDriver::AccountRecord(after, "SloamButton_Progress"));
    });
}

} // namespace
