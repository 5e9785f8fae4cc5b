// The tasks that speak a voice-over through the queue and wait until it has
// been spoken, run frame by frame as the main loop runs them: platform, then
// the application's queue, then the mode's tasks.

#include <memory>

#include <gtest/gtest.h>

#include "qdl/Source/Game/GameAudioTasks.h"
#include "qdl/Tests/GameAudioTestSupport.h"

namespace
{

using namespace GameAudioTesting;

class GameAudioTasksTest : public GameAudioFixture
{
protected:
    // One frame ending with the task's update; true when it completed.
    bool FrameWith(Task& task)
    {
        Frame();
        return Done(task);
    }

    static bool Done(Task& task) { return task.Update(nullptr, 0.02f).status == TaskResult::kComplete; }
};

// --- normal case -----------------------------------------------------------

TEST_F(GameAudioTasksTest, TheChannelTaskSpeaksItsSoundAndWaitsForItsEnd)
{
    Sound("Bienvenida");
    Sound("Anterior");
    manager->playSpecificSoundVocal(L8("Anterior"));
    Frame();
    EXPECT_EQ((Names{"Anterior"}), Started());

    AudioPlayChannelTask task(L8("Bienvenida"), Audio::sPlayState());
    EXPECT_FALSE(Done(task));
    EXPECT_TRUE(task.isStarted());
    EXPECT_EQ((Names{"Bienvenida"}), Queue());
    EXPECT_FALSE(FrameWith(task));
    EXPECT_EQ((Names{"Bienvenida"}), Started());
    EXPECT_FALSE(FrameWith(task));
    EXPECT_FALSE(FrameWith(task));
    End("Bienvenida");
    Frame();
    TaskResult const result = task.Update(nullptr, 0.02f);
    EXPECT_EQ(TaskResult::kComplete, result.status);
    EXPECT_EQ(0.0f, result.timeUsed);
    EXPECT_FALSE(task.isStarted());
}

TEST_F(GameAudioTasksTest, TheDescriptionTaskSpeaksTheGamesEntry)
{
    List("GameDescriptions", {{"HideAndSeek", "Escondite"}, {"PaintIt", "Pinta"}});
    AudioPlayGameDescTask task(L8("HideAndSeek"), Audio::sPlayState());
    EXPECT_FALSE(Done(task));
    EXPECT_FALSE(FrameWith(task));
    EXPECT_EQ((Names{"Escondite"}), Started());
    End("Escondite");
    EXPECT_TRUE(FrameWith(task));
}

TEST_F(GameAudioTasksTest, AClonePlaysAgainFromTheStart)
{
    Sound("Hola");
    List("GameDescriptions", {{"ToolShed", "Cobertizo"}});
    AudioPlayChannelTask channel(L8("Hola"), Audio::sPlayState());
    AudioPlayGameDescTask description(L8("ToolShed"), Audio::sPlayState());
    EXPECT_FALSE(Done(channel));
    std::unique_ptr<Task> const channelCopy(channel.Clone());
    std::unique_ptr<Task> const descriptionCopy(description.Clone());
    EXPECT_FALSE(static_cast<AudioPlayChannelTask&>(*channelCopy).isStarted());
    EXPECT_EQ(L8("Hola"), static_cast<AudioPlayChannelTask&>(*channelCopy).getLabel());

    EXPECT_FALSE(FrameWith(channel));
    EXPECT_EQ((Names{"Hola"}), Started());
    End("Hola");
    EXPECT_TRUE(FrameWith(channel));

    EXPECT_FALSE(Done(*channelCopy));
    EXPECT_EQ((Names{"Hola"}), Queue());
    EXPECT_FALSE(Done(*descriptionCopy));
    EXPECT_EQ((Names{"Cobertizo"}), Queue());
    EXPECT_FALSE(FrameWith(*descriptionCopy));
    // The description cut the greeting's clone off before it was spoken.
    EXPECT_TRUE(Done(*channelCopy));
    EXPECT_EQ((Names{"Cobertizo"}), Started());
}

// --- invalid input -----------------------------------------------------------

TEST_F(GameAudioTasksTest, ANameWithoutASoundCutsTheVoiceOffAndCompletesInTheSecondUpdate)
{
    Sound("Anterior");
    manager->playSpecificSoundVocal(L8("Anterior"));
    Frame();
    Started();
    boost::intrusive_ptr<ISoundChannel> const previous(manager->getVoiceChannel());

    AudioPlayChannelTask task(L8("NoExiste"), Audio::sPlayState());
    EXPECT_FALSE(Done(task));
    EXPECT_TRUE(FrameWith(task));
    EXPECT_FALSE(previous->IsPlaying());
    EXPECT_TRUE(Started().empty());
}

TEST_F(GameAudioTasksTest, AGameWithoutADescriptionCompletesInTheSecondUpdate)
{
    List("GameDescriptions", {{"PaintIt", "Pinta"}});
    AudioPlayGameDescTask task(L8("Juego_Señales"), Audio::sPlayState());
    EXPECT_FALSE(Done(task));
    EXPECT_TRUE(Queue().empty());
    EXPECT_TRUE(Done(task));
    // Without the list at all.
    GetResourceManager()->Unload(L"GameDescriptions");
    AudioPlayGameDescTask other(L8("PaintIt"), Audio::sPlayState());
    EXPECT_FALSE(Done(other));
    EXPECT_TRUE(Done(other));
}

// --- another voice-over takes over -----------------------------------------

TEST_F(GameAudioTasksTest, FeedbackReplacingTheVoiceEndsTheWait)
{
    Sound("Instruccion");
    Sound("General_CorrectAnswer");
    AudioPlayChannelTask task(L8("Instruccion"), Audio::sPlayState());
    EXPECT_FALSE(Done(task));
    EXPECT_FALSE(FrameWith(task));
    // Replaced during a mode update: the platform stops the instruction at the
    // start of the next frame, and the task sees it gone in that frame.
    manager->playInGameFeedbackVocal(true);
    EXPECT_TRUE(FrameWith(task));
    EXPECT_EQ((Names{"Instruccion", "General_CorrectAnswer"}), Started());
}

TEST_F(GameAudioTasksTest, AHintQueuedBeforeTheSoundStartsEndsTheWait)
{
    Sound("Instruccion");
    Sound("InGameHint_Signs_1");
    AudioPlayChannelTask task(L8("Instruccion"), Audio::sPlayState());
    EXPECT_FALSE(Done(task));
    manager->playAudioGameHint(L8("StreetSigns"), 2);
    EXPECT_TRUE(FrameWith(task));
    EXPECT_EQ((Names{"InGameHint_Signs_1"}), Started());
}

} // namespace
