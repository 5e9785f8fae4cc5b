// The fence-painting game as a child reaches and plays it: the title, a
// profile, free play, a difficulty, the overlay, every round painted as the
// level's pattern says, the sticker and back to free play.

#include <string>

#include <gtest/gtest.h>

#include "qdl/Source/Game/FrontEnd/StickerUnlockMode.h"
#include "qdl/Tests/PaintTheHouse/PaintTheHouseTestSupport.h"

using namespace PaintTheHouseTest;

namespace
{

class PaintTheHouseWin : public ::testing::TestWithParam<GameModeDifficulty>
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

bool waitForPopup(Child& child, std::string const& screen)
{
    return child.WaitForScreen(screen, 200) && child.WaitUntil(
                                                   [] {
                                                       PopupMode const* const popup = Top<PopupMode>();
                                                       return popup && !popup->isIgnoringMouseClicks();
                                                   },
                                                   100);
}

TEST_P(PaintTheHouseWin, FromTheTitleEveryRoundIsPaintedAsThePatternSaysThenTheStickerAndFreePlay)
{
    GameModeDifficulty const difficulty = GetParam();
    std::string const name = kGameModeDifficultyNames[difficulty];
    driver.Play([difficulty, name](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TitleMode"));
        ASSERT_TRUE(child.Click("PlayButton"));
        ASSERT_TRUE(waitForPopup(child, "MyAccountMode"));
        ASSERT_TRUE(child.Click("PondoButton"));
        ASSERT_TRUE(child.Click("OkButton"));
        ASSERT_TRUE(waitForPopup(child, "AccountConfirmMode"));
        ASSERT_TRUE(child.Click("NewGame"));
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode", 10));
        ASSERT_TRUE(child.Click("FreePlayButton"));
        ASSERT_TRUE(child.WaitForScreen("FreePlaySelectMode", 10));
        ASSERT_TRUE(child.Click("PaintTheHouse"));
        ASSERT_TRUE(waitForPopup(child, "DifficultySelectMode"));
        ASSERT_TRUE(child.Click(name + "Button"));
        ASSERT_TRUE(child.Click("OkButton"));

        ASSERT_TRUE(child.WaitForScreen("FennInstructionMode", 20));
        EXPECT_EQ((Screens{kGame, "FennInstructionMode"}), child.Screens());
        ASSERT_TRUE(child.Click("OkButton"));
        ASSERT_TRUE(child.WaitForScreen(kGame, 50));
        // The clean brush until a bucket is chosen.
        EXPECT_TRUE(child.Look([] {
            Corvane::AutoResource<Corvane::IImage> const clean("cursor_brush_clean");
            return clean && Corvane::Window::GetCustomCursorImage() == clean.Get();
        }));
        EXPECT_EQ(difficulty, child.Look([] { return GetLevelManager()->getDifficulty(); }));
        std::vector<Corvane::Label> const levels =
            child.Look([difficulty] { return GetLevelManager()->getLevels(kGameModeType_PaintIt, difficulty); });
        Corvane::Label const level = child.Look([] { return Top<PaintTheHouseMode>()->getLevelName(); });
        EXPECT_NE(levels.end(), std::find(levels.begin(), levels.end(), level)) << level.GetString();
        saveScreenshot(child, "PaintTheHouse_" + name + "_Start");
        int const stickersBefore = child.Look([] { return GetStickerManager()->getStickerCount(); });

        // Two stripes, then a picture mid-play, then the rest of the game.
        std::vector<int> const planned = child.Look([] { return plannedColors(); });
        ASSERT_EQ(4u, planned.size());
        paintNextStripe(child, planned[0]);
        paintNextStripe(child, planned[1]);
        EXPECT_EQ(2, stripesLeft(child));
        ASSERT_TRUE(child.MoveMouseTo(kFence));
        saveScreenshot(child, "PaintTheHouse_" + name + "_MidPlay");
        paintNextStripe(child, planned[2]);
        paintNextStripe(child, planned[3]);
        EXPECT_EQ(0, stripesLeft(child));
        winEveryRound(child);

        ASSERT_TRUE(child.WaitForScreen("StickerUnlockMode", 300));
        int const sticker = child.Look([] { return Top<StickerUnlockMode>()->getStickerIndex(); });
        ASSERT_GE(sticker, 0);
        EXPECT_EQ(stickersBefore + 1, child.Look([] { return GetStickerManager()->getStickerCount(); }));
        EXPECT_EQ(std::to_string(stickersBefore + 1),
                  GameDriver::AccountRecord(child.AccountFile(), "PondoButton_StickerCount"));
        ASSERT_TRUE(child.WaitForScreen("FreePlaySelectMode", 300));
        EXPECT_EQ(Screens{"FreePlaySelectMode"}, child.Screens());
    });
}

INSTANTIATE_TEST_SUITE_P(EveryDifficulty, PaintTheHouseWin,
                         ::testing::Values(kGameModeDifficulty_Easy, kGameModeDifficulty_Medium,
                                           kGameModeDifficulty_Hard),
                         [](::testing::TestParamInfo<GameModeDifficulty> const& info) {
                             return std::string(kGameModeDifficultyNames[info.param]);
                         });

} // namespace
