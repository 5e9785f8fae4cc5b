// The fence-painting game's answers to a child's moves: the fence before any
// bucket, a wrong colour named and scraped off (and painted again while the
// brush keeps it), clicks while a painting plays, Quit mid-game both ways, and
// a difficulty whose level is missing.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "qdl/Source/Game/FrontEnd/FrontEndMode.h"
#include "qdl/Tests/PaintTheHouse/PaintTheHouseTestSupport.h"

using namespace PaintTheHouseTest;

namespace
{

class PaintTheHouseRules : public GameDriver::PlayTest
{
};

int frontColor(Child& child)
{
    return child.Look([] {
        std::vector<HousePaintStripe*> const stripes = Top<PaintTheHouseMode>()->getStripesToPaint();
        return stripes.empty() ? -1 : stripes.front()->getColor();
    });
}

// The colour the front bare stripe's picture shows and its frame (0: bare wood).
std::pair<int, int> frontShown(Child& child)
{
    return child.Look([] {
        std::vector<HousePaintStripe*> const stripes = Top<PaintTheHouseMode>()->getStripesToPaint();
        AnimatedSpriteNode const* const image = stripes.empty() ? nullptr : stripes.front()->getImageNode();
        int shown = -1;
        for (int color = 0; image && color < kNumHousePaintColors; ++color)
            if (image->GetSpriteType() && image->GetSpriteType()->GetName() == kHousePaintFenceSpriteTypes[color])
                shown = color;
        return std::make_pair(shown, image ? image->GetImageIndex() : -1);
    });
}

bool waitForInput(Child& child)
{
    return child.WaitUntil(
        [] {
            SceneNode* const mask = Child::FindNode("GameScreenRoot/Playfield/MouseInput_ClickMask");
            return mask && !mask->GlobalIsVisible();
        },
        "the click mask to hide");
}

TEST_F(PaintTheHouseRules, TheCleanBrushGivesTheHintAndAWrongColourIsNamedScrapedOffAndKeptOnTheBrush)
{
    startGame(driver, kGameModeDifficulty_Medium);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen(kGame));
        ASSERT_TRUE(child.Frames(2));
        // No bucket yet: the first hint at once, nothing painted, input open.
        ASSERT_TRUE(child.Click(kFence));
        ASSERT_TRUE(child.Frames(1));
        EXPECT_EQ(1, CountPlays(child, "InGameHint_PaintIt_1"));
        EXPECT_EQ(4, stripesLeft(child));
        EXPECT_FALSE(maskShown(child));
        EXPECT_EQ(0, frontShown(child).second);

        int const right = frontColor(child);
        int wrong = -1;
        for (int color = 0; color < kNumHousePaintColors && wrong < 0; ++color)
            if (color != right && bucketOfColor(child, color) != 0)
                wrong = color;
        ASSERT_GE(wrong, 0);
        ASSERT_TRUE(child.Click(bucketPath(bucketOfColor(child, wrong))));
        EXPECT_EQ(1, CountPlays(child, "SFX_GeneralClick"));
        EXPECT_TRUE(brushCursorIs(child, brushName(wrong)));
        EXPECT_EQ(2, child.Look([] { return Top<PaintTheHouseMode>()->getHintLevel(); }));
        ASSERT_TRUE(child.Click(kFence));
        EXPECT_TRUE(maskShown(child));
        // The stripe takes the brush's colour, whatever the pattern wants.
        EXPECT_EQ(wrong, frontShown(child).first);
        // Under the mask a bucket click loads nothing.
        ASSERT_TRUE(child.Click(bucketPath(bucketOfColor(child, right))));
        EXPECT_EQ(wrong, child.Look([] { return Top<PaintTheHouseMode>()->getCurrentColor(); }));

        ASSERT_TRUE(waitForInput(child));
        EXPECT_EQ(1, CountPlays(child, "PaintIt_WrongColor"));
        EXPECT_LE(4, CountPlays(child, "SFX_ZeddoArm"));
        EXPECT_EQ(2, CountPlays(child, "SFX_Paint"));
        EXPECT_EQ(4, stripesLeft(child));
        EXPECT_EQ(right, frontColor(child));
        EXPECT_EQ(0, frontShown(child).second) << "the wrong paint is scraped off to the bare wood";
        EXPECT_EQ(wrong, child.Look([] { return Top<PaintTheHouseMode>()->getCurrentColor(); }));

        // The brush still carries the wrong colour: the next fence click paints it again.
        ASSERT_TRUE(child.Click(kFence));
        EXPECT_EQ(wrong, frontShown(child).first);
        ASSERT_TRUE(waitForInput(child));
        EXPECT_EQ(2, CountPlays(child, "PaintIt_WrongColor"));
        EXPECT_EQ(4, stripesLeft(child));

        // The right bucket then paints it for good, and the lift drives on.
        paintNextStripe(child, right);
        EXPECT_EQ(3, stripesLeft(child));
        EXPECT_EQ(1, CountPlays(child, "SFX_ZeddoMove"));
        EXPECT_EQ(right, child.Look([] { return shownStripeColors().at(kNumPaintedStripes); }));
        EXPECT_EQ(2, CountPlays(child, "PaintIt_WrongColor"));
    });
}

TEST_F(PaintTheHouseRules, QuitMidGameNoReturnsWithTheLoadedBrushAndYesLeavesForTheMenuWithNothingEarned)
{
    startGame(driver, kGameModeDifficulty_Easy);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen(kGame));
        int const stickers = child.Look([] { return GetStickerManager()->getStickerCount(); });
        int const color = frontColor(child);
        ASSERT_TRUE(child.Click(bucketPath(bucketOfColor(child, color))));
        ASSERT_TRUE(child.Click("QuitButton"));
        ASSERT_TRUE(WaitForPopupToRest(child, "QuitConfirmMode"));
        ASSERT_TRUE(child.Click("NoButton"));
        ASSERT_TRUE(child.WaitForScreen(kGame));
        EXPECT_EQ(Screens{kGame}, child.Screens());
        // Entered again: the brush as it was loaded, at the constant's tip.
        EXPECT_TRUE(brushCursorIs(child, brushName(color)));
        EXPECT_EQ(4, stripesLeft(child));

        ASSERT_TRUE(GameDriver::QuitToMainMenu(child));
        EXPECT_EQ(Screens{"MainMenuMode"}, child.Screens());
        EXPECT_EQ(stickers, child.Look([] { return GetStickerManager()->getStickerCount(); }));
        // The three a new profile is given, and nothing earned.
        EXPECT_EQ("3", GameDriver::AccountRecord(child.AccountFile(), "PondoButton_StickerCount"));
    });
}

TEST_F(PaintTheHouseRules, AMissingHardLevelIsReportedOnceAndTheGameCanStillBeLeft)
{
    GameDriver::UndeclaredLevelList hard(kGameModeType_PaintIt, kGameModeDifficulty_Hard);
    hard.startGame(driver, [] { return new PaintTheHouseMode(true, -1); }, "PondoButton");
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("FennInstructionMode"));
        EXPECT_TRUE(GameDriver::IsOnlyLevelNotFound(child.Notifications(), child.Log(), kGame, "Hard"));
        ASSERT_TRUE(child.Click("OkButton"));
        ASSERT_TRUE(child.WaitForScreen(kGame));
        // No fence to paint; the fence and a bucket do nothing.
        EXPECT_EQ(0, stripesLeft(child));
        ASSERT_TRUE(child.Click(kFence));
        ASSERT_TRUE(child.Frames(5));
        EXPECT_FALSE(child.Look([] { return Top<PaintTheHouseMode>()->isOutroStarted(); }));
        ASSERT_TRUE(GameDriver::QuitToMainMenu(child));
        EXPECT_EQ(1u, child.Notifications().size());
        // The three a new profile is given, and nothing earned.
        EXPECT_EQ("3", GameDriver::AccountRecord(child.AccountFile(), "PondoButton_StickerCount"));
    });
}

} // namespace
