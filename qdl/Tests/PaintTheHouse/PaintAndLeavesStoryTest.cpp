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

class PaintAndLeavesStory : public GameDriver::PlayTest
{
};

std::string progress(Child& child)
{
    return GameDriver::AccountRecord(child.AccountFile(), "PondoButton_Progress");
}

TEST_F(PaintAndLeavesStory, ContinuingAtStepEightPlaysPaintItThenPileOfLeavesOnToPlanAJob)
{
    driver.SetAccountValue("PondoButton_Progress", "8");
    driver.Play([](Child& child) {
        ASSERT_TRUE(GameDriver::ContinueTheStory(child, "EasyButton"));
        ASSERT_TRUE(child.WaitForScreen("FennInstructionMode"));
        EXPECT_EQ((std::vector<std::string>{"PaintTheHouseMode", "FennInstructionMode"}), child.Screens());
        ASSERT_TRUE(child.Click("OkButton"));
        PaintTheHouseTest::winEveryRound(child);
        if (HasFatalFailure())
            return;

        // The sticker, then PileOfLeaves: its gust, then its overlay.
        ASSERT_TRUE(child.WaitForScreen("StickerUnlockMode"));
        ASSERT_TRUE(child.WaitForScreen("FennInstructionMode"));
        EXPECT_EQ("9", progress(child));
        EXPECT_EQ("PileOfLeavesMode", child.Screens().front());
        ASSERT_TRUE(child.Click("OkButton"));
        PileOfLeavesTest::findEveryTool(child);
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(child.WaitForScreen("StickerUnlockMode"));
        for (int second = 0; second < 12 && progress(child) != "10"; ++second)
            ASSERT_TRUE(child.Wait(1.0f));
        EXPECT_EQ("10", progress(child));
    });
}

} // namespace
