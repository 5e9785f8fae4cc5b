// The leaf-blowing game's answers to a child's moves: a wrong tool twice,
// clicks while a found tool flies, Quit mid-game, and a difficulty whose level
// is missing.

#include <string>
#include <vector>

#include <gtest/gtest.h>

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

TEST_F(PileOfLeavesRules, AMissingHardLevelIsReportedOnceAndHelpAndQuitStillWork)
{
    GameDriver::UndeclaredLevelList hard(kGameModeType_PileOfLeaves, kGameModeDifficulty_Hard);
    hard.startGame(driver, [] { return new PileOfLeavesMode(true, -1); }, "PondoButton");
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen(kGame));
        ASSERT_TRUE(child.Frames(3));
        EXPECT_TRUE(GameDriver::IsOnlyLevelNotFound(child.Notifications(), kGame, "Hard"));
        EXPECT_EQ(0, child.Look([] { return static_cast<int>(Top<PileOfLeavesMode>()->getTools().size()); }));
        EXPECT_TRUE(child.IsShown("HelpButton"));
        ASSERT_TRUE(GameDriver::QuitToMainMenu(child));
        EXPECT_EQ(1u, child.Notifications().size());
        // The three a new profile is given, and nothing earned.
        EXPECT_EQ("3", GameDriver::AccountRecord(child.AccountFile(), "PondoButton_StickerCount"));
    });
}

} // namespace
