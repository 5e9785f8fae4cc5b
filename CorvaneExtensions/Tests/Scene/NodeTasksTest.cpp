// Node tasks queued on scene nodes and run by the scene mode's update: where they
// leave the node, when they finish, and what their clones do.

#include "CorvaneExtensions/Tests/Scene/SceneTestSupport.h"

#include "CorvaneExtensions/Source/NodeTasks.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "CorvaneExtensions/Source/SpriteType.h"

#include "2DEngine/Source/Framework/Tasks.h"

#include <gtest/gtest.h>

#include <cmath>

#include <stdexcept>

using namespace Corvane;
using namespace SceneTesting;

namespace
{

class NodeTasksTest : public ::testing::Test
{
protected:
    NodeTasksTest() : node(scene.Add(new SceneNode(L8("M\u00f3vil")))) {}

    // Runs the scene for a number of 20 ms steps.
    void Run(int steps)
    {
        for (int i = 0; i < steps; ++i)
            scene.mode->Update(0.02f);
    }

    bool Idle() const { return node->GetTasks().GetUnfinishedCount() == 0; }

    SceneModeFixture scene;
    SceneNode* node;
};

// The message of the runtime error the task throws when run on the object.
std::string ErrorOn(Task* task, Object* object)
{
    std::unique_ptr<Task> owned(task);
    try
    {
        owned->Update(object, 0.02f);
    }
    catch (std::runtime_error const& error)
    {
        return error.what();
    }
    return "no error";
}

// The angle in degrees from 0 up to 360.
float Degrees(Angle angle)
{
    float const degrees = std::fmod(angle.GetDegrees(), 360.0f);
    return degrees < 0.0f ? degrees + 360.0f : degrees;
}

void ExpectNear(Vector2<float> const& expected, Vector2<float> const& actual)
{
    EXPECT_NEAR(expected.x, actual.x, 1e-3f);
    EXPECT_NEAR(expected.y, actual.y, 1e-3f);
}

} // namespace

// ---- Normal case ------------------------------------------------------------------------------

TEST_F(NodeTasksTest, AnImmediateMoveLandsInOneUpdateAndFinishesThere)
{
    node->AddTask(new NodeLocationTask(Vector2<float>(100, 50)));
    Run(1);
    EXPECT_EQ(Vector2<float>(100, 50), node->LocalGetLocation());
    EXPECT_TRUE(Idle());
    EXPECT_EQ(Vector2<float>(100, 50), node->GlobalGetLocation());
}

TEST_F(NodeTasksTest, ATimedMoveGoesInAStraightLineAndHandsOnTheRestOfItsStep)
{
    node->LocalSetLocation(10, 10);
    node->AddTask(new NodeLocationTask(110, 60, 0.07f));
    node->AddTask(new NodeLocationTask(0, 0));
    Run(2);
    ExpectNear(Vector2<float>(10 + 100 * 4 / 7.0f, 10 + 50 * 4 / 7.0f), node->LocalGetLocation());
    Run(3);
    // The immediate move ran in the same update in which the line ended.
    EXPECT_EQ(Vector2<float>(0, 0), node->LocalGetLocation());
    EXPECT_TRUE(Idle());
}

TEST_F(NodeTasksTest, AMoveKeepsItsStartAndOverridesAManualMoveUntilItEnds)
{
    node->AddTask(new NodeLocationTask(Vector2<float>(100, 0), 0.1f));
    Run(1);
    node->LocalSetLocation(500, 500);
    Run(1);
    ExpectNear(Vector2<float>(40, 0), node->LocalGetLocation());
    Run(4);
    EXPECT_EQ(Vector2<float>(100, 0), node->LocalGetLocation());
    node->LocalSetLocation(7, 7);
    Run(1);
    EXPECT_EQ(Vector2<float>(7, 7), node->LocalGetLocation());
}

TEST_F(NodeTasksTest, ATurnTakesTheShorterWayRound)
{
    node->LocalSetOrientation(Angle::FromDegrees(350));
    node->AddTask(new NodeOrientationTask(Angle::FromDegrees(10), 0.1f));
    Run(2);
    EXPECT_NEAR(358.0f, node->LocalGetOrientation().GetDegrees(), 1e-2f);
    Run(4);
    EXPECT_NEAR(370.0f, node->LocalGetOrientation().GetDegrees(), 1e-2f);
    EXPECT_TRUE(Idle());

    node->LocalSetOrientation(Angle::FromDegrees(-710));
    node->AddTask(new NodeOrientationTask(Angle::FromDegrees(340), 0.1f));
    Run(6);
    // -710 is 10 degrees; 340 lies 30 degrees back.
    EXPECT_NEAR(-20.0f, node->LocalGetOrientation().GetDegrees(), 1e-2f);
}

TEST_F(NodeTasksTest, AnEndlessSpinTurnsAQuarterMoreEachRound)
{
    auto quarters = std::make_shared<IncrementNumberGenerator<Angle> >(Angle::FromDegrees(90), Angle::FromDegrees(90));
    node->AddTask(new RepeatingTask(
        new NodeOrientationTask(quarters, std::make_shared<ConstNumberGenerator<float> >(0.1f))));
    // Each round is a clone that turns 90 degrees further in 0.1 s; looked at 40% into
    // the second, fourth and fifth rounds.
    Run(7);
    EXPECT_NEAR(126.0f, Degrees(node->LocalGetOrientation()), 0.5f);
    Run(10);
    EXPECT_NEAR(306.0f, Degrees(node->LocalGetOrientation()), 0.5f);
    Run(5);
    EXPECT_NEAR(36.0f, Degrees(node->LocalGetOrientation()), 0.5f);
}

TEST_F(NodeTasksTest, AnImmediateTurnAndScaleLandAtOnce)
{
    node->AddTask(new NodeOrientationTask(Angle::FromDegrees(90)));
    node->AddTask(new NodeScaleTask(Vector2<float>(2, 0.5f)));
    Run(1);
    EXPECT_NEAR(90.0f, node->LocalGetOrientation().GetDegrees(), 1e-3f);
    // An immediate task uses none of the step: the scale landed in the same update.
    EXPECT_EQ(Vector2<float>(2, 0.5f), node->LocalGetScale());
    EXPECT_TRUE(Idle());
}

TEST_F(NodeTasksTest, ATimedScaleGrowsLinearly)
{
    node->AddTask(new NodeScaleTask(Vector2<float>(3, 2), 0.2f));
    Run(5);
    ExpectNear(Vector2<float>(2, 1.5f), node->LocalGetScale());
    Run(6);
    EXPECT_EQ(Vector2<float>(3, 2), node->LocalGetScale());
}

TEST_F(NodeTasksTest, ABezierCurveStartsHereAndEndsOnItsEndPoint)
{
    node->LocalSetLocation(0, 0);
    node->AddTask(new NodeBezierLocationTask(Vector2<float>(80, 0), Vector2<float>(0, 80), Vector2<float>(80, 80),
                                             0.2f));
    Run(5);
    // Half way: (P0 + 3 P1 + 3 P2 + P3) / 8.
    ExpectNear(Vector2<float>(40, 60), node->LocalGetLocation());
    Run(6);
    ExpectNear(Vector2<float>(80, 0), node->LocalGetLocation());
    EXPECT_TRUE(Idle());
}

TEST_F(NodeTasksTest, ACatmullRomPathPassesThroughEachPointAndEndsOnTheLast)
{
    node->LocalSetLocation(0, 0);
    std::vector<Vector2<float> > const path{Vector2<float>(100, 0), Vector2<float>(100, 100),
                                            Vector2<float>(0, 100)};
    node->AddTask(new NodeCatmullRomPathTask(path, 0.3f));
    Run(5);
    ExpectNear(Vector2<float>(100, 0), node->LocalGetLocation());
    Run(5);
    ExpectNear(Vector2<float>(100, 100), node->LocalGetLocation());
    Run(6);
    EXPECT_EQ(Vector2<float>(0, 100), node->LocalGetLocation());
    EXPECT_TRUE(Idle());
}

TEST_F(NodeTasksTest, AOnePointPathGoesFromHereToThatPoint)
{
    node->LocalSetLocation(20, 20);
    node->AddTask(new NodeCatmullRomPathTask({Vector2<float>(120, 20)}, 0.2f));
    Run(5);
    // Both tangents lie on the line: the path stays on it.
    EXPECT_NEAR(20.0f, node->LocalGetLocation().y, 1e-3f);
    EXPECT_GT(node->LocalGetLocation().x, 20.0f);
    EXPECT_LT(node->LocalGetLocation().x, 120.0f);
    Run(6);
    EXPECT_EQ(Vector2<float>(120, 20), node->LocalGetLocation());
}

TEST_F(NodeTasksTest, ExplicitTangentsBendThePathButNotItsEnds)
{
    node->LocalSetLocation(0, 0);
    node->AddTask(new NodeCatmullRomPathTask({Vector2<float>(100, 0)}, Vector2<float>(0, -100),
                                             Vector2<float>(100, 100), 0.2f,
                                             std::make_shared<LinearInterpolator>()));
    Run(2);
    // A fifth of the way: pulled off the straight line by the tangents.
    EXPECT_NEAR(4.8f, node->LocalGetLocation().y, 1e-3f);
    Run(9);
    EXPECT_EQ(Vector2<float>(100, 0), node->LocalGetLocation());
}

TEST_F(NodeTasksTest, VisibilityChangesAndTheNextTaskRunsInTheSameUpdate)
{
    node->AddTask(new NodeVisibleTask(false));
    node->AddTask(new NodeLocationTask(Vector2<float>(5, 5)));
    Run(1);
    EXPECT_FALSE(node->LocalIsVisible());
    EXPECT_FALSE(node->GlobalIsVisible());
    EXPECT_EQ(Vector2<float>(5, 5), node->LocalGetLocation());
    node->AddTask(new NodeVisibleTask(std::make_shared<ConstNumberGenerator<bool> >(true)));
    Run(1);
    EXPECT_TRUE(node->LocalIsVisible());
}

TEST_F(NodeTasksTest, ClonesDrawFreshTargetsFromClonedGenerators)
{
    auto x = std::make_shared<IncrementNumberGenerator<float> >(10.0f, 10.0f);
    auto target = std::make_shared<Vector2ToVector2Generator<float> >(
        x, std::make_shared<ConstNumberGenerator<float> >(0.0f));
    NodeLocationTask* first = new NodeLocationTask(target, std::make_shared<ConstNumberGenerator<float> >(0.04f),
                                                   std::make_shared<LinearInterpolator>());
    node->AddTask(first);
    Run(2);
    EXPECT_EQ(Vector2<float>(10, 0), node->LocalGetLocation());

    // The generator stood at 20 once the first task drew its target.
    node->AddTask(new NodeLocationTask(target->Clone(), std::make_shared<ConstNumberGenerator<float> >(0.0f),
                                       std::make_shared<ImmediateInterpolator>()));
    Run(1);
    EXPECT_EQ(Vector2<float>(20, 0), node->LocalGetLocation());

    // A repeating move: each round is a clone, and each clone goes one step further.
    node->AddTask(new RepeatingTask(new NodeLocationTask(
        target, std::make_shared<ConstNumberGenerator<float> >(0.02f), std::make_shared<LinearInterpolator>())));
    Run(1);
    EXPECT_EQ(Vector2<float>(20, 0), node->LocalGetLocation());
    Run(1);
    EXPECT_EQ(Vector2<float>(30, 0), node->LocalGetLocation());
}

TEST_F(NodeTasksTest, AnAnimationTaskStartsTheAnimationAndWaitsForItsEndWhenAsked)
{
    SpriteType type(L8("Tipo"), L8("Cuadros"));
    SpriteAnimation shortOne(L8("Corto"), 1, false, Label());
    shortOne.SetFrameListString("1,2", 10.0f, false);
    type.AddAnimation(shortOne);
    AnimatedSpriteNode* sprite = new AnimatedSpriteNode();
    sprite->SetSpriteType(&type);
    scene.Add(sprite);

    sprite->AddTask(new NodeAnimationTask(L8("Corto"), kNodeAnimationTaskCompleteOnStart));
    scene.mode->Update(0.03f);
    EXPECT_TRUE(sprite->IsAnimationPlaying(L8("Corto")));
    EXPECT_EQ(0, sprite->GetTasks().GetUnfinishedCount());

    // Already playing: not restarted, and the wait ends in the update in which it stops.
    sprite->AddTask(new NodeAnimationTask(L8("Corto"), kNodeAnimationTaskCompleteOnFinish));
    int updates = 1;
    scene.mode->Update(0.03f);
    while (sprite->GetTasks().GetUnfinishedCount() != 0 && updates < 50)
    {
        EXPECT_TRUE(sprite->IsAnimationPlaying(L8("Corto")));
        scene.mode->Update(0.03f);
        ++updates;
    }
    EXPECT_FALSE(sprite->IsAnimationPlaying(L8("Corto")));
    // The animation began after its controller's update of the first step, so it
    // stops 0.21 s later, in the seventh update of the wait.
    EXPECT_EQ(7, updates);
}

// ---- Invalid input ----------------------------------------------------------------------------

TEST_F(NodeTasksTest, APathWithoutPointsLeavesTheNodeAndFinishesAtOnce)
{
    node->LocalSetLocation(30, 40);
    node->AddTask(new NodeCatmullRomPathTask(std::vector<Vector2<float> >(), 1.0f));
    node->AddTask(new NodeVisibleTask(false));
    Run(1);
    EXPECT_EQ(Vector2<float>(30, 40), node->LocalGetLocation());
    EXPECT_FALSE(node->LocalIsVisible());
    EXPECT_TRUE(Idle());
}

TEST(NodeTaskErrorsTest, TasksOnTheWrongKindOfObjectSayWhichTaskItWas)
{
    Object plain;
    EXPECT_EQ("NodeLocationTask must be applied to a SceneNode", ErrorOn(new NodeLocationTask(1, 1), &plain));
    EXPECT_EQ("NodeOrientationTask must be applied to a SceneNode",
              ErrorOn(new NodeOrientationTask(Angle(1.0f)), &plain));
    EXPECT_EQ("NodeScaleTask must be applied to a SceneNode",
              ErrorOn(new NodeScaleTask(Vector2<float>(1, 1)), &plain));
    EXPECT_EQ("NodeBezierLocationTask must be applied to a SceneNode",
              ErrorOn(new NodeBezierLocationTask(Vector2<float>(), Vector2<float>(), Vector2<float>(), 1.0f), &plain));
    EXPECT_EQ("NodeCatmullRomPathTask must be applied to a SceneNode",
              ErrorOn(new NodeCatmullRomPathTask({Vector2<float>()}, 1.0f), &plain));
    EXPECT_EQ("NodeVisibleTask must be applied to a SceneNode", ErrorOn(new NodeVisibleTask(true), &plain));
    SceneNode node;
    EXPECT_EQ("NodeAnimationTask applied to a non-AnimatedSpriteNode object",
              ErrorOn(new NodeAnimationTask(L8("Giro"), kNodeAnimationTaskCompleteOnStart), &node));
}

TEST_F(NodeTasksTest, AnAnimationTaskOnASpriteWithoutATypeFinishesWithoutPlaying)
{
    AnimatedSpriteNode* sprite = scene.Add(new AnimatedSpriteNode(L8("NoExiste")));
    sprite->AddTask(new NodeAnimationTask(L8("Giro"), 1));
    scene.mode->Update(0.02f);
    EXPECT_EQ(0, sprite->GetTasks().GetUnfinishedCount());
    EXPECT_EQ(0.0f, sprite->GetWidth());
}

// ---- A failure leaves state unchanged ---------------------------------------------------------

TEST(NodeTaskErrorsTest, ATaskThatRefusesItsObjectChangesNothingAndCanStillRunOnANode)
{
    Object plain;
    NodeLocationTask task(Vector2<float>(9, 9), 0.1f);
    EXPECT_THROW(task.Update(&plain, 0.05f), std::runtime_error);
    SceneNode node;
    node.LocalSetLocation(1, 1);
    task.Update(&node, 0.05f);
    ExpectNear(Vector2<float>(5, 5), node.LocalGetLocation());
}
