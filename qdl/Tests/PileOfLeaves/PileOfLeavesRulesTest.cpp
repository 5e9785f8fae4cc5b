// The leaf-blowing game's answers to a child's moves: a wrong tool twice,
// clicks while a found tool flies, Quit mid-game, and a difficulty whose level
// is missing; and leaves heaped on tools at the ground's edges.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesConstants.h"
#include "qdl/Tests/PileOfLeaves/PileOfLeavesTestSupport.h"

using namespace PileOfLeavesTest;

namespace
{

class PileOfLeavesRules : public GameDriver::PlayTest
{
};

Corvane::Vector2<int> centreOfTool(Child& child, size_t index)
{
    return child.Look([index] {
        std::vector<LeafCoveredTool*> const tools = Top<PileOfLeavesMode>()->getTools();
        return index < tools.size() ? toolCentre(tools[index]) : Corvane::Vector2<int>(-1, -1);
    });
}

std::string dogAnimation(Child& child)
{
    return child.Look([] {
        AnimatedSpriteNode const* const dog =
            dynamic_cast<AnimatedSpriteNode*>(Child::FindNode("GameScreenRoot/Playfield/DogAnimationNode"));
        return std::string(dog ? dog->GetCurAnimationName().GetString() : "");
    });
}

TEST_F(PileOfLeavesRules, AWrongToolTwiceWobblesAndIsNamedTwiceTheDogDroopsOnceAndClicksUnderTheMaskDoNothing)
{
    startGame(driver, kGameModeDifficulty_Medium, false);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen(kGame));
        ASSERT_TRUE(waitForSearch(child));
        QuarrydaleTool const wanted = child.Look([] { return Top<PileOfLeavesMode>()->getToolToFind(); });
        Corvane::Vector2<int> const wrong = centreOfTool(child, 1);
        ASSERT_TRUE(child.MoveMouseTo(wrong.x, wrong.y));
        for (int click = 1; click <= 2; ++click)
        {
            ASSERT_TRUE(child.PressMouse());
            ASSERT_TRUE(child.ReleaseMouse());
            ASSERT_TRUE(child.Frames(2));
            EXPECT_EQ(click, CountPlays(child, "PileOfLeaves_IncorrectAnswer"));
            EXPECT_EQ(click, CountPlays(child, "SFX_SelectItem"));
            EXPECT_NE(0.0f, child.Look([] {
                return Top<PileOfLeavesMode>()->getTools()[1]->getLayoutNode()->LocalGetOrientation().GetRadians();
            })) << "the tool wobbles";
        }
        EXPECT_EQ("Wrong", dogAnimation(child));
        EXPECT_EQ(wanted, child.Look([] { return Top<PileOfLeavesMode>()->getToolToFind(); }));
        EXPECT_EQ(1, child.Look([] { return Top<PileOfLeavesMode>()->getHintLevel(); }));

        // The right one: the dog cheers, the mask takes every click while it flies.
        int const tools = child.Look([] { return static_cast<int>(Top<PileOfLeavesMode>()->getTools().size()); });
        Corvane::Vector2<int> const right = centreOfTool(child, 0);
        ASSERT_TRUE(child.MoveMouseTo(right.x, right.y));
        ASSERT_TRUE(child.PressMouse());
        ASSERT_TRUE(child.ReleaseMouse());
        EXPECT_TRUE(maskShown(child));
        ASSERT_TRUE(child.Frames(2));
        EXPECT_EQ("Correct", dogAnimation(child));
        int const selects = CountPlays(child, "SFX_SelectItem");
        ASSERT_TRUE(child.MoveMouseTo(wrong.x, wrong.y));
        ASSERT_TRUE(child.PressMouse());
        ASSERT_TRUE(child.ReleaseMouse());
        EXPECT_EQ(selects, CountPlays(child, "SFX_SelectItem"));
        EXPECT_EQ(2, CountPlays(child, "PileOfLeaves_IncorrectAnswer"));
        ASSERT_TRUE(waitForSearch(child));
        EXPECT_EQ(tools - 1, child.Look([] { return static_cast<int>(Top<PileOfLeavesMode>()->getTools().size()); }));
    });
}

TEST_F(PileOfLeavesRules, QuitMidGameNoReturnsToTheSearchAndYesLeavesForTheMenuWithNothingEarned)
{
    startGame(driver, kGameModeDifficulty_Easy, false);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen(kGame));
        ASSERT_TRUE(waitForSearch(child));
        ASSERT_TRUE(child.Click("QuitButton"));
        ASSERT_TRUE(WaitForPopupToRest(child, "QuitConfirmMode"));
        ASSERT_TRUE(child.Click("NoButton"));
        ASSERT_TRUE(child.WaitForScreen(kGame));
        EXPECT_FALSE(maskShown(child));
        ASSERT_TRUE(GameDriver::QuitToMainMenu(child));
        EXPECT_EQ(Screens{"MainMenuMode"}, child.Screens());
        // The three a new profile is given, and nothing earned.
        EXPECT_EQ("3", GameDriver::AccountRecord(child.AccountFile(), "PondoButton_StickerCount"));
    });
}

TEST_F(PileOfLeavesRules, LeavesHeapedOnToolsAtTheGroundsEdgesStayOnTheGroundOffTheFenceAndTheDog)
{
    startGame(driver, kGameModeDifficulty_Hard, false);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen(kGame));
        ASSERT_TRUE(waitForSearch(child));
        // Three tools at the ground's top corners and under the dog, heaped again.
        int const heaped = 12;
        child.RunOnLoop([heaped] {
            PileOfLeavesMode* const mode = Top<PileOfLeavesMode>();
            std::vector<LeafCoveredTool*> const tools = mode->getTools();
            ASSERT_LE(3u, tools.size());
            float const top = static_cast<float>(kLeafGroundTop);
            tools[0]->getLayoutNode()->LocalSetLocation(static_cast<float>(kLeafGroundLeft), top);
            tools[1]->getLayoutNode()->LocalSetLocation(630.0f, top);
            tools[2]->getLayoutNode()->LocalSetLocation(static_cast<float>(kLeafGroundRight), top);
            mode->hideTools(heaped, 0);
            for (Leaf* const leaf : mode->getLeaves())
                leaf->getLayoutNode()->LocalSetLocation(static_cast<float>(leaf->getStablePosition().x),
                                                        static_cast<float>(leaf->getStablePosition().y));
        });
        ASSERT_TRUE(child.Frames(2));
        SaveGameScreenshot(child, "PileOfLeaves_HeapsAtTheEdges");
        child.RunOnLoop([heaped] {
            PileOfLeavesMode* const mode = Top<PileOfLeavesMode>();
            Corvane::Rect<float> const dog = Child::FindNode("GameScreenRoot/Playfield/DogAnimationNode")->GlobalGetBounds();
            int nearCorner = 0;
            for (Leaf const* const leaf : mode->getLeaves())
            {
                Corvane::Vector2<int> const at = leaf->getStablePosition();
                EXPECT_TRUE(at.x >= kLeafGroundLeft && at.x <= kLeafGroundRight && at.y >= kLeafGroundTop &&
                            at.y <= kLeafGroundBottom)
                    << at.x << "," << at.y;
                EXPECT_FALSE(dog.contains(static_cast<float>(at.x), static_cast<float>(at.y))) << at.x << "," << at.y;
                nearCorner += at.x <= kLeafGroundLeft + 80 && at.y <= kLeafGroundTop + 80 ? 1 : 0;
            }
            // The heap still lies on its tool.
            EXPECT_LE(heaped, nearCorner);
        });
    });
}

TEST_F(PileOfLeavesRules, AMissingHardLevelIsReportedOnceAndHelpAndQuitStillWork)
{
    GameDriver::UndeclaredLevelList hard(kGameModeType_PileOfLeaves, kGameModeDifficulty_Hard);
    hard.startGame(driver, [] { return new PileOfLeavesMode(true, -1); }, "PondoButton");
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen(kGame));
        ASSERT_TRUE(child.Frames(3));
        EXPECT_TRUE(GameDriver::IsOnlyLevelNotFound(child.Notifications(), child.Log(), kGame, "Hard"));
        EXPECT_EQ(0, child.Look([] { return static_cast<int>(Top<PileOfLeavesMode>()->getTools().size()); }));
        EXPECT_TRUE(child.IsShown("HelpButton"));
        ASSERT_TRUE(GameDriver::QuitToMainMenu(child));
        EXPECT_EQ(1u, child.Notifications().size());
        // The three a new profile is given, and nothing earned.
        EXPECT_EQ("3", GameDriver::AccountRecord(child.AccountFile(), "PondoButton_StickerCount"));
    });
}

} // namespace
