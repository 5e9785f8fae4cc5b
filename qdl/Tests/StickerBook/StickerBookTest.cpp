// The sticker book: the page split of the list, then the book played over the
// real content: the list against the profile's earned flags on every page,
// sticking (two presses, any number of times), dropping, replacing and
// page-turning while holding, the eraser, the backgrounds, Help, Quit and the
// end of the story.

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/Account.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "CorvaneExtensions/Source/ButtonNode.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/FrontEnd/MainMenuMode.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/LevelProgressionData.h"
#include "qdl/Source/Game/StickerBook/StickerBookElements.h"
#include "qdl/Source/Game/StickerBook/StickerBookMode.h"
#include "qdl/Source/Game/StickerBook/StickerList.h"
#include "qdl/Source/Game/StickerManager.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"

using GameDriver::Child;

namespace
{

typedef std::vector<int> Starts;

std::function<std::pair<int, int>(int)> AllOfSize(int width, int height)
{
    return [width, height](int) { return std::make_pair(width, height); };
}

TEST(StickerPageSplit, FiveStickersOf110By100FillEachPageAndTheSixthBeginsTheNext)
{
    EXPECT_EQ((Starts{0, 5, 10}), splitStickerPages(std::vector<bool>(12, true), AllOfSize(100, 110)));
    // A later page counts its first sticker without the gap: 100 + 4 x 104 = 516 still fits five.
    EXPECT_EQ((Starts{0, 5, 10, 15}), splitStickerPages(std::vector<bool>(16, true), AllOfSize(100, 110)));
}

TEST(StickerPageSplit, TallStickersCountAtTheirShownWidthAndUnearnedOnesTakeNoRoom)
{
    // 220 high and 300 wide shows at half size: 150 wide, so three fit (462) and the fourth (616) does not.
    EXPECT_EQ((Starts{0, 3}), splitStickerPages(std::vector<bool>(4, true), AllOfSize(300, 220)));
    // The pages hold image-list indices: the unearned ones are skipped, not counted.
    std::vector<bool> const earned = {true, false, true, false, true, true, false};
    EXPECT_EQ((Starts{0, 5}), splitStickerPages(earned, AllOfSize(300, 220)));
}

TEST(StickerPageSplit, TheShownWidthIsScaledInWholeNumbers)
{
    // h x h stickers show 110 wide for every height, also where 110 / h in floating point loses a pixel.
    for (int const height : {134, 169, 177, 178, 183})
    {
        auto const sizes = [height](int index) {
            return index < 3 ? std::make_pair(height, height) : std::make_pair(205, 100);
        };
        // 3 x 114 + 209 = 551: the fourth sticker begins the second page.
        EXPECT_EQ((Starts{0, 3}), splitStickerPages(std::vector<bool>(4, true), sizes)) << height;
    }
}

TEST(StickerPageSplit, AnOverWideFirstStickerLeavesTheFirstPageEmptyAndNoneEarnedIsOnePage)
{
    std::vector<bool> const earned = {false, false, true, true};
    auto const sizes = [](int index) { return index == 2 ? std::make_pair(560, 100) : std::make_pair(90, 90); };
    // The over-wide sticker opens a page of its own, and the next one the page after.
    EXPECT_EQ((Starts{0, 2, 3}), splitStickerPages(earned, sizes));
    EXPECT_EQ((Starts{0}), splitStickerPages(std::vector<bool>(30, false), AllOfSize(100, 100)));
    EXPECT_EQ((Starts{0}), splitStickerPages(std::vector<bool>(), AllOfSize(100, 100)));
}

// --- The book played --------------------------------------------------------------

StickerBookMode* Book()
{
    return dynamic_cast<StickerBookMode*>(Corvane::MainLoop::GetTopMostMode(0));
}

std::vector<int> EntriesShown(Child& child)
{
    return child.Look([] {
        std::vector<int> shown;
        SceneNode* const field = Book()->getStickerList()->getListField();
        for (SceneNode* const entry : field->GetChildren())
            if (Sticker const* const sticker = dynamic_cast<Sticker*>(entry->getLayoutController()))
                shown.push_back(sticker->getStickerIndex());
        return shown;
    });
}

std::vector<int> EarnedIndices(Child& child)
{
    return child.Look([] {
        std::vector<int> earned;
        std::vector<bool> const& flags = GetStickerManager()->getUnlockedFlags();
        for (int i = 0; i < static_cast<int>(flags.size()); ++i)
            if (flags[i])
                earned.push_back(i);
        return earned;
    });
}

bool IsEnabled(Child& child, std::string const& button)
{
    return child.Look([&button] { return dynamic_cast<ButtonNode*>(Child::FindNode(button))->IsEnabled(); });
}

std::size_t ChildrenOf(Child& child, std::string const& node)
{
    return child.Look([&node] {
        SceneNode* const found = Child::FindNode(node);
        return found ? found->GetChildCount() : std::size_t(99);
    });
}

std::size_t StuckCount(Child& child)
{
    return child.Look([] {
        StickerBookSurface* const page = dynamic_cast<StickerBookSurface*>(
            Book()->GetObjectDatabase()->GetNamedObject(Corvane::Label::GetUniqueString("StickerBook_StickerSurface")));
        return page->getStickerHolder()->GetChildCount();
    });
}

bool MaskTakesClicks(Child& child)
{
    return child.Look([] { return Child::FindNode("StickerMode/Material_ClickMask")->GetHitTest(); });
}

bool IsHolding(Child& child)
{
    return child.Look([] { return DragSource<Sticker*>::GetHeldDragSource() != nullptr; });
}

// Presses on the list entry of that position (a press and a release).
bool ClickEntry(Child& child, int position)
{
    std::pair<int, int> const centre = child.Look([position] {
        auto const& entries = Book()->getStickerList()->getListField()->GetChildren();
        auto it = entries.begin();
        std::advance(it, position);
        Corvane::Rect<float> const bounds = (*it)->GetCompositeBounds();
        return std::make_pair(int(bounds.x + bounds.width / 2), int(bounds.y + bounds.height / 2));
    });
    return child.MoveMouseTo(centre.first, centre.second) && child.PressMouse() && child.ReleaseMouse();
}

using GameDriver::ClickAt;

class StickerBookPlay : public GameDriver::PlayTest
{
};

TEST_F(StickerBookPlay, TheListShowsExactlyTheProfilesEarnedStickersOverItsPages)
{
    driver.SetAccountValue("AccountID", "PondoButton");
    driver.StartWith([]() -> Corvane::ApplicationMode* { return new MainMenuMode(); });
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
        // Twenty more stickers earned, saved for Pondo.
        child.RunOnLoop([] {
            for (int i = 0; i < 20; ++i)
                GetStickerManager()->unlockRandomSticker();
        });
        ASSERT_TRUE(child.Click("StickerBookButton"));
        ASSERT_EQ("StickerBookMode", child.TopScreen());
        std::vector<int> const earned = EarnedIndices(child);
        ASSERT_GE(earned.size(), 20u);
        int const pages = child.Look([] { return int(Book()->getStickerList()->getPageStarts().size()); });
        ASSERT_GE(pages, 2);

        std::vector<int> shown;
        for (int page = 0; page < pages; ++page)
        {
            EXPECT_EQ(page > 0, IsEnabled(child, "StickersLeftButton")) << page;
            EXPECT_EQ(page < pages - 1, IsEnabled(child, "StickersRightButton")) << page;
            std::vector<int> const entries = EntriesShown(child);
            EXPECT_TRUE(std::is_sorted(entries.begin(), entries.end()));
            shown.insert(shown.end(), entries.begin(), entries.end());
            if (page < pages - 1)
            {
                ASSERT_TRUE(child.Click("StickersRightButton"));
            }
        }
        EXPECT_EQ(earned, shown);
        // A disabled button turns nothing.
        ASSERT_TRUE(child.Click("StickersRightButton"));
        EXPECT_EQ(pages - 1, child.Look([] { return Book()->getStickerList()->getCurrentPage(); }));

        // Another profile, another book.
        ASSERT_TRUE(child.Click("QuitButton"));
        ASSERT_TRUE(child.Frames(1));
        child.RunOnLoop([] {
            Corvane::GetAccountManager()->GetCurrentAccount()->WriteValue(L"AccountID", L"GrubbinButton");
            Corvane::MainLoop::UnwindToMode(new MainMenuMode());
        });
        ASSERT_TRUE(child.Frames(2));
        ASSERT_TRUE(child.Click("StickerBookButton"));
        std::vector<int> const grubbin = EarnedIndices(child);
        EXPECT_NE(earned, grubbin);
        EXPECT_EQ(grubbin, EntriesShown(child));
        EXPECT_FALSE(IsEnabled(child, "StickersLeftButton"));
    });
    EXPECT_NE("", GameDriver::AccountRecord(driver.AccountFile(), "PondoButton_StickerUnlockArray"));
}

TEST_F(StickerBookPlay, StickingDroppingErasingAndTheBackgroundsLeaveNothingForTheNextVisit)
{
    driver.SetAccountValue("AccountID", "SloamButton");
    driver.StartWith([]() -> Corvane::ApplicationMode* { return new MainMenuMode(); });
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
        child.RunOnLoop([] {
            for (int i = 0; i < 6; ++i)
                GetStickerManager()->unlockRandomSticker();
        });
        ASSERT_TRUE(child.Click("StickerBookButton"));
        ASSERT_EQ("StickerBookMode", child.TopScreen());
        ASSERT_GE(EntriesShown(child).size(), 2u);
        EXPECT_FALSE(MaskTakesClicks(child));

        // Two presses stick: one on the entry, one on the page; the copy is centred on the point.
        ASSERT_TRUE(ClickEntry(child, 0));
        EXPECT_TRUE(IsHolding(child));
        EXPECT_TRUE(MaskTakesClicks(child));
        EXPECT_EQ(1u, ChildrenOf(child, "StickerMode/FX_Layer"));
        // The held entry again keeps it held with one drag image.
        ASSERT_TRUE(ClickEntry(child, 0));
        EXPECT_EQ(1u, ChildrenOf(child, "StickerMode/FX_Layer"));
        ASSERT_TRUE(ClickAt(child, 300, 200));
        EXPECT_FALSE(IsHolding(child));
        EXPECT_FALSE(MaskTakesClicks(child));
        EXPECT_EQ(0u, ChildrenOf(child, "StickerMode/FX_Layer"));
        ASSERT_EQ(1u, StuckCount(child));
        std::pair<float, float> const centre = child.Look([] {
            SceneNode* const holder = Child::FindNode("stickerHolderNode");
            Corvane::Rect<float> const bounds = holder->GetChildren().back()->GetCompositeBounds();
            return std::make_pair(bounds.x + bounds.width / 2, bounds.y + bounds.height / 2);
        });
        EXPECT_NEAR(300.0f, centre.first, 1.0f);
        EXPECT_NEAR(200.0f, centre.second, 1.0f);
        // The same sticker again; a press on the page with nothing held sticks nothing.
        ASSERT_TRUE(ClickEntry(child, 0));
        ASSERT_TRUE(ClickAt(child, 500, 300));
        ASSERT_TRUE(ClickAt(child, 450, 120));
        EXPECT_EQ(2u, StuckCount(child));

        // B picked while A is held: one drag image, and the mask still drops B.
        ASSERT_TRUE(ClickEntry(child, 0));
        ASSERT_TRUE(ClickEntry(child, 1));
        EXPECT_EQ(1u, ChildrenOf(child, "StickerMode/FX_Layer"));
        EXPECT_TRUE(MaskTakesClicks(child));
        ASSERT_TRUE(ClickAt(child, 40, 440));
        EXPECT_FALSE(IsHolding(child));
        EXPECT_FALSE(MaskTakesClicks(child));
        EXPECT_EQ(0u, ChildrenOf(child, "StickerMode/FX_Layer"));
        EXPECT_EQ(2u, StuckCount(child));

        // The eraser on while holding drops the sticker; the stuck ones then take presses, the page none.
        ASSERT_TRUE(ClickEntry(child, 1));
        ASSERT_TRUE(child.Click("StickerMode/eraser"));
        EXPECT_TRUE(child.Look([] { return Book()->isDeleteMode(); }));
        EXPECT_FALSE(IsHolding(child));
        EXPECT_FALSE(MaskTakesClicks(child));
        EXPECT_EQ(0u, ChildrenOf(child, "StickerMode/FX_Layer"));
        EXPECT_FALSE(child.Look([] { return Child::FindNode("clickNode")->GetHitTest(); }));
        // A press on a transparent corner of the first stuck sticker leaves it; one on its middle removes it.
        std::pair<int, int> const corner = child.Look([] {
            Corvane::Rect<float> const bounds =
                Child::FindNode("stickerHolderNode")->GetChildren().front()->GetCompositeBounds();
            return std::make_pair(int(bounds.x + 2), int(bounds.y + 2));
        });
        ASSERT_TRUE(ClickAt(child, corner.first, corner.second));
        ASSERT_TRUE(child.Frames(2));
        EXPECT_EQ(2u, StuckCount(child));
        ASSERT_TRUE(ClickAt(child, 300, 200));
        ASSERT_TRUE(child.Frames(2));
        EXPECT_EQ(1u, StuckCount(child));
        // Picking a sticker up switches the eraser off.
        ASSERT_TRUE(ClickEntry(child, 0));
        EXPECT_FALSE(child.Look([] { return Book()->isDeleteMode(); }));
        EXPECT_TRUE(child.Look([] { return Child::FindNode("clickNode")->GetHitTest(); }));

        // Turning the list's page while holding drops the sticker properly.
        if (IsEnabled(child, "StickersRightButton"))
        {
            ASSERT_TRUE(child.Click("StickersRightButton"));
            EXPECT_FALSE(IsHolding(child));
            EXPECT_FALSE(MaskTakesClicks(child));
            EXPECT_EQ(0u, ChildrenOf(child, "StickerMode/FX_Layer"));
            ASSERT_TRUE(child.Click("StickersLeftButton"));
            ASSERT_TRUE(ClickEntry(child, 0));
        }
        // The eraser twice: the page takes stickers again.
        ASSERT_TRUE(child.Click("StickerMode/eraser"));
        ASSERT_TRUE(child.Click("StickerMode/eraser"));
        EXPECT_FALSE(child.Look([] { return Book()->isDeleteMode(); }));
        ASSERT_TRUE(ClickEntry(child, 0));
        ASSERT_TRUE(ClickAt(child, 600, 380));
        EXPECT_EQ(2u, StuckCount(child));
        if (char const* const folder = std::getenv("QDL_FRONTEND_SCREENSHOTS"))
        {
            EXPECT_TRUE(child.SaveScreenshot(std::string(folder) + "/sticker_book.png"));
        }

        // Backgrounds wrap both ways.
        auto background = [&child] { return child.Look([] { return Book()->getBackgroundIndex(); }); };
        ASSERT_TRUE(child.Click("BGLeftButton"));
        EXPECT_EQ(2, background());
        ASSERT_TRUE(child.Click("BGRightButton"));
        EXPECT_EQ(0, background());
        ASSERT_TRUE(child.Click("BGRightButton"));
        EXPECT_EQ(1, background());

        // Help twice restarts the instructions; Quit stops them and returns to the main menu.
        ASSERT_TRUE(child.Click("HelpButton"));
        ASSERT_TRUE(child.Wait(0.3f));
        ASSERT_TRUE(child.Click("HelpButton"));
        EXPECT_FALSE(child.PlayingSounds().empty());
        ASSERT_TRUE(child.Click("QuitButton"));
        ASSERT_TRUE(child.Frames(1));
        EXPECT_EQ(std::vector<std::string>{"MainMenuMode"}, child.Screens());
        std::vector<std::string> const playing = child.PlayingSounds();
        EXPECT_TRUE(std::find(playing.begin(), playing.end(), "Instructions_StickerBook_Yarrowfete") == playing.end());

        // A new visit: empty page, first background, eraser off.
        ASSERT_TRUE(child.Click("StickerBookButton"));
        EXPECT_EQ(0u, StuckCount(child));
        EXPECT_EQ(0, background());
        EXPECT_FALSE(child.Look([] { return Book()->isDeleteMode(); }));
    });
    std::vector<GameDriver::sSoundPlay> const plays = driver.Sounds();
    EXPECT_EQ(3, GameDriver::CountPlays(plays, "SFX_StickerStick"));
    EXPECT_EQ(2, GameDriver::CountPlays(plays, "Instructions_StickerBook_Yarrowfete"));
}

TEST_F(StickerBookPlay, TheEndOfTheStoryLeavesTheBookOverANewMainMenu)
{
    driver.SetAccountValue("AccountID", "PondoButton");
    driver.StartWith([]() -> Corvane::ApplicationMode* { return new MainMenuMode(); });
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
        child.RunOnLoop([] {
            LevelManager* const levels = GetLevelManager();
            levels->setLevelProgression(Corvane::Label::GetUniqueString("ParkStory"));
            int const steps = static_cast<int>(levels->getLevelProgression()->entries.size());
            Corvane::GetAccountManager()->GetCurrentAccount()->WriteValue(L"PondoButton_Progress", steps);
            levels->loadLevelProgressionDataFromAccount();
            levels->setFreePlay(false);
            levels->beginNextLevelProgressionMode();
        });
        ASSERT_TRUE(child.Frames(2));
        EXPECT_EQ((std::vector<std::string>{"MainMenuMode", "StickerBookMode"}), child.Screens());
        ASSERT_TRUE(child.Click("QuitButton"));
        ASSERT_TRUE(child.Frames(1));
        EXPECT_EQ(std::vector<std::string>{"MainMenuMode"}, child.Screens());
    });
}

} // namespace
