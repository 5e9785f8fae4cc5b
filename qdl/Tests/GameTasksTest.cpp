// The game's small task templates: the one-shot call, the deck of values and
// the feedback chains on scene nodes.

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "Core/Source/Angle.h"
#include "Core/Source/Random.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/EnumTypeDeck.h"
#include "qdl/Source/Game/NodeFeedbackTasks.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"

using namespace Corvane;

namespace
{

class Counter : public Object
{
public:
    void Add(int amount) { total += amount; }
    int total = 0;
};

class RandomFixture : public ::testing::Test
{
protected:
    void SetUp() override { Random::Engine_Setup(); }
    void TearDown() override { Random::Engine_Destroy(); }
};

// ---- One-shot function task

TEST(SimpleFunctionTaskTest, CallsItsFunctionOnceAndUsesTheWholeStep)
{
    Counter counter;
    int calls = 0;
    Counter* seen = nullptr;
    counter.AddTask(new SimpleFunctionTask<Counter>([&](Counter* object, float) {
        ++calls;
        seen = object;
    }));
    counter.UpdateInternal(0.02f);
    counter.UpdateInternal(0.02f);
    EXPECT_EQ(1, calls);
    EXPECT_EQ(&counter, seen);

    SimpleFunctionTask<Counter> task(nullptr);
    TaskResult const result = task.Update(&counter, 0.02f);
    EXPECT_EQ(TaskResult::kComplete, result.status);
    EXPECT_GT(result.timeUsed, 1e30f);
}

TEST(SimpleFunctionTaskTest, AnEmptyFunctionCompletesWithoutACall)
{
    SimpleFunctionTask<Counter> task{SimpleFunctionTask<Counter>::Function()};
    Counter counter;
    EXPECT_EQ(TaskResult::kComplete, task.Update(&counter, 0.0f).status);
    EXPECT_EQ(0, counter.total);
}

TEST(SimpleFunctionTaskTest, AnObjectOfAnotherClassGetsNullAndTheBoundCallStillRuns)
{
    Counter target;
    Object other;
    bool gotNull = false;
    other.AddTask(new SimpleFunctionTask<Counter>([&](Counter* object, float) {
        gotNull = object == nullptr;
        target.Add(5);
    }));
    other.UpdateInternal(0.02f);
    EXPECT_TRUE(gotNull);
    EXPECT_EQ(5, target.total);
}

TEST(SimpleFunctionTaskTest, TwoTasksBackToBackRunOnTwoUpdates)
{
    Counter counter;
    counter.AddTask(new SimpleFunctionTask<Counter>([&](Counter*, float) { counter.Add(1); }));
    counter.AddTask(new SimpleFunctionTask<Counter>([&](Counter*, float) { counter.Add(10); }));
    counter.UpdateInternal(0.02f);
    EXPECT_EQ(1, counter.total);
    counter.UpdateInternal(0.02f);
    EXPECT_EQ(11, counter.total);
}

TEST(SimpleFunctionTaskTest, AWaitThenACallRunsTheCallAfterTheWait)
{
    Counter counter;
    counter.AddTask(new SerialTask(new TimedTask(0.05f),
                                   new SimpleFunctionTask<Counter>([](Counter* object, float) { object->Add(1); })));
    counter.UpdateInternal(0.02f);
    counter.UpdateInternal(0.02f);
    EXPECT_EQ(0, counter.total);
    counter.UpdateInternal(0.02f);
    EXPECT_EQ(1, counter.total);
}

TEST(SimpleFunctionTaskTest, ACloneCallsTheSameFunctionAgainAndLeavesTheOriginalAlone)
{
    Counter counter;
    SimpleFunctionTask<Counter> original([](Counter* object, float) { object->Add(1); });
    std::unique_ptr<Task> clone(original.Clone());
    clone->Update(&counter, 0.02f);
    EXPECT_EQ(1, counter.total);
    original.Update(&counter, 0.02f);
    EXPECT_EQ(2, counter.total);
}

// ---- Deck of enumeration values

class EnumTypeDeckTest : public RandomFixture
{
};

TEST_F(EnumTypeDeckTest, EveryValueIsDrawnExactlyOnce)
{
    EnumTypeDeck<int> deck(5);
    std::vector<int> drawn;
    for (int i = 0; i < 5; ++i)
        drawn.push_back(deck.DrawCard());
    std::sort(drawn.begin(), drawn.end());
    EXPECT_EQ(std::vector<int>({0, 1, 2, 3, 4}), drawn);
    EXPECT_EQ(0, deck.getCardsLeft());
}

TEST_F(EnumTypeDeckTest, TheOrderIsShuffled)
{
    // Twenty decks of 12 all drawn in order would mean no shuffling at all.
    int inOrder = 0;
    for (int round = 0; round < 20; ++round)
    {
        EnumTypeDeck<int> deck(12);
        bool ordered = true;
        for (int i = 0; i < 12; ++i)
            ordered = ordered && deck.DrawCard() == i;
        inOrder += ordered ? 1 : 0;
    }
    EXPECT_LT(inOrder, 20);
}

TEST_F(EnumTypeDeckTest, AReshuffleRestoresEveryValue)
{
    EnumTypeDeck<int> deck(6);
    deck.DrawCard();
    deck.DrawCard();
    deck.reshuffleDeck();
    EXPECT_EQ(6, deck.getCardsLeft());
    std::set<int> drawn;
    for (int i = 0; i < 6; ++i)
        drawn.insert(deck.DrawCard());
    EXPECT_EQ(6u, drawn.size());
}

TEST_F(EnumTypeDeckTest, ADeckOfOneAlwaysGivesZeroAndAnEmptyDeckGivesMinusOne)
{
    EnumTypeDeck<int> one(1);
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(0, one.DrawCard());
        one.reshuffleDeck();
    }
    EnumTypeDeck<int> deck(2);
    deck.DrawCard();
    deck.DrawCard();
    EXPECT_EQ(EnumTypeDeck<int>::kEmptyDeck, deck.DrawCard());
    EnumTypeDeck<int> none(0);
    EXPECT_EQ(EnumTypeDeck<int>::kEmptyDeck, none.DrawCard());
    EnumTypeDeck<int> negative(-3);
    EXPECT_EQ(0, negative.getCardsLeft());
}

// ---- Feedback on nodes

float Degrees(SceneNode const& node)
{
    float const degrees = std::fmod(node.LocalGetOrientation().GetDegrees(), 360.0f);
    return degrees > 180.0f ? degrees - 360.0f : (degrees < -180.0f ? degrees + 360.0f : degrees);
}

void Step(SceneNode& node, int steps, float dt = 0.01f)
{
    for (int i = 0; i < steps; ++i)
        node.UpdateInternal(dt);
}

TEST(NodeFeedbackTasksTest, TheWobbleTurnsToMinusTenFirstAndEndsUprightAndUnscaled)
{
    SceneNode node;
    node.LocalSetOrientation(Angle::FromDegrees(30.0f));
    node.LocalSetScale(Vector2<float>(1.1f, 1.1f));
    node.AddTask(getNodeErrorShakeTask());

    node.UpdateInternal(0.01f);
    EXPECT_FLOAT_EQ(1.0f, node.LocalGetScale().x);
    EXPECT_FLOAT_EQ(1.0f, node.LocalGetScale().y);

    Step(node, 4);
    EXPECT_NEAR(-10.0f, Degrees(node), 0.5f);
    float most = Degrees(node);
    float least = most;
    for (int i = 0; i < 40; ++i)
    {
        node.UpdateInternal(0.01f);
        most = std::max(most, Degrees(node));
        least = std::min(least, Degrees(node));
    }
    EXPECT_NEAR(10.0f, most, 0.5f);
    EXPECT_NEAR(-10.0f, least, 0.5f);
    EXPECT_NEAR(0.0f, Degrees(node), 1e-3f);
    EXPECT_EQ(0, node.GetTasks().GetUnfinishedCount());
}

TEST(NodeFeedbackTasksTest, TheWobbleTakesFourTenthsOfASecond)
{
    SceneNode node;
    node.AddTask(getNodeErrorShakeTask());
    // Each part of the chain uses a step of its own to start, so allow a few steps beyond 0.4 s.
    Step(node, 18, 0.02f);
    EXPECT_NE(0, node.GetTasks().GetUnfinishedCount());
    Step(node, 10, 0.02f);
    EXPECT_EQ(0, node.GetTasks().GetUnfinishedCount());
}

TEST(NodeFeedbackTasksTest, ThePopShowsTheNodeLargerForATenthOfASecond)
{
    SceneNode node;
    node.AddTask(getNodeItemPickUpAnimTask());
    node.UpdateInternal(0.02f);
    EXPECT_FLOAT_EQ(1.1f, node.LocalGetScale().x);
    EXPECT_FLOAT_EQ(1.1f, node.LocalGetScale().y);
    Step(node, 3, 0.02f);
    EXPECT_FLOAT_EQ(1.1f, node.LocalGetScale().x);
    Step(node, 5, 0.02f);
    EXPECT_FLOAT_EQ(1.0f, node.LocalGetScale().x);
    EXPECT_EQ(0, node.GetTasks().GetUnfinishedCount());
}

TEST(NodeFeedbackTasksTest, AChainWaitsForTheTasksAlreadyQueued)
{
    SceneNode node;
    node.AddTask(new TimedTask(0.1f));
    node.AddTask(getNodeItemPickUpAnimTask());
    Step(node, 4, 0.02f);
    EXPECT_FLOAT_EQ(1.0f, node.LocalGetScale().x);
    Step(node, 2, 0.02f);
    EXPECT_FLOAT_EQ(1.1f, node.LocalGetScale().x);
}

} // namespace
