#include "2DEngine/Tests/Framework/ObjectTestSupport.h"

#include "2DEngine/Source/Framework/Tasks.h"
#include "Core/Source/Error.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <stdexcept>

namespace Corvane
{
namespace
{

using ObjectTest::Entries;
using ObjectTest::Journal;
using ObjectTest::PlainObject;

typedef std::vector<std::string> Lines;

// Finishes at once without using time, noting each run.
class TickTask : public Task
{
public:
    explicit TickTask(std::string tag) : mTag(std::move(tag)) {}
    Task* Clone() const override { return new TickTask(mTag); }
    TaskResult Update(Object*, float) override
    {
        Journal().push_back(mTag);
        return CompletedAfter(0.0f);
    }

private:
    std::string mTag;
};

// Notes the messages it gets and finishes on "Stop".
class ListeningTask : public TimedTask
{
public:
    explicit ListeningTask(std::string tag) : TimedTask(10.0f), mTag(std::move(tag)) {}
    int ReceiveMessage(Object*, ObjectMessage const& message) override
    {
        Journal().push_back(mTag + " heard " + message.message.GetString());
        return message.message == Label::GetUniqueString("Stop") ? 0 : 1;
    }

private:
    std::string mTag;
};

class Sprite : public PlainObject, public VisibleComponent
{
public:
    explicit Sprite(std::string tag = "sprite") : PlainObject(std::move(tag)) {}
};

// Draws the durations it was given, in turn.
class SequenceGenerator : public NumberGenerator<float>
{
public:
    explicit SequenceGenerator(std::vector<float> values) : mValues(std::move(values)), mNext(0) {}
    float Generate() override { return mValues[mNext++ % mValues.size()]; }
    std::shared_ptr<NumberGenerator<float> > Clone() const override
    {
        return std::make_shared<SequenceGenerator>(mValues);
    }

private:
    std::vector<float> mValues;
    std::size_t mNext;
};

class TaskTest : public ::testing::Test
{
protected:
    void SetUp() override { Journal().clear(); }
};

Task* Nth(Internal::TaskSet const& set, int n)
{
    auto it = set.GetTasks().begin();
    std::advance(it, n);
    return *it;
}

// ---- Timed tasks and sequences ----

TEST_F(TaskTest, ATimedTaskReportsThePartOfItsLastStepThatItUsed)
{
    TimedTask task(1.0f);
    for (int step = 0; step < 3; ++step)
        EXPECT_EQ(TaskResult::kIncomplete, task.Update(nullptr, 0.3f).status);
    TaskResult const last = task.Update(nullptr, 0.3f);
    EXPECT_EQ(TaskResult::kComplete, last.status);
    EXPECT_NEAR(0.1f, last.timeUsed, 1e-6f);
}

TEST_F(TaskTest, ATimedTaskOfDurationZeroFinishesAtOnceUsingNoTime)
{
    TimedTask task(0.0f);
    TaskResult const result = task.Update(nullptr, 0.02f);
    EXPECT_EQ(TaskResult::kComplete, result.status);
    EXPECT_EQ(0.0f, result.timeUsed);
}

TEST_F(TaskTest, TheUnusedPartOfAStepCarriesOverToTheNextTaskOfASequence)
{
    SerialTask sequence(new TimedTask(0.3f), new TimedTask(0.3f));
    TaskResult const first = sequence.Update(nullptr, 0.5f);
    EXPECT_EQ(TaskResult::kIncomplete, first.status);
    auto* second = static_cast<TimedTask*>(Nth(sequence.GetTasks(), 1));
    EXPECT_NEAR(0.2f, second->GetElapsed(), 1e-6f);
    TaskResult const last = sequence.Update(nullptr, 0.5f);
    EXPECT_EQ(TaskResult::kComplete, last.status);
    EXPECT_NEAR(0.1f, last.timeUsed, 1e-6f);
}

TEST_F(TaskTest, AVisibleTaskThenATimerOnAnObjectsQueue)
{
    ObjectDatabase database;
    Sprite* sprite = new Sprite();
    database.AddObject(sprite);
    sprite->AddTask(new SerialTask(new VisibleTask(false), new TimedTask(1.0f)));
    database.Update(0.25f);
    EXPECT_FALSE(sprite->IsVisible());
    auto* sequence = static_cast<SerialTask const*>(*sprite->GetTasks().GetTasks().begin());
    EXPECT_EQ(0.25f, static_cast<TimedTask*>(Nth(sequence->GetTasks(), 1))->GetElapsed());
    database.Update(0.25f);
    database.Update(0.25f);
    EXPECT_EQ(1u, sprite->GetTasks().GetTasks().size());
    TaskResult const last = sprite->GetTasks().UpdateSerial(sprite, 0.25f);
    EXPECT_EQ(TaskResult::kComplete, last.status);
    EXPECT_EQ(0.25f, last.timeUsed);
    // Finished tasks of an object's queue are deleted at the end of the pass.
    EXPECT_TRUE(sprite->GetTasks().IsEmpty());
}

TEST_F(TaskTest, ATaskThatReturnsCompleteEndsTheStepForItsSequence)
{
    struct WholeStep : Task
    {
        TaskResult Update(Object*, float) override { return Complete; }
    };
    SerialTask sequence(new WholeStep(), new TickTask("next"));
    EXPECT_EQ(TaskResult::kIncomplete, sequence.Update(nullptr, 1.0f).status);
    EXPECT_TRUE(Journal().empty());
    EXPECT_EQ(TaskResult::kComplete, sequence.Update(nullptr, 1.0f).status);
    EXPECT_EQ(Lines{"next"}, Journal());
}

TEST_F(TaskTest, AnEmptySequenceFinishesWithoutUsingTime)
{
    SerialTask sequence;
    TaskResult const result = sequence.Update(nullptr, 0.02f);
    EXPECT_EQ(TaskResult::kComplete, result.status);
    EXPECT_EQ(0.0f, result.timeUsed);
}

TEST_F(TaskTest, ATaskQueuedDuringThePassRunsInTheSameStepWithTheRest)
{
    PlainObject object("object");
    struct Spawner : Task
    {
        TaskResult Update(Object* owner, float) override
        {
            owner->AddTask(new TimedTask(1.0f));
            return CompletedAfter(0.25f);
        }
    };
    object.AddTask(new Spawner());
    object.UpdateInternal(1.0f);
    ASSERT_EQ(1u, object.GetTasks().GetTasks().size());
    EXPECT_EQ(0.75f, static_cast<TimedTask*>(Nth(object.GetTasks(), 0))->GetElapsed());
}

TEST_F(TaskTest, RemoveAllTasksFromInsideATaskFinishesTheQueueSafely)
{
    PlainObject object("object");
    struct Clearer : Task
    {
        TaskResult Update(Object* owner, float) override
        {
            owner->RemoveAllTasks();
            owner->AddTask(new TickTask("fresh"));
            return CompletedAfter(0.0f);
        }
    };
    object.AddTask(new Clearer());
    object.AddTask(new TickTask("cleared"));
    object.UpdateInternal(0.02f);
    EXPECT_EQ(Lines{"fresh"}, Journal());
    EXPECT_TRUE(object.GetTasks().IsEmpty());
}

// ---- Parallel tasks ----

TEST_F(TaskTest, AParallelGroupWaitingForAllFinishesOnTheUpdateAfterItsLastChild)
{
    ParallelTask group(kParallelCompleteWhenAllComplete, new TimedTask(0.5f), new TimedTask(1.0f));
    EXPECT_EQ(TaskResult::kIncomplete, group.Update(nullptr, 0.5f).status);
    EXPECT_EQ(TaskResult::kIncomplete, group.Update(nullptr, 0.5f).status);
    TaskResult const last = group.Update(nullptr, 0.5f);
    EXPECT_EQ(TaskResult::kComplete, last.status);
    EXPECT_EQ(0.0f, last.timeUsed);
}

TEST_F(TaskTest, AParallelGroupWaitingForAnyFinishesWithItsFirstChild)
{
    ParallelTask group(kParallelCompleteWhenAnyComplete, new TimedTask(0.5f), new TimedTask(1.0f));
    TaskResult const result = group.Update(nullptr, 0.5f);
    EXPECT_EQ(TaskResult::kComplete, result.status);
    // The unfinished child counts as having used the whole step.
    EXPECT_EQ(FLT_MAX, result.timeUsed);
}

TEST_F(TaskTest, AParallelGroupCarriesTheUnusedStepOnInASequence)
{
    // The group's longest child used 0.2 s of the step; the rest goes to the next task.
    SerialTask sequence(new ParallelTask(kParallelCompleteWhenAnyComplete, new TimedTask(0.1f), new TimedTask(0.2f)),
                        new TimedTask(1.0f));
    sequence.Update(nullptr, 0.5f);
    EXPECT_NEAR(0.3f, static_cast<TimedTask*>(Nth(sequence.GetTasks(), 1))->GetElapsed(), 1e-6f);
}

TEST_F(TaskTest, AParallelGroupWithANegativeStepTouchesNothing)
{
    ParallelTask group(kParallelCompleteWhenAllComplete, new TickTask("a"), new TickTask("b"));
    TaskResult const result = group.Update(nullptr, -0.1f);
    EXPECT_EQ(TaskResult::kIncomplete, result.status);
    EXPECT_EQ(0.0f, result.timeUsed);
    EXPECT_TRUE(Journal().empty());
}

// ---- Repeating tasks ----

TEST_F(TaskTest, ARepeatingTaskLoopsAndCarriesTheRestOfTheStepIntoTheNextRound)
{
    RepeatingTask loop(new TimedTask(0.3f));
    EXPECT_EQ(TaskResult::kIncomplete, loop.Update(nullptr, 0.5f).status);
    ASSERT_EQ(1u, loop.GetTasks().GetTasks().size());
    EXPECT_NEAR(0.2f, static_cast<TimedTask*>(Nth(loop.GetTasks(), 0))->GetElapsed(), 1e-6f);
    EXPECT_EQ(TaskResult::kIncomplete, loop.Update(nullptr, 0.5f).status);
    EXPECT_NEAR(0.1f, static_cast<TimedTask*>(Nth(loop.GetTasks(), 0))->GetElapsed(), 1e-6f);
}

TEST_F(TaskTest, ARepeatingTaskOfZeroTimeTasksMakesOneRoundPerStep)
{
    RepeatingTask loop;
    loop.AddTask(new TickTask("a"));
    loop.AddTask(new TickTask("b"));
    EXPECT_EQ(TaskResult::kIncomplete, loop.Update(nullptr, 0.02f).status);
    EXPECT_EQ((Lines{"a", "b"}), Journal());
    EXPECT_EQ(TaskResult::kIncomplete, loop.Update(nullptr, 0.02f).status);
    EXPECT_EQ((Lines{"a", "b", "a", "b"}), Journal());
    EXPECT_EQ(2u, loop.GetTasks().GetTasks().size());
}

TEST_F(TaskTest, ARepeatingTaskMixingZeroTimeAndTimedTasksStillAdvances)
{
    RepeatingTask loop(new SerialTask(new TickTask("tick"), new TimedTask(0.1f)));
    loop.Update(nullptr, 0.35f);
    // Rounds at 0, 0.1, 0.2 and 0.3 seconds.
    EXPECT_EQ(4u, Entries("tick").size());
}

TEST_F(TaskTest, AnEmptyRepeatingTaskFinishesAtOnce)
{
    RepeatingTask loop;
    EXPECT_EQ(TaskResult::kComplete, loop.Update(nullptr, 0.02f).status);
}

TEST_F(TaskTest, ARepeatingTaskClonesOnlyItsCurrentRound)
{
    RepeatingTask loop;
    loop.AddTask(new TimedTask(0.3f));
    loop.AddTask(new TimedTask(10.0f));
    loop.Update(nullptr, 0.5f);
    std::unique_ptr<Task> clone(loop.Clone());
    auto* copy = static_cast<RepeatingTask*>(clone.get());
    ASSERT_EQ(2u, copy->GetTasks().GetTasks().size());
    EXPECT_EQ(10.0f, static_cast<TimedTask*>(Nth(copy->GetTasks(), 0))->GetDuration());
    EXPECT_EQ(0.3f, static_cast<TimedTask*>(Nth(copy->GetTasks(), 1))->GetDuration());
    EXPECT_EQ(0.0f, static_cast<TimedTask*>(Nth(copy->GetTasks(), 0))->GetElapsed());
}

// ---- Messages, named tasks, clones ----

TEST_F(TaskTest, AMessageReachesEveryUnfinishedTaskOfTheQueueAlsoThoseNotStarted)
{
    PlainObject object("object");
    object.AddTask(new ListeningTask("running"));
    object.AddTask(new ListeningTask("waiting"));
    object.AddNamedTask(Label::GetUniqueString("Side"), new ListeningTask("side"));
    object.UpdateInternal(0.02f);
    object.ReceiveMessageInternal(ObjectMessage(kInvalidObjectID, Label::GetUniqueString("Hello")));
    EXPECT_EQ((Lines{"running heard Hello", "waiting heard Hello", "side heard Hello", "object got Hello"}), Journal());
}

TEST_F(TaskTest, ATaskThatAnswersAMessageWithFinishedIsFinishedThereAndThen)
{
    PlainObject object("object");
    object.AddTask(new ListeningTask("first"));
    object.AddTask(new TickTask("second"));
    object.ReceiveMessageInternal(ObjectMessage(kInvalidObjectID, Label::GetUniqueString("Stop")));
    EXPECT_EQ(1u, object.GetTasks().GetTasks().size());
    object.UpdateInternal(0.02f);
    EXPECT_EQ(Lines{"second"}, Entries("second"));
}

TEST_F(TaskTest, ATaskThatClearsAndRefillsItsQueueDuringAMessageIsSafe)
{
    PlainObject object("object");
    struct Resetter : TimedTask
    {
        Resetter() : TimedTask(10.0f) {}
        int ReceiveMessage(Object* owner, ObjectMessage const&) override
        {
            owner->RemoveAllTasks();
            owner->AddTask(new TickTask("replacement"));
            owner->AddNamedTask(Label::GetUniqueString("Extra"), new TickTask("extra"));
            return 1;
        }
    };
    object.AddTask(new Resetter());
    object.AddTask(new ListeningTask("cleared"));
    object.ReceiveMessageInternal(ObjectMessage(kInvalidObjectID, Label::GetUniqueString("Reset")));
    // The cleared task was skipped; the replacement, added behind the cursor, heard it.
    EXPECT_TRUE(Entries("cleared heard").empty());
    EXPECT_EQ(1u, object.GetTasks().GetTasks().size());
    object.UpdateInternal(0.02f);
    EXPECT_EQ((Lines{"replacement", "extra"}), (Lines{Entries("replacement")[0], Entries("extra")[0]}));
}

TEST_F(TaskTest, NamedTasksRunSideBySideAndCanBeRemovedByName)
{
    PlainObject object("object");
    Label const fade(L"Desvanecer\u00E1");
    object.AddNamedTask(fade, new TimedTask(1.0f));
    object.AddNamedTask(Label::GetUniqueString("Move"), new TimedTask(1.0f));
    object.UpdateInternal(0.5f);
    for (auto const& entry : object.GetNamedTasks().GetTasks())
        EXPECT_EQ(0.5f, static_cast<TimedTask*>(entry.second)->GetElapsed());
    EXPECT_TRUE(object.GetNamedTasks().HasTask(Label(L"Desvanecer\u00E1")));
    object.RemoveNamedTasks(fade);
    EXPECT_FALSE(object.GetNamedTasks().HasTask(fade));
    EXPECT_EQ(1u, object.GetNamedTasks().GetTasks().size());
}

TEST_F(TaskTest, ClonesStartAfreshWithTheSameParameters)
{
    SerialTask sequence(new TimedTask(0.3f), new VisibleTask(true));
    sequence.Update(nullptr, 0.2f);
    std::unique_ptr<Task> clone(sequence.Clone());
    auto* copy = static_cast<SerialTask*>(clone.get());
    ASSERT_EQ(2u, copy->GetTasks().GetTasks().size());
    EXPECT_EQ(0.0f, static_cast<TimedTask*>(Nth(copy->GetTasks(), 0))->GetElapsed());
    EXPECT_EQ(0.3f, static_cast<TimedTask*>(Nth(copy->GetTasks(), 0))->GetDuration());
    EXPECT_TRUE(static_cast<VisibleTask*>(Nth(copy->GetTasks(), 1))->GetVisible());
}

TEST_F(TaskTest, CloningATaskKindThatCannotBeCopiedThrowsAndLeavesNothingBehind)
{
    CuePoint* point = CuePoint::Create();
    SerialTask sequence(new TimedTask(1.0f), new CuePointTask(point));
    try
    {
        delete sequence.Clone();
        FAIL() << "no exception";
    }
    catch (RuntimeError const& error)
    {
        EXPECT_STREQ("Corvane::CuePointTask does not implement Task::Clone.", error.what());
        EXPECT_EQ("virtual Corvane::Task* Corvane::Task::Clone() const", error.GetFunction());
    }
    // The failed clone registered nothing at the cue point.
    EXPECT_EQ(1, point->GetRegistered());
}

TEST_F(TaskTest, AVisibleTaskOnAnObjectWithoutTheRoleThrows)
{
    PlainObject object("object");
    VisibleTask task(true);
    try
    {
        task.Update(&object, 0.02f);
        FAIL() << "no exception";
    }
    catch (RuntimeError const&)
    {
        FAIL() << "not the standard exception";
    }
    catch (std::runtime_error const& error)
    {
        EXPECT_STREQ("VisibleTask applied to an object that does not implement IVisible", error.what());
    }
    EXPECT_THROW(task.Update(nullptr, 0.02f), std::runtime_error);
}

TEST_F(TaskTest, ASelfDestructTaskDestroysItsObjectInItsOwnDatabase)
{
    ObjectDatabase database;
    PlainObject* object = new PlainObject("object");
    ObjectID const id = database.AddObject(object);
    SelfDestructTask task;
    TaskResult const result = task.Update(object, 0.02f);
    EXPECT_EQ(TaskResult::kComplete, result.status);
    EXPECT_EQ(FLT_MAX, result.timeUsed);
    EXPECT_EQ(nullptr, database.GetObject(id));
}

TEST_F(TaskTest, SetImageTaskHandsTheImageToTheInstalledSetter)
{
    static IImage* received = nullptr;
    IImage* const image = reinterpret_cast<IImage*>(0x1000);
    PlainObject object("object");
    SetImageTask task(image);
    SetImageTask::ImageSetter const saved = SetImageTask::GetImageSetter();
    SetImageTask::SetImageSetter(nullptr);
    // Without a setter the task is logged and finishes without touching anything.
    EXPECT_EQ(TaskResult::kComplete, task.Update(&object, 0.02f).status);
    SetImageTask::SetImageSetter([](Object*, IImage* given) {
        received = given;
        return true;
    });
    TaskResult const result = SetImageTask(image).Update(&object, 0.02f);
    EXPECT_EQ(image, received);
    EXPECT_EQ(0.0f, result.timeUsed);
    SetImageTask::SetImageSetter(saved);
}

// ---- Better timed tasks and interpolation ----

TEST_F(TaskTest, ABetterTimedTaskDrawsItsDurationOnItsFirstUpdateAndEachCloneDrawsAgain)
{
    auto generator = std::make_shared<SequenceGenerator>(std::vector<float>{0.5f, 2.0f});
    BetterTimedTask task(generator);
    EXPECT_EQ(TaskResult::kIncomplete, task.Update(nullptr, 0.25f).status);
    EXPECT_EQ(0.5f, task.GetDuration());
    EXPECT_EQ(TaskResult::kComplete, task.Update(nullptr, 0.25f).status);
    std::unique_ptr<Task> clone(task.Clone());
    auto* copy = static_cast<BetterTimedTask*>(clone.get());
    copy->Update(nullptr, 0.25f);
    EXPECT_EQ(2.0f, copy->GetDuration());
    EXPECT_EQ(generator, copy->GetGenerator());
}

TEST_F(TaskTest, AnInterpolatingTaskMapsItsElapsedTimeThroughItsInterpolator)
{
    InterpolatingTask task(2.0f, std::make_shared<LinearInterpolator>());
    task.Update(nullptr, 0.5f);
    EXPECT_EQ(25.0f, task.interpolate(0.0f, 100.0f));
    BetterInterpolatingTask better(2.0f, std::make_shared<SmoothInterpolator>(0.0f));
    better.Update(nullptr, 1.0f);
    EXPECT_NEAR(50.0f, better.interpolate(0.0f, 100.0f), 1e-4f);
}

TEST_F(TaskTest, TheSmoothInterpolatorEasesInOutInAndOut)
{
    SmoothInterpolator inOut(0.0f);
    SmoothInterpolator out(2.0f);
    SmoothInterpolator in(-2.0f);
    EXPECT_NEAR(15.0f, inOut.interpolate(10.0f, 20.0f, 0.5f, 1.0f), 1e-5f);
    EXPECT_NEAR(17.5f, out.interpolate(10.0f, 20.0f, 0.5f, 1.0f), 1e-5f);
    EXPECT_NEAR(12.5f, in.interpolate(10.0f, 20.0f, 0.5f, 1.0f), 1e-5f);
    // Ease in and out at a quarter: 3/16 - 2/64 = 0.15625.
    EXPECT_NEAR(0.15625f, inOut.interpolate(0.0f, 1.0f, 0.25f, 1.0f), 1e-6f);
    // Progress is clamped at both ends.
    EXPECT_EQ(20.0f, out.interpolate(10.0f, 20.0f, 5.0f, 1.0f));
    EXPECT_EQ(10.0f, in.interpolate(10.0f, 20.0f, -1.0f, 1.0f));
    EXPECT_EQ(10.0f, inOut.interpolate(10.0f, 20.0f, -1.0f, 1.0f));
}

TEST_F(TaskTest, AnyInterpolatorWithDurationZeroGivesTheTarget)
{
    EXPECT_EQ(7.0f, SmoothInterpolator(0.0f).interpolate(1.0f, 7.0f, 0.0f, 0.0f));
    EXPECT_EQ(7.0f, LinearInterpolator().interpolate(1.0f, 7.0f, 0.0f, 0.0f));
    EXPECT_EQ(7.0f, ImmediateInterpolator().interpolate(1.0f, 7.0f, 0.0f, 5.0f));
}

TEST_F(TaskTest, TheLinearInterpolatorClampsLateTimesButNotEarlyOnes)
{
    LinearInterpolator linear;
    EXPECT_EQ(20.0f, linear.interpolate(10.0f, 20.0f, 3.0f, 1.0f));
    EXPECT_EQ(5.0f, linear.interpolate(10.0f, 20.0f, -0.5f, 1.0f));
}

TEST_F(TaskTest, AnAnimatingValueMovesLinearlyAndThenIdles)
{
    Animating<float> value(0.0f);
    EXPECT_FALSE(value.Update(0.1f));
    value.Animate(10.0f, 1.0f);
    EXPECT_TRUE(value.Update(0.25f));
    EXPECT_EQ(2.5f, value.GetValue());
    EXPECT_TRUE(value.Update(1.0f));
    EXPECT_EQ(10.0f, value.GetValue());
    EXPECT_FALSE(value.Update(0.1f));
}

} // namespace
} // namespace Corvane
