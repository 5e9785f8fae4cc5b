// PlanAJob played as a child plays it, through the driver over the real
// content: from free play at every difficulty and from the story with its
// job, the wrong slot's answer, the table putting a card back (also after a
// second card was picked), quitting with a card held, and a content copy
// without the level asked for.

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/FrontEnd/MainMenuMode.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/PlanAJob/PlanAJobElements.h"
#include "qdl/Source/Game/PlanAJob/PlanAJobLevel.h"
#include "qdl/Source/Game/PlanAJob/PlanAJobMode.h"
#include "qdl/Tests/Driver/DragGamePlay.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"

using GameDriver::Child;
using GameDriver::ClickAt;
using GameDriver::CountPlays;

namespace
{

struct sCard
{
    int step;
    int x;
    int y;
};

PlanAJobMode* Game()
{
    return dynamic_cast<PlanAJobMode*>(Corvane::MainLoop::GetTopMostMode(0));
}


sCard CentreOf(MiniGameElement* element, int step)
{
    Corvane::Rect<float> const bounds = element->getInputNode()->GlobalGetBounds();
    return sCard{step, int(bounds.x + bounds.width / 2), int(bounds.y + bounds.height / 2)};
}

// The cards still in play, where the child sees them.
std::vector<sCard> LiveCards(Child& child)
{
    return child.Look([] {
        std::vector<sCard> cards;
        for (JobSequenceItem* const card : GameDriver::LiveObjects<PlanAJobMode, JobSequenceItem>("PlanAJob_DropItem"))
            cards.push_back(CentreOf(card, card->step));
        return cards;
    });
}

// The centre of the blueprint's place of that step, and whether it is filled.
sCard Slot(Child& child, int step, bool* filled = nullptr)
{
    return child.Look([step, filled] {
        SceneNode* const target = Child::FindNode("GameScreenRoot/Playfield/Blueprint/MaterialTargets");
        sCard found = {-1, 0, 0};
        for (JobSequenceSlot* const slot : GameDriver::LiveObjects<PlanAJobMode, JobSequenceSlot>("PlanAJob_DropSlot"))
            if (slot->step == step && target)
            {
                found = CentreOf(slot, step);
                if (filled)
                    *filled = slot->isFilled();
            }
        return found;
    });
}

bool IsHolding(Child& child)
{
    return child.Look([] { return DragSource<JobSequenceItem*>::GetHeldDragSource() != nullptr; });
}

bool CancelMaskTakesClicks(Child& child)
{
    return child.Look([] { return Child::FindNode("GameScreenRoot/Playfield/Material_ClickMask")->GetHitTest(); });
}

int LevelNumEmpty(Child& child)
{
    return child.Look([] {
        Corvane::Label const name = Game() && Game()->getLevelLabel().IsValid() ? Game()->getLevelLabel()
                                                                                : GetLevelManager()->getLastLevel();
        Corvane::AutoResource<PlanAJobLevel> const level(name);
        return level ? level->numEmpty : -1;
    });
}

// Through the intro and the overlay, until the intro's mask has hidden.
bool ReachPlay(Child& child)
{
    return GameDriver::PassTheInstructions(child, "PlanAJobMode", "GameScreenRoot/Playfield/IntroClickMask");
}

// The automated player: each card, then the place of its step.
void PlanTheJob(Child& child)
{
    for (int guard = 0; guard < 6; ++guard)
    {
        std::vector<sCard> const cards = LiveCards(child);
        if (cards.empty())
            return;
        sCard const card = cards.front();
        ASSERT_TRUE(ClickAt(child, card.x, card.y));
        ASSERT_TRUE(IsHolding(child));
        sCard const slot = Slot(child, card.step);
        ASSERT_GE(slot.step, 0);
        ASSERT_TRUE(ClickAt(child, slot.x, slot.y));
        child.Frames(2);
        ASSERT_FALSE(IsHolding(child));
        bool filled = false;
        Slot(child, card.step, &filled);
        EXPECT_TRUE(filled);
    }
    FAIL() << "cards were left on the table";
}

// Until the game has ended and handed over to the sticker screen or beyond.
bool WaitForTheEnd(Child& child)
{
    return child.WaitUntil([] { return !Game(); }, "the game to leave the top");
}

class PlanAJobPlay : public GameDriver::PlayTest
{
protected:
    void StartAt(GameModeDifficulty difficulty)
    {
        GameDriver::StartMiniGame(driver, difficulty, [] { return new PlanAJobMode(); });
    }
};

class PlanAJobPlayWin : public PlanAJobPlay, public ::testing::WithParamInterface<GameModeDifficulty>
{
};

} // namespace

TEST_P(PlanAJobPlayWin, AChildComesThroughFreePlayAndWins)
{
    GameModeDifficulty const difficulty = GetParam();
    driver.Play([difficulty](Child& child) {
        ASSERT_TRUE(GameDriver::ComeToGameThroughFreePlay(child, "PlanAJob", difficulty));
        ASSERT_TRUE(child.WaitForScreen("PlanAJobMode"));
        // During the intro the mask swallows a click on the table: no card can be picked.
        ClickAt(child, 400, 500);
        EXPECT_FALSE(IsHolding(child));
        ASSERT_TRUE(ReachPlay(child));
        int const numEmpty = LevelNumEmpty(child);
        std::vector<sCard> const cards = LiveCards(child);
        EXPECT_EQ(std::size_t(numEmpty), cards.size());
        int filled = 0;
        for (int step = 0; step < 5; ++step)
        {
            bool isFilled = false;
            EXPECT_GE(Slot(child, step, &isFilled).step, 0);
            filled += isFilled;
        }
        EXPECT_EQ(5 - numEmpty, filled);
        GameDriver::SaveGameScreenshot(child, std::string("PlanAJob_") + kGameModeDifficultyNames[difficulty]);
        int const stickers = GameDriver::StickerCount(child);
        PlanTheJob(child);
        ASSERT_TRUE(WaitForTheEnd(child));
        EXPECT_EQ(1, CountPlays(child, "PlanAJob_GameComplete"));
        EXPECT_EQ(1, CountPlays(child, "SFX_Construction"));
        GameDriver::ExpectStickerThenFreePlay(child, stickers);
    });
    EXPECT_TRUE(driver.Notifications().empty());
}

PLAY_AT_EVERY_DIFFICULTY(PlanAJobPlayWin);

TEST_F(PlanAJobPlay, TheStoryAsksForTheShedAtTheChosenDifficulty)
{
    driver.SetAccountValue("AccountID", "GrubbinButton");
    // The story's step after PileOfLeaves.
    driver.SetAccountValue("GrubbinButton_Progress", "10");
    driver.StartWith([]() -> Corvane::ApplicationMode* { return new MainMenuMode(); });
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
        ASSERT_TRUE(GameDriver::StartTheStory(child, "MediumButton"));
        ASSERT_TRUE(ReachPlay(child));
        EXPECT_EQ("BuildShed_Medium", child.Look([] { return std::string(Game()->getLevelLabel().GetString()); }));
        EXPECT_EQ(3u, LiveCards(child).size());
        std::string const stickers = GameDriver::AccountRecord(child.AccountFile(), "GrubbinButton_StickerCount");
        PlanTheJob(child);
        ASSERT_TRUE(WaitForTheEnd(child));
        ASSERT_TRUE(child.WaitForScreen("StickerUnlockMode"));
        EXPECT_NE(stickers, GameDriver::AccountRecord(child.AccountFile(), "GrubbinButton_StickerCount"));
        ASSERT_TRUE(child.WaitUntil([] { return Child::FindNode("ResumeGame") != nullptr; }, "the pause menu"));
        ASSERT_TRUE(child.Wait(0.5f));
        ASSERT_TRUE(child.Click("ResumeGame"));
        ASSERT_TRUE(child.Frames(3));
        EXPECT_EQ("11", GameDriver::AccountRecord(child.AccountFile(), "GrubbinButton_Progress"));
    });
}

TEST_F(PlanAJobPlay, AWrongSlotShakesTheCardAndTheTablePutsCardsBack)
{
    StartAt(kGameModeDifficulty_Medium);
    driver.Play([](Child& child) {
        ASSERT_TRUE(ReachPlay(child));
        std::vector<sCard> const cards = LiveCards(child);
        ASSERT_EQ(3u, cards.size());
        EXPECT_FALSE(CancelMaskTakesClicks(child));
        // An empty slot with nothing held: nothing happens.
        sCard const other = Slot(child, cards[1].step);
        ASSERT_TRUE(ClickAt(child, other.x, other.y));
        EXPECT_FALSE(IsHolding(child));

        ASSERT_TRUE(ClickAt(child, cards[0].x, cards[0].y));
        ASSERT_TRUE(IsHolding(child));
        EXPECT_TRUE(CancelMaskTakesClicks(child));
        std::size_t const mark = child.Sounds().size();
        ASSERT_TRUE(ClickAt(child, other.x, other.y));
        child.Frames(2);
        EXPECT_EQ(1, CountPlays(child, "PlanAJob_IncorrectAnswer", mark));
        EXPECT_EQ(0, CountPlays(child, "General_CorrectAnswer", mark));
        EXPECT_TRUE(IsHolding(child));
        bool filled = true;
        Slot(child, cards[1].step, &filled);
        EXPECT_FALSE(filled);

        // The table: the card is back in its place.
        ASSERT_TRUE(ClickAt(child, 400, 590));
        child.Frames(2);
        EXPECT_FALSE(IsHolding(child));
        EXPECT_FALSE(CancelMaskTakesClicks(child));
        EXPECT_EQ(3u, LiveCards(child).size());
        EXPECT_TRUE(child.Look([] { return Child::FindNode("GameScreenRoot/FX_Layer")->GetChildCount() == 0; }));

        // Two cards in a row: the first goes back, the second is held over a live mask.
        ASSERT_TRUE(ClickAt(child, cards[0].x, cards[0].y));
        ASSERT_TRUE(ClickAt(child, cards[1].x, cards[1].y));
        child.Frames(2);
        ASSERT_TRUE(IsHolding(child));
        EXPECT_TRUE(CancelMaskTakesClicks(child));
        EXPECT_TRUE(child.Look([] { return Child::FindNode("GameScreenRoot/FX_Layer")->GetChildCount() == 1; }));
        ASSERT_TRUE(ClickAt(child, 400, 590));
        child.Frames(2);
        EXPECT_FALSE(IsHolding(child));
        EXPECT_EQ(3u, LiveCards(child).size());

        // A right drop, then a cancel: the filled slot takes no other card.
        ASSERT_TRUE(ClickAt(child, cards[0].x, cards[0].y));
        sCard const right = Slot(child, cards[0].step);
        ASSERT_TRUE(ClickAt(child, right.x, right.y));
        child.Frames(2);
        ASSERT_TRUE(ClickAt(child, cards[1].x, cards[1].y));
        ASSERT_TRUE(child.MoveMouseTo(right.x, right.y));
        child.Frames(1);
        ASSERT_TRUE(ClickAt(child, 400, 590));
        child.Frames(2);
        EXPECT_FALSE(IsHolding(child));
        EXPECT_EQ(2u, LiveCards(child).size());
        PlanTheJob(child);
        EXPECT_TRUE(WaitForTheEnd(child));
    });
}

// The game as the drag games' shared checks see it.
GameDriver::sDragGame const kDragGame = {"PlanAJobMode", [] { return new PlanAJobMode(); }, ReachPlay, IsHolding,
                                         [](Child& child) { return GameDriver::Centres(LiveCards(child)); }};

TEST_F(PlanAJobPlay, QuittingWithACardHeldLeadsToTheMainMenuAndKeepsTheAccount)
{
    GameDriver::ExpectQuitWithAPieceHeldKeepsTheAccount(driver, kDragGame);
}

// A node the game builds its slots or cards under, renamed in a content copy.
// The parameter: the node's name, and the start of the path the game looks up through it.
class PlanAJobBrokenLayout : public PlanAJobPlay,
                             public ::testing::WithParamInterface<std::pair<std::string, std::string> >
{
};

TEST_P(PlanAJobBrokenLayout, TheMissingNodeIsLoggedAndQuitStillLeaves)
{
    GameDriver::ExpectMissingLayoutNodeLoggedAndQuitLeaves(
        driver, "PlanAJobMode", GetParam().first, GetParam().second, [this] { StartAt(kGameModeDifficulty_Easy); },
        ReachPlay);
}

using PlanAJobNode = PlanAJobBrokenLayout::ParamType;

INSTANTIATE_TEST_SUITE_P(Nodes, PlanAJobBrokenLayout,
                         ::testing::Values(PlanAJobNode("MaterialTargets", "Blueprint/MaterialTargets"),
                                           PlanAJobNode("MaterialSources", "MaterialSources")),
                         [](::testing::TestParamInfo<PlanAJobNode> const& info) { return info.param.first; });
