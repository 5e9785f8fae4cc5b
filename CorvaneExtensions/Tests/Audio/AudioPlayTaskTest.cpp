// The play task: playing at once or holding a task sequence until the end.

#include <memory>

#include <gtest/gtest.h>

#include "CorvaneExtensions/AudioPlatform/BASS/AudioPlayTask.h"
#include "CorvaneExtensions/Tests/Audio/AudioTestSupport.h"

namespace AudioTesting
{
namespace
{

typedef std::vector<std::string> Calls;
typedef AudioFixture AudioPlayTaskTest;

bool IsComplete(TaskResult const& result)
{
    return result.status == TaskResult::kComplete;
}

// --- normal case -----------------------------------------------------------

TEST_F(AudioPlayTaskTest, WithoutWaitingItPlaysAndCompletesInItsFirstUpdate)
{
    ISound* const sound = MakeSound("Golpe");
    AudioPlayTask task(sound, false, Audio::sPlayState());
    TaskResult const result = task.Update(nullptr, 0.02f);
    EXPECT_TRUE(IsComplete(result));
    EXPECT_EQ(0.0f, result.timeUsed);
    EXPECT_EQ(nullptr, task.GetChannel());
    EXPECT_EQ((Calls{"ChannelPlay 100 1"}), library.Matching("ChannelPlay"));
}

TEST_F(AudioPlayTaskTest, WaitingItHoldsUntilTheSoundHasEnded)
{
    ISound* const sound = MakeSound("Golpe");
    AudioPlayTask task(sound, true, Audio::sPlayState());
    EXPECT_FALSE(IsComplete(task.Update(nullptr, 0.02f)));
    Step();
    EXPECT_FALSE(IsComplete(task.Update(nullptr, 0.02f)));
    library.EndPass(100);
    Step();
    TaskResult const result = task.Update(nullptr, 0.02f);
    EXPECT_TRUE(IsComplete(result));
    EXPECT_EQ(0.0f, result.timeUsed);
    EXPECT_EQ(1u, library.Matching("ChannelPlay 100 1").size());
}

TEST_F(AudioPlayTaskTest, ALabelFindsItsSoundAndDoesNotWait)
{
    ISound* const sound = MakeSound("Campana");
    AudioPlayTask task(L8("campana"), Audio::sPlayState());
    EXPECT_EQ(sound, task.GetSound());
    EXPECT_FALSE(task.IsWaitingForEnd());
    EXPECT_TRUE(IsComplete(task.Update(nullptr, 0.02f)));
}

TEST_F(AudioPlayTaskTest, ACloneStartsAfreshWithTheSameSoundAndState)
{
    ISound* const sound = MakeSound("Golpe");
    Audio::sPlayState state;
    state.volume = 0.25f;
    AudioPlayTask task(sound, true, state);
    task.Update(nullptr, 0.02f);
    ASSERT_NE(nullptr, task.GetChannel());
    std::unique_ptr<AudioPlayTask> clone(static_cast<AudioPlayTask*>(task.Clone()));
    EXPECT_EQ(sound, clone->GetSound());
    EXPECT_TRUE(clone->IsWaitingForEnd());
    EXPECT_EQ(nullptr, clone->GetChannel());
    clock.AdvanceMS(30);
    library.Take();
    clone->Update(nullptr, 0.02f);
    EXPECT_EQ(Calls{"ChannelSetAttributes 100 44100 12 0"}, library.Matching("ChannelSetAttributes"));
}

TEST_F(AudioPlayTaskTest, ASoundLoopingForeverNeverLetsTheTaskComplete)
{
    ISound* const sound = MakeSound("Motor", L"loop=\"forever\"");
    AudioPlayTask task(sound, true, Audio::sPlayState());
    for (int update = 0; update < 50; ++update)
    {
        EXPECT_FALSE(IsComplete(task.Update(nullptr, 0.02f)));
        library.EndPass(100);
        Step();
    }
}

// --- invalid input ---------------------------------------------------------

TEST_F(AudioPlayTaskTest, NothingToPlayCompletesAtOnce)
{
    AudioPlayTask none(static_cast<ISound const*>(nullptr), true, Audio::sPlayState());
    EXPECT_TRUE(IsComplete(none.Update(nullptr, 0.02f)));
    AudioPlayTask missing(L8("No Existe"), Audio::sPlayState());
    EXPECT_EQ(nullptr, missing.GetSound());
    EXPECT_TRUE(IsComplete(missing.Update(nullptr, 0.02f)));
    EXPECT_EQ(Calls{}, library.Take());
}

TEST_F(AudioPlayTaskTest, ASoundStartedWithin20msCompletesWithoutPlaying)
{
    ISound* const sound = MakeSound("Golpe");
    Audio::Play(sound, Audio::sPlayState());
    library.Take();
    AudioPlayTask task(sound, true, Audio::sPlayState());
    EXPECT_TRUE(IsComplete(task.Update(nullptr, 0.02f)));
    EXPECT_EQ(Calls{}, library.Take());
}

// --- failure leaves state unchanged ----------------------------------------

TEST_F(AudioPlayTaskTest, ATaskWhoseSoundWasUnloadedBeforeItRunsPlaysNothing)
{
    ISound* const sound = MakeSound("Golpe");
    AudioPlayTask waiting(sound, true, Audio::sPlayState());
    AudioPlayTask at(L8("Golpe"), Audio::sPlayState());
    std::unique_ptr<Task> clone(waiting.Clone());
    GetResourceManager()->Unload(L"Golpe");
    library.Take();
    EXPECT_TRUE(IsComplete(waiting.Update(nullptr, 0.02f)));
    EXPECT_TRUE(IsComplete(at.Update(nullptr, 0.02f)));
    EXPECT_TRUE(IsComplete(clone->Update(nullptr, 0.02f)));
    std::unique_ptr<Task> late(waiting.Clone());
    EXPECT_TRUE(IsComplete(late->Update(nullptr, 0.02f)));
    EXPECT_EQ(Calls{}, library.Take());
}

TEST_F(AudioPlayTaskTest, AReloadedSoundIsPlayedUnderItsName)
{
    ISound* const sound = MakeSound("Golpe");
    AudioPlayTask task(sound, false, Audio::sPlayState());
    GetResourceManager()->Unload(L"Golpe");
    MakeSound("Golpe");
    library.Take();
    EXPECT_TRUE(IsComplete(task.Update(nullptr, 0.02f)));
    EXPECT_EQ(1u, library.Matching("ChannelPlay").size());
}

TEST_F(AudioPlayTaskTest, DestroyingAWaitingTaskLeavesItsSoundPlaying)
{
    ISound* const sound = MakeSound("Golpe");
    {
        AudioPlayTask task(sound, true, Audio::sPlayState());
        task.Update(nullptr, 0.02f);
    }
    Step(3);
    EXPECT_EQ(Calls{}, library.Matching("ChannelStop"));
    EXPECT_EQ(1u, platform->GetChannelCount());
    library.EndPass(100);
    Step();
    EXPECT_EQ(0u, platform->GetChannelCount());
}

} // namespace
} // namespace AudioTesting
