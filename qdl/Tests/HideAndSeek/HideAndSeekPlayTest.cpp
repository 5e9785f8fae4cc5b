// The hide-and-seek game played through the driver over the real content, as
// a child plays it: the automated player watches the cat, clicks where it
// vanished and wins at every difficulty; wrong clicks, clicks caught by the
// mask and clicks on a transparent corner; quitting while the cat runs.
//
// Set QDL_HIDEANDSEEK_SCREENSHOTS to a folder to keep a picture of each
// difficulty while the cat hides (HideAndSeek_<difficulty>.png) and of the
// cat found (HideAndSeek_Found_<difficulty>.png).

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Core/Source/Vector2.h"
#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/FennInstructionMode.h"
#include "qdl/Source/Game/FrontEnd/CutsceneMode.h"
#include "qdl/Source/Game/FrontEnd/FrontEndMode.h"
#include "qdl/Source/Game/FrontEnd/QuitConfirmMode.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/StickerManager.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekCharacter.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekConstants.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekMode.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekObstacle.h"
#include "qdl/Tests/HideAndSeek/HideAndSeekPlayer.h"

using Corvane::ObjectID;
using Corvane::Vector2;
using GameDriver::Child;
using namespace HideAndSeekPlayer;

namespace
{

typedef std::vector<std::string> Screens;

char const* const kLayerNames[] = {"YSortedLayer_Easy", "YSortedLayer_Medium", "YSortedLayer_Hard"};
// The slots of each difficulty's layer in the content.
size_t const kSlots[] = {3, 5, 6};

class HideAndSeekPlay : public GameDriver::PlayTest
{
protected:
    void StartGameAt(int difficulty)
    {
        GameDriver::StartMiniGame(driver, GameModeDifficulty(difficulty), [] { return new HideAndSeekMode(); });
    }
};

void KeepScreenshot(Child& child, std::string const& name)
{
    if (char const* const folder = std::getenv("QDL_HIDEANDSEEK_SCREENSHOTS"))
    {
        EXPECT_TRUE(child.SaveScreenshot(std::string(folder) + "/" + name + ".png"));
    }
}

Vector2<float> CatAt()
{
    return CatRoot()->GlobalGetLocation();
}

bool TailShown(ObjectID obstacle)
{
    HideAndSeekObstacle* const place = ObstacleByID(obstacle);
    return place && place->getTailNode()->GlobalIsVisible();
}

float PictureHeight(ObjectID obstacle)
{
    return ObstacleByID(obstacle)->getImageNode()->LocalGetLocation().y;
}

// The names of the difficulty layers whose slots hold an obstacle.
std::vector<std::string> LayersWithObstacles()
{
    std::vector<std::string> layers;
    for (HideAndSeekObstacle* obstacle : Obstacles())
    {
        std::string const layer = obstacle->getLayoutNode()->GetParent()->GetParent()->GetNodeName().GetString();
        if (layers.empty() || layers.back() != layer)
            layers.push_back(layer);
    }
    return layers;
}

// The difficulty's button and OK on the difficulty popup; the game starts with
// its overlay (Fenn in pose 2), which OK closes.
void ChooseDifficultyAndCloseTheOverlay(Child& child, int difficulty)
{
    ASSERT_TRUE(GameDriver::WaitForPopupToRest(child, "DifficultySelectMode"));
    ASSERT_TRUE(child.Click(GameDriver::kDifficultyButtons[difficulty]));
    ASSERT_TRUE(child.Click("OkButton"));
    ASSERT_TRUE(child.WaitForScreen("FennInstructionMode"));
    EXPECT_EQ((Screens{"HideAndSeekMode", "FennInstructionMode"}), child.Screens());
    EXPECT_EQ(kIntroFennState_Waving, child.Look([] {
        return dynamic_cast<FennInstructionMode*>(Corvane::MainLoop::GetTopMostMode(0))->getIntroState();
    }));
    EXPECT_EQ(difficulty, child.Look([] { return int(GetLevelManager()->getDifficulty()); }));
    // While the overlay is up the cat stands at its start and nothing runs.
    Vector2<float> const start = child.Look([] {
        return static_cast<Vector2<float> >(Corvane::Constant<Vector2<float> >("MistleStartLocation"));
    });
    ASSERT_TRUE(child.Frames(10));
    EXPECT_EQ(start.x, child.Look([] { return CatAt().x; }));
    EXPECT_EQ(start.y, child.Look([] { return CatAt().y; }));
    KeepScreenshot(child, std::string("HideAndSeek_Overlay_") + kGameModeDifficultyNames[difficulty]);
    ASSERT_TRUE(child.Click("OkButton"));
    ASSERT_TRUE(child.WaitForScreen("HideAndSeekMode"));
}

// The automated player finds the cat as often as the level asks; the win's
// voice and run follow, and 2.0 s after the cat arrives the level ends with
// one more sticker for Pondo. Returns at the level's end.
void FindTheCatEveryTime(Child& child, int difficulty)
{
    // The level's obstacles, as many as the layer has slots, in that layer only.
    EXPECT_EQ(kSlots[difficulty], child.Look([] { return Obstacles().size(); }));
    EXPECT_EQ(std::vector<std::string>{kLayerNames[difficulty]}, child.Look([] { return LayersWithObstacles(); }));
    int const numHides = child.Look([] { return Game()->getNumHides(); });
    std::string const stickers = GameDriver::AccountRecord(child.AccountFile(), "PondoButton_StickerCount");
    ASSERT_GE(numHides, 2);
    bool const screenshots = std::getenv("QDL_HIDEANDSEEK_SCREENSHOTS") != nullptr;

    CatWatcher watcher;
    for (int find = 0; find < numHides; ++find)
    {
        SCOPED_TRACE("find " + std::to_string(find + 1));
        ObjectID const place = WaitForHidingPlace(child, watcher);
        ASSERT_NE(Corvane::kInvalidObjectID, place);
        // The tail shows on Easy and Medium, where the levels ask for it, never on Hard.
        EXPECT_EQ(difficulty != 2, child.Look([place] { return TailShown(place); }));
        if (find == 0)
            KeepScreenshot(child, std::string("HideAndSeek_") + kGameModeDifficultyNames[difficulty]);

        int const cheers = CountPlays(child.Sounds(), "General_CorrectAnswer");
        ASSERT_TRUE(ClickObstacle(child, place));
        ASSERT_TRUE(child.Frames(2));
        EXPECT_TRUE(child.Look([] { return CatShown() && CatAnimation() == "Idle" && MaskShown(); }));
        EXPECT_FALSE(child.Look([place] { return TailShown(place); }));
        EXPECT_EQ(cheers + 1, CountPlays(child.Sounds(), "General_CorrectAnswer"));
        Vector2<float> const foundAt = child.Look([] { return CatAt(); });
        if (find == 0 && screenshots)
        {
            ASSERT_TRUE(child.Wait(0.5f));
            KeepScreenshot(child, std::string("HideAndSeek_Found_") + kGameModeDifficultyNames[difficulty]);
        }
        // Counted 1.5 s after the click, when the picture is at its highest.
        ASSERT_TRUE(child.WaitUntil([find] { return Game()->getHidesFound() == find + 1; }, "the find to count"));
        if (find + 1 < numHides)
        {
            // The next hide starts from where the cat was found, at once.
            std::vector<Vector2<float> > const plan = child.Look([] { return Cat()->getPlan(); });
            ASSERT_FALSE(plan.empty());
            EXPECT_NEAR(foundAt.x, plan[0].x, 0.01f);
            EXPECT_NEAR(foundAt.y, plan[0].y, 0.01f);
            EXPECT_EQ("Run", child.Look([] { return CatAnimation(); }));
        }
    }

    // Won: the voice, the run to the end place, and 2.0 s later the level's end, once.
    ASSERT_TRUE(child.Frames(2));
    EXPECT_EQ(1, CountPlays(child.Sounds(), "HideAndSeek_GameComplete"));
    EXPECT_EQ("Run", child.Look([] { return CatAnimation(); }));
    Vector2<float> const end = child.Look([] {
        return static_cast<Vector2<float> >(Corvane::Constant<Vector2<float> >("MistleEndLocation"));
    });
    ASSERT_TRUE(child.WaitUntil([end] { return std::fabs(CatAt().x - end.x) < 0.01f; }, "the cat at the leg's end"));
    int frames = 0;
    while (child.TopScreen() == "HideAndSeekMode" && frames < 200)
    {
        ASSERT_TRUE(child.Frames(1));
        ++frames;
    }
    EXPECT_NEAR(100, frames, 3);
    EXPECT_EQ((Screens{"HideAndSeekMode", "StickerUnlockMode"}), child.Screens());
    EXPECT_EQ(std::to_string(std::stoi("0" + stickers) + 1),
              GameDriver::AccountRecord(child.AccountFile(), "PondoButton_StickerCount"));
    EXPECT_EQ(numHides, child.Look([] { return Game()->getHidesFound(); }));
}

TEST_F(HideAndSeekPlay, TheChildFindsTheCatAndWinsAtEveryDifficulty)
{
    for (int difficulty = 0; difficulty < 3; ++difficulty)
    {
        SCOPED_TRACE(kGameModeDifficultyNames[difficulty]);
        GameDriver::Driver play;
        play.Play([difficulty](Child& child) {
            ASSERT_TRUE(GameDriver::ComeToMainMenu(child, "PondoButton", "NewGame"));
            ASSERT_TRUE(child.Click("FreePlayButton"));
            ASSERT_TRUE(child.WaitForScreen("FreePlaySelectMode"));
            ASSERT_TRUE(child.Click("HideAndSeek"));
            ChooseDifficultyAndCloseTheOverlay(child, difficulty);
            FindTheCatEveryTime(child, difficulty);
            // After the sticker, free play goes on (seen once: it is the same at every difficulty).
            if (difficulty == 0)
            {
                ASSERT_TRUE(child.WaitForScreen("FreePlaySelectMode"));
                EXPECT_EQ(Screens{"FreePlaySelectMode"}, child.Screens());
            }
        });
    }
}

TEST_F(HideAndSeekPlay, TheStorysFourthLevelIsThisGameAndWinningItLeadsToTheMiddleCutscene)
{
    driver.SetAccountValue("PondoButton_Progress", "4");
    driver.Play([](Child& child) {
        ASSERT_TRUE(GameDriver::ComeToMainMenu(child, "PondoButton", "Continue"));
        ASSERT_TRUE(child.Click("StoryButton"));
        ChooseDifficultyAndCloseTheOverlay(child, 0);
        EXPECT_EQ("4", GameDriver::AccountRecord(child.AccountFile(), "PondoButton_Progress"));
        FindTheCatEveryTime(child, 0);
        ASSERT_TRUE(child.WaitForScreen("CutsceneMode"));
        EXPECT_EQ("Cutscene_Middle", child.Look([] {
            return std::string(dynamic_cast<CutsceneMode*>(Corvane::MainLoop::GetTopMostMode(0))->getCutsceneID().GetString());
        }));
        EXPECT_EQ("5", GameDriver::AccountRecord(child.AccountFile(), "PondoButton_Progress"));
    });
}

TEST_F(HideAndSeekPlay, WrongClicksShowAnotherAnimalAndTheMaskHoldsOffClicksFor2Seconds)
{
    StartGameAt(0);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("HideAndSeekMode"));
        CatWatcher watcher;
        ObjectID const place = WaitForHidingPlace(child, watcher);
        ASSERT_NE(Corvane::kInvalidObjectID, place);
        ObjectID const wrong = child.Look([place] {
            for (HideAndSeekObstacle* obstacle : Obstacles())
                if (obstacle->GetID() != place)
                    return obstacle->GetID();
            return Corvane::kInvalidObjectID;
        });

        int const selects = CountPlays(child.Sounds(), "SFX_SelectItem");
        ASSERT_TRUE(ClickObstacle(child, wrong));
        int frames = 2;
        ASSERT_TRUE(child.Frames(1));
        EXPECT_EQ(selects + 1, CountPlays(child.Sounds(), "SFX_SelectItem"));
        EXPECT_EQ(1, CountPlays(child.Sounds(), "HideAndSeek_IncorrectAnswer"));
        EXPECT_TRUE(child.Look([wrong] { return ObstacleByID(wrong)->getWrongAnimalNode()->GlobalIsVisible(); }));
        EXPECT_TRUE(child.Look([] { return MaskShown(); }));

        // A click at the right place while the picture is up reaches the mask only.
        ASSERT_TRUE(child.Frames(12));
        frames += 12;
        ASSERT_TRUE(ClickObstacle(child, place));
        frames += 3;
        EXPECT_EQ(selects + 1, CountPlays(child.Sounds(), "SFX_SelectItem"));
        EXPECT_EQ(0.0f, child.Look([place] { return PictureHeight(place); }));

        // The mask goes at 2.0 s, with the animal; the wrong find counted nothing.
        while (child.Look([] { return MaskShown(); }) && frames < 200)
        {
            ASSERT_TRUE(child.Frames(1));
            ++frames;
        }
        EXPECT_NEAR(100, frames, 3);
        // The animal goes with the picture's cue, at most a step after the mask.
        ASSERT_TRUE(child.Frames(1));
        EXPECT_FALSE(child.Look([wrong] { return ObstacleByID(wrong)->getWrongAnimalNode()->GlobalIsVisible(); }));
        EXPECT_EQ(0, child.Look([] { return Game()->getHidesFound(); }));
        EXPECT_EQ(0.0f, child.Look([wrong] { return PictureHeight(wrong); }));

        // The transparent corner of the picture takes no click.
        int x = 0;
        int y = 0;
        ASSERT_TRUE(child.Look([place, &x, &y] { return TransparentPoint(ObstacleByID(place), &x, &y); }));
        ASSERT_TRUE(ClickAt(child, x, y));
        ASSERT_TRUE(child.Frames(3));
        EXPECT_EQ(selects + 1, CountPlays(child.Sounds(), "SFX_SelectItem"));
        EXPECT_FALSE(child.Look([] { return MaskShown(); }));

        // The right place is still there to be found.
        ASSERT_TRUE(ClickObstacle(child, place));
        ASSERT_TRUE(child.WaitUntil([] { return Game()->getHidesFound() == 1; }, "the first find to count"));

        // The cat and the obstacles answer through the object interface as they do directly.
        EXPECT_TRUE(child.Look([] {
            Corvane::Object const* const cat = Cat();
            Corvane::Object const* const obstacle = Obstacles()[0];
            return cat->GetName() == getHideAndSeekCharacterName() && obstacle->GetRole() == getHideAndSeekObstacleRole() &&
                   std::string(cat->GetName().GetString()) == "HideAndSeek_Character" &&
                   std::string(obstacle->GetRole().GetString()) == "HideAndSeek_Obstacle";
        }));
        // A fresh game replaces this one and draws its level anew.
        HideAndSeekMode const* const before = child.Look([] { return Game(); });
        child.RunOnLoop([] { Game()->refreshMode(); });
        ASSERT_TRUE(
            child.WaitUntil([before] { return Game() != nullptr && Game() != before; }, "the next loop's game"));
        EXPECT_EQ(3u, child.Look([] { return Obstacles().size(); }));
        EXPECT_EQ(0, child.Look([] { return Game()->getHidesFound(); }));
    });
}

TEST_F(HideAndSeekPlay, QuitWhileTheCatRunsNoGoesBackToTheGameAndYesToTheMainMenu)
{
    driver.SetAccountValue("PondoButton_Progress", "3");
    StartGameAt(1);
    std::string stickers;
    driver.Play([&stickers](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("HideAndSeekMode"));
        stickers = GameDriver::AccountRecord(child.AccountFile(), "PondoButton_StickerCount");
        ASSERT_TRUE(child.WaitUntil([] { return CatAnimation() == "Run" && CatShown(); }, "the cat to run"));
        ASSERT_TRUE(child.Click("QuitButton"));
        ASSERT_TRUE(child.WaitForScreen("QuitConfirmMode"));
        Vector2<float> const stoppedAt = child.Look([] { return CatAt(); });
        // The game below stands still while the question is asked.
        ASSERT_TRUE(child.Wait(1.0f));
        EXPECT_EQ(stoppedAt.x, child.Look([] { return CatAt().x; }));
        ASSERT_TRUE(GameDriver::WaitForPopupToRest(child, "QuitConfirmMode"));
        ASSERT_TRUE(child.Click("NoButton"));
        ASSERT_TRUE(child.WaitForScreen("HideAndSeekMode"));
        EXPECT_EQ(Screens{"HideAndSeekMode"}, child.Screens());
        // The cat runs on from where it stood.
        ASSERT_TRUE(child.WaitUntil([stoppedAt] { return CatAt().x != stoppedAt.x || !CatShown(); },
                                    "the cat to move on or hide"));

        ASSERT_TRUE(child.Click("QuitButton"));
        ASSERT_TRUE(GameDriver::WaitForPopupToRest(child, "QuitConfirmMode"));
        ASSERT_TRUE(child.Click("YesButton"));
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
        EXPECT_EQ(Screens{"MainMenuMode"}, child.Screens());
    });
    EXPECT_FALSE(stickers.empty());
    EXPECT_EQ(stickers, GameDriver::AccountRecord(driver.AccountFile(), "PondoButton_StickerCount"));
    EXPECT_EQ("3", GameDriver::AccountRecord(driver.AccountFile(), "PondoButton_Progress"));
}

} // namespace
