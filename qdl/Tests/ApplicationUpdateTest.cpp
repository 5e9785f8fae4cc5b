// The application's step: whatever the time step, an idle voice channel starts
// the next queued voice-over, and nothing else starts.

#include <gtest/gtest.h>

#include "CorvaneExtensions/Tests/Audio/AudioTestSupport.h"
#include "qdl/Source/Game/Application.h"
#include "qdl/Source/Game/GameAudioManager.h"

namespace
{

using namespace AudioTesting;

class ApplicationUpdateTest : public AudioFixture
{
protected:
    void SetUp() override
    {
        AudioFixture::SetUp();
        GetAudioManager()->reset();
    }

    void TearDown() override
    {
        GetAudioManager()->reset();
        AudioFixture::TearDown();
    }

    Application application;
};

TEST_F(ApplicationUpdateTest, EachStepStartsTheNextVoiceOverWhateverTheTimeStep)
{
    ISound* const first = MakeSound("Voz_Uno");
    ISound* const second = MakeSound("Voz_Dos");
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    AudioManager* const audio = GetAudioManager();
    audio->playSpecificSoundVocal(Label::GetUniqueString("Voz_Uno"));
    ASSERT_EQ(1u, audio->getVoiceQueue().size());

    application.Update(0.0f);
    EXPECT_TRUE(audio->getVoiceQueue().empty());
    ASSERT_NE(nullptr, audio->getVoiceChannel());
    Corvane::ISoundChannel* const playing = audio->getVoiceChannel();

    // A word queued behind a voice that still sounds waits, however long the step.
    audio->playColorVocal(kQuarrydaleColor_Red);
    application.Update(10.0f);
    EXPECT_EQ(playing, audio->getVoiceChannel());
}

TEST_F(ApplicationUpdateTest, AStepWithNothingQueuedStartsNothing)
{
    application.Update(0.02f);
    EXPECT_EQ(nullptr, GetAudioManager()->getVoiceChannel());
}

} // namespace
