// The story through the fence-painting and leaf-blowing games: a profile that
// stopped before PaintIt continues into it, and winning it and then
// PileOfLeaves moves the story on to PlanAJob.

#include <string>

#include <gtest/gtest.h>

#include "qdl/Tests/PaintTheHouse/PaintTheHouseTestSupport.h"
#include "qdl/Tests/PileOfLeaves/PileOfLeavesTestSupport.h"

using GameDriver::Child;

namespace
{

class PaintAndLeavesStory : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string reason;
        if (!driver.HasDisplay(&reason))
            GTEST_SKIP() << "no display: " << reason;
        GetLevelManager()->setDifficulty(kGameModeDifficulty_Medium);
        GetLevelManager()->setFreePlay(true);
    }

    GameDriver::Driver driver;
};

std::string progress(Child& child)
{
    return GameDriver::AccountRecord(child.AccountFile(), "PondoButton_Progress");
}

TEST_F(PaintAndLeavesStory, ContinuingAtStepEightPlaysPaintItThenPileOfLeavesOnToPlanAJob)
{
    driver.SetAccountValue("PondoButton_Progress", "8");
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TitleMode"));
        ASSERT_TRUE(child.Click("PlayButton"));
        ASSERT_TRUE(PileOfLeavesTest::waitForPopup(child, "MyAccountMode"));
        ASSERT_TRUE(child.Click("PondoButton"));
        ASSERT_TRUE(child.Click("OkButton"));
        ASSERT_TRUE(PileOfLeavesTest::waitForPopup(child, "AccountConfirmMode"));
        ASSERT_TRUE(child.Click("Continue"));
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
        ASSERT_TRUE(child.Wait(0.2f));
        ASSERT_TRUE(child.Click("StoryButton"));
        ASSERT_TRUE(PileOfLeavesTest::waitForPopup(child, "DifficultySelectMode"));
        ASSERT_TRUE(child.Click("EasyButton"));
        ASSERT_TRUE(child.Click("OkButton"));
        ASSERT_TRUE(child.WaitForScreen("FennInstructionMode", 100));
        EXPECT_EQ((std::vector<std::string>{"PaintTheHouseMode", "FennInstructionMode"}), child.Screens());
        ASSERT_TRUE(child.Click("OkButton"));
        PaintTheHouseTest::winEveryRound(child);
        if (HasFatalFailure())
            return;

        // The sticker, then PileOfLeaves: its gust, then its overlay.
        ASSERT_TRUE(child.WaitForScreen("StickerUnlockMode", 400));
        ASSERT_TRUE(child.WaitForScreen("FennInstructionMode", 1000));
        EXPECT_EQ("9", progress(child));
        EXPECT_EQ("PileOfLeavesMode", child.Screens().front());
        ASSERT_TRUE(child.Click("OkButton"));
        PileOfLeavesTest::findEveryTool(child);
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(child.WaitForScreen("StickerUnlockMode", 400));
        for (int second = 0; second < 12 && progress(child) != "10"; ++second)
            ASSERT_TRUE(child.Wait(1.0f));
        EXPECT_EQ("10", progress(child));
    });
}

} // namespace
