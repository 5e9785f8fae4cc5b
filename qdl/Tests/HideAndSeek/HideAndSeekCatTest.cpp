// The cat and the obstacles on a small field of their own, over the real
// content: which obstacles a hide runs to, how long and which way round a leg
// runs, what the cat does with too few obstacles, no speed or no runs, and
// what waits behind a hide on the cat's own queue.

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Core/Source/Vector2.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "CorvaneExtensions/Source/NodeTasks.h"
#include "CorvaneExtensions/Source/SceneApplicationMode.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekCharacter.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekConstants.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekObstacle.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"

using Corvane::ObjectID;
using Corvane::Vector2;
using GameDriver::Child;

namespace
{

// The cat starts at "MistleStartLocation" (0, 460) of the content.
Vector2<float> const kStart(0.0f, 460.0f);

struct sFieldSetup
{
    std::vector<Vector2<float> > slots;
    int numPreviewHides;
    float runSpeed;
    bool showTail;
};

// A layer at the screen's origin with an obstacle in each slot, and the cat.
class CatField : public SceneApplicationMode
{
public:
    explicit CatField(sFieldSetup const& setup) : setup(setup) {}

    void Setup() override
    {
        SceneApplicationMode::Setup();
        SceneNode* const layer = new SceneNode();
        GetObjectDatabase()->AddObject(layer);
        GetRootNode()->AttachChild(layer);
        for (size_t i = 0; i < setup.slots.size(); ++i)
        {
            SceneNode* const slot = new SceneNode();
            slot->LocalSetLocation(setup.slots[i]);
            GetObjectDatabase()->AddObject(slot);
            layer->AttachChild(slot);
            HideAndSeekObstacle* const obstacle = new HideAndSeekObstacle(static_cast<int>(i));
            obstacle->AddToCurScene(slot);
            obstacles.push_back(obstacle->GetID());
        }
        HideAndSeekCharacter* const cat = new HideAndSeekCharacter(setup.numPreviewHides, setup.runSpeed, setup.showTail);
        cat->AddToCurScene(layer);
        catID = cat->GetID();
    }

    HideAndSeekCharacter* cat() const
    {
        return dynamic_cast<HideAndSeekCharacter*>(const_cast<CatField*>(this)->GetObjectDatabase()->GetObject(catID));
    }
    HideAndSeekObstacle* obstacle(size_t i) const
    {
        return dynamic_cast<HideAndSeekObstacle*>(
            const_cast<CatField*>(this)->GetObjectDatabase()->GetObject(obstacles.at(i)));
    }
    // The slot of the obstacle the cat runs to or hides behind; -1 for none.
    int currentSlot() const
    {
        for (size_t i = 0; i < obstacles.size(); ++i)
            if (cat() && obstacles[i] == cat()->getCurrentObstacle())
                return static_cast<int>(i);
        return -1;
    }

    sFieldSetup setup;
    std::vector<ObjectID> obstacles;
    ObjectID catID = Corvane::kInvalidObjectID;
};

CatField* Field()
{
    return dynamic_cast<CatField*>(Corvane::MainLoop::GetTopMostMode(0));
}

HideAndSeekCharacter* Cat()
{
    return Field() ? Field()->cat() : nullptr;
}

bool CatShown()
{
    return Cat() && Cat()->getLayoutNode()->GlobalIsVisible();
}

Vector2<float> CatAt()
{
    return Cat()->getLayoutNode()->LocalGetLocation();
}

bool CatMirrored()
{
    return Cat()->getLayoutNode()->GetDescendent(kHideAndSeekImageNodePath)->LocalGetFlipH();
}

class HideAndSeekCat : public GameDriver::PlayTest
{
protected:
    void SetUpPlay() override
    {
        // The loading screen hands over to an empty scene; each case puts its field in its place.
        driver.StartWith([]() -> Corvane::ApplicationMode* { return new SceneApplicationMode(); });
    }

    static bool OpenField(Child& child, sFieldSetup const& setup)
    {
        CatField* const before = child.Look([] { return Field(); });
        child.RunOnLoop([setup] { Corvane::MainLoop::UnwindToMode(new CatField(setup)); });
        return child.WaitUntil([before] { return Field() != nullptr && Field() != before; }, "the new field");
    }
};

TEST_F(HideAndSeekCat, TwoObstaclesAlternateAndAFindIsNeverTheNextPlace)
{
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("SceneApplicationMode"));
        for (int round = 0; round < 3; ++round)
        {
            ASSERT_TRUE(OpenField(child, sFieldSetup{{{300, 460}, {300, 200}}, 3, 1500.0f, true}));
            // Planned in the update after the cat joined the scene: all three legs at once.
            ASSERT_TRUE(child.Within([] { return Cat()->getPlan().size() > 1; }, 0.1f));
            EXPECT_EQ(4u, child.Look([] { return Cat()->getPlan().size(); }));
            ASSERT_TRUE(child.WaitUntil([] { return !CatShown(); }, "the cat to hide"));
            int const hidingSlot = child.Look([] { return Field()->currentSlot(); });
            std::vector<Vector2<float> > const plan = child.Look([] { return Cat()->getPlan(); });
            ASSERT_EQ(4u, plan.size());
            // A, B, A or B, A, B: the first and third leg go to the same place, the second elsewhere.
            EXPECT_EQ(plan[1].x, plan[3].x);
            EXPECT_EQ(plan[1].y, plan[3].y);
            EXPECT_NE(plan[1].y, plan[2].y);
            EXPECT_NEAR(plan[3].y, child.Look([] { return CatAt().y; }) + 10.0f, 0.01f);

            // Found there, the next hide runs B, A, B from it.
            child.RunOnLoop([] {
                Cat()->getFound();
                Cat()->setupNewHideSequence();
            });
            ASSERT_TRUE(child.Within([] { return Cat()->getPlan().size() == 4; }, 0.1f));
            std::vector<Vector2<float> > const next = child.Look([] { return Cat()->getPlan(); });
            EXPECT_EQ(plan[3].y - 10.0f, next[0].y);
            EXPECT_NE(plan[3].y, next[1].y);
            EXPECT_EQ(plan[3].y, next[2].y);
            EXPECT_NE(plan[3].y, next[3].y);
            EXPECT_NE(-1, hidingSlot);
        }
    });
}

TEST_F(HideAndSeekCat, ALegRunsItsLengthAtTheSpeedFacingTheWayItGoes)
{
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("SceneApplicationMode"));
        // 300 to the right of the start at 150 a second; then one straight up.
        ASSERT_TRUE(OpenField(child, sFieldSetup{{{300, 460}}, 1, 150.0f, true}));
        ASSERT_TRUE(child.WaitUntil([] { return CatAt().x > kStart.x; }, "the cat to start moving"));
        int frames = 1;
        while (child.Look([] { return CatAt().x < 300.0f; }) && frames < 200)
        {
            ASSERT_TRUE(child.Frames(1));
            ++frames;
        }
        // 2.0 s of 20 ms steps, give or take the step the move starts in.
        EXPECT_NEAR(100, frames, 1);
        EXPECT_FALSE(child.Look([] { return CatMirrored(); }));
        EXPECT_NEAR(450.0f, child.Look([] { return CatAt().y; }), 0.01f);

        // Leftward legs mirror the cat; rightward and vertical ones do not.
        ASSERT_TRUE(OpenField(child, sFieldSetup{{{400, 460}, {200, 460}}, 2, 4000.0f, true}));
        ASSERT_TRUE(child.Within([] { return Cat()->getPlan().size() == 3; }, 0.1f));
        std::vector<Vector2<float> > const plan = child.Look([] { return Cat()->getPlan(); });
        ASSERT_TRUE(child.WaitUntil([] { return Cat()->getLegsDone() == 1; }, "the cat's first leg"));
        EXPECT_FALSE(child.Look([] { return CatMirrored(); }));
        ASSERT_TRUE(child.WaitUntil([] { return !CatShown(); }, "the cat to hide"));
        EXPECT_EQ(plan[2].x < plan[1].x, child.Look([] { return CatMirrored(); }));

        ASSERT_TRUE(OpenField(child, sFieldSetup{{{0, 200}}, 1, 4000.0f, true}));
        ASSERT_TRUE(child.WaitUntil([] { return !CatShown(); }, "the cat to hide"));
        EXPECT_FALSE(child.Look([] { return CatMirrored(); }));
        EXPECT_NEAR(190.0f, child.Look([] { return CatAt().y; }), 0.01f);
    });
}

TEST_F(HideAndSeekCat, TooFewObstaclesNoSpeedOrNoRunsStillEndWithoutEndlessDraws)
{
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("SceneApplicationMode"));
        // One obstacle: every leg and every hide goes there.
        ASSERT_TRUE(OpenField(child, sFieldSetup{{{300, 300}}, 3, 2000.0f, true}));
        ASSERT_TRUE(child.WaitUntil([] { return !CatShown(); }, "the cat to hide"));
        std::vector<Vector2<float> > const plan = child.Look([] { return Cat()->getPlan(); });
        ASSERT_EQ(4u, plan.size());
        for (size_t leg = 1; leg < plan.size(); ++leg)
            EXPECT_EQ(300.0f, plan[leg].x);
        EXPECT_EQ(0, child.Look([] { return Field()->currentSlot(); }));

        // No speed: every leg is over in the step it starts; no runs: one run.
        ASSERT_TRUE(OpenField(child, sFieldSetup{{{300, 300}, {500, 300}}, 0, 0.0f, false}));
        ASSERT_TRUE(child.WaitUntil([] { return !CatShown(); }, "the cat to hide"));
        EXPECT_EQ(1, child.Look([] { return Cat()->getNumPreviewHides(); }));
        EXPECT_EQ(2u, child.Look([] { return Cat()->getPlan().size(); }));
        // Without the tail the hiding place shows nothing.
        EXPECT_FALSE(child.Look([] {
            return Field()->obstacle(static_cast<size_t>(Field()->currentSlot()))->getTailNode()->GlobalIsVisible();
        }));

        // No obstacle: nothing is planned, the cat stays, and the frames go on.
        ASSERT_TRUE(OpenField(child, sFieldSetup{{}, 2, 100.0f, true}));
        ASSERT_TRUE(child.Frames(10));
        EXPECT_TRUE(child.Look([] { return CatShown(); }));
        EXPECT_EQ(1u, child.Look([] { return Cat()->getPlan().size(); }));
        EXPECT_EQ(kStart.x, child.Look([] { return CatAt().x; }));
    });
    EXPECT_NE(std::string::npos, driver.Log().find("no obstacle on the playfield")) << driver.Log();
}

TEST_F(HideAndSeekCat, WhatIsQueuedBehindAHideWaitsForItsLastLegAndTheTailShows)
{
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("SceneApplicationMode"));
        ASSERT_TRUE(OpenField(child, sFieldSetup{{{300, 300}, {500, 300}, {100, 200}}, 3, 600.0f, true}));
        ASSERT_TRUE(child.Within([] { return Cat()->getPlan().size() == 4; }, 0.1f));
        auto done = std::make_shared<int>(-1);
        child.RunOnLoop([done] {
            Cat()->AddTask(new SimpleFunctionTask<HideAndSeekCharacter>(
                [done](HideAndSeekCharacter* cat, float) { *done = cat->getLegsDone(); }));
        });
        ASSERT_TRUE(child.WaitUntil([] { return !CatShown(); }, "the cat to hide"));
        EXPECT_EQ(-1, *done);
        ASSERT_TRUE(child.Within([done] { return *done != -1; }, 0.1f));
        EXPECT_EQ(3, *done);
        EXPECT_TRUE(child.Look([] {
            return Field()->obstacle(static_cast<size_t>(Field()->currentSlot()))->getTailNode()->GlobalIsVisible();
        }));
    });
}

} // namespace
