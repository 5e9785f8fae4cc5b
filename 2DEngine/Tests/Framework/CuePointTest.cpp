#include "2DEngine/Tests/Framework/ObjectTestSupport.h"

#include "2DEngine/Source/Framework/Tasks.h"

#include <gtest/gtest.h>

namespace Corvane
{
namespace
{

using ObjectTest::Entries;
using ObjectTest::Journal;
using ObjectTest::PlainObject;

typedef std::vector<std::string> Lines;

class NoteTask : public Task
{
public:
    explicit NoteTask(std::string tag) : mTag(std::move(tag)) {}
    TaskResult Update(Object*, float) override
    {
        Journal().push_back(mTag);
        return CompletedAfter(0.0f);
    }

private:
    std::string mTag;
};

class ReportingCuePoint : public CuePoint
{
public:
    ReportingCuePoint() : CuePoint(Label()) {}
    void AllTasksPassed() override { Journal().push_back("all passed"); }
};

class CuePointTest : public ::testing::Test
{
protected:
    void SetUp() override { Journal().clear(); }

    // An object that waits for the delay, then at the cue point, then notes its tag.
    PlainObject* AddWaiter(std::string const& tag, float delay, CuePoint* point)
    {
        PlainObject* object = new PlainObject(tag);
        object->AddTask(new TimedTask(delay));
        object->AddTask(new CuePointTask(point));
        object->AddTask(new NoteTask(tag + " passed"));
        database.AddObject(object);
        return object;
    }

    void Step(int n)
    {
        Journal().push_back("step " + std::to_string(n));
        database.Update(0.02f);
    }

    ObjectDatabase database;
};

TEST_F(CuePointTest, NobodyPassesUntilAllHaveArrivedThenTheLastPassesAtOnceAndTheOthersNextStep)
{
    ReportingCuePoint* point = new ReportingCuePoint();
    AddWaiter("a", 0.01f, point);
    AddWaiter("b", 0.03f, point);
    AddWaiter("c", 0.05f, point);
    EXPECT_EQ(3, point->GetRegistered());
    Journal().clear();
    Step(1);
    Step(2);
    EXPECT_EQ(2, point->GetArrived());
    EXPECT_EQ(3, point->GetRegistered());
    // The last to arrive passes in the same step; the others are still waiting.
    Step(3);
    EXPECT_EQ(2, point->GetArrived());
    EXPECT_EQ(2, point->GetRegistered());
    Step(4);
    Step(5);
    // Passing takes the whole step, so each note follows a step later.
    EXPECT_EQ((Lines{"step 1", "step 2", "step 3", "step 4", "all passed", "c passed", "step 5", "a passed",
                     "b passed"}),
              ([] {
                  Lines kept;
                  for (std::string const& entry : Journal())
                      if (entry.find("got") == std::string::npos)
                          kept.push_back(entry);
                  return kept;
              }()));
}

TEST_F(CuePointTest, DestroyingAJoinerThatNeverArrivedReleasesTheOthers)
{
    ReportingCuePoint* point = new ReportingCuePoint();
    AddWaiter("a", 0.01f, point);
    AddWaiter("b", 0.01f, point);
    PlainObject* late = AddWaiter("late", 100.0f, point);
    Step(1);
    Step(2);
    EXPECT_TRUE(Entries("a passed").empty());
    EXPECT_EQ(2, point->GetArrived());

    database.DestroyObject(late->GetID());
    Step(3);
    Step(4);
    Step(5);
    EXPECT_EQ(Lines{"a passed"}, Entries("a passed"));
    EXPECT_EQ(Lines{"b passed"}, Entries("b passed"));
    EXPECT_EQ(Lines{"all passed"}, Entries("all passed"));
}

TEST_F(CuePointTest, RemovingTheTasksOfAnArrivedJoinerAlsoReleasesTheOthers)
{
    ReportingCuePoint* point = new ReportingCuePoint();
    PlainObject* quitter = AddWaiter("quitter", 0.01f, point);
    AddWaiter("stayer", 0.01f, point);
    AddWaiter("late", 0.05f, point);
    Step(1);
    quitter->RemoveAllTasks();
    EXPECT_EQ(2, point->GetRegistered());
    EXPECT_EQ(1, point->GetArrived());
    for (int n = 2; n <= 5; ++n)
        Step(n);
    EXPECT_EQ(Lines{"stayer passed"}, Entries("stayer passed"));
    EXPECT_EQ(Lines{"late passed"}, Entries("late passed"));
    EXPECT_TRUE(Entries("quitter passed").empty());
    EXPECT_EQ(Lines{"all passed"}, Entries("all passed"));
}

TEST_F(CuePointTest, ANamedCuePointLivesWhileTasksAreRegisteredAndIsMadeAgainAfterwards)
{
    Label const name(L"Gr\u00FAaLista");
    {
        CuePointTask first(name);
        CuePointTask second(Label(L"Gr\u00FAaLista"));
        ASSERT_NE(nullptr, first.GetCuePoint());
        EXPECT_EQ(first.GetCuePoint(), second.GetCuePoint());
        EXPECT_EQ(first.GetCuePoint(), CuePoint::gmCuePoints[name]);
        EXPECT_EQ(2, first.GetCuePoint()->GetRegistered());
        EXPECT_EQ(TaskResult::kIncomplete, first.Update(nullptr, 0.02f).status);
        EXPECT_EQ(TaskResult::kComplete, second.Update(nullptr, 0.02f).status);
        EXPECT_EQ(kCuePointPassed, second.GetStatus());
        EXPECT_EQ(TaskResult::kComplete, first.Update(nullptr, 0.02f).status);
    }
    EXPECT_EQ(0u, CuePoint::gmCuePoints.count(name));
    CuePointTask again(name);
    EXPECT_EQ(1u, CuePoint::gmCuePoints.count(name));
    EXPECT_EQ(1, again.GetCuePoint()->GetRegistered());
}

TEST_F(CuePointTest, AReplacedNamedCuePointDoesNotUnregisterItsSuccessor)
{
    Label const name = Label::GetUniqueString("Relevo");
    CuePoint* older = new CuePoint(name);
    CuePoint* newer = new CuePoint(name);
    EXPECT_EQ(newer, CuePoint::gmCuePoints[name]);
    delete new CuePointTask(older);
    EXPECT_EQ(newer, CuePoint::gmCuePoints[name]);
    delete new CuePointTask(newer);
    EXPECT_EQ(0u, CuePoint::gmCuePoints.count(name));
}

TEST_F(CuePointTest, TheNullLabelGivesAFreshAnonymousCuePoint)
{
    std::size_t const before = CuePoint::gmCuePoints.size();
    CuePointTask task((Label()));
    ASSERT_NE(nullptr, task.GetCuePoint());
    EXPECT_TRUE(task.GetCuePoint()->GetName().IsNull());
    EXPECT_EQ(before, CuePoint::gmCuePoints.size());
    EXPECT_EQ(TaskResult::kComplete, task.Update(nullptr, 0.02f).status);
    // After passing the task holds no cue point and stays finished.
    EXPECT_EQ(nullptr, task.GetCuePoint());
    EXPECT_EQ(TaskResult::kComplete, task.Update(nullptr, 0.02f).status);
}

TEST_F(CuePointTest, StatusOnlyRisesOneStepAtATime)
{
    CuePoint* point = CuePoint::Create();
    CuePointTask holder(point);
    CuePointTask task(point);
    EXPECT_EQ(kCuePointRegistered, task.GetStatus());
    task.SetStatus(kCuePointArrived);
    EXPECT_EQ(1, point->GetArrived());
    task.SetStatus(kCuePointRegistered);
    EXPECT_EQ(kCuePointArrived, task.GetStatus());
    task.SetStatus(kCuePointPassed);
    EXPECT_EQ(0, point->GetArrived());
    EXPECT_EQ(1, point->GetRegistered());
    // From registered straight to passed reports arrived and then passed.
    holder.SetStatus(kCuePointPassed);
    EXPECT_EQ(kCuePointPassed, holder.GetStatus());
}

} // namespace
} // namespace Corvane
