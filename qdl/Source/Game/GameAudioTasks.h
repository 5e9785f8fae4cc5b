#pragma once

// Tasks that speak a voice-over through the game's voice-over queue and hold
// their sequence until it has been spoken. Going through the queue, they cut
// off whatever voice-over was playing and never sound on top of another.

#include "2DEngine/Source/Framework/Task.h"
#include "Core/Source/Label.h"
#include "CorvaneExtensions/AudioPlatform/BASS/Audio.h"

namespace Corvane
{

// Speaks the sound resource of that name.
class AudioPlayChannelTask : public Task
{
public:
    AudioPlayChannelTask(Label sound, Audio::sPlayState const& state);
    ~AudioPlayChannelTask() override;

    Task* Clone() const override;
    TaskResult Update(Object* object, float dt) override;

    Label getLabel() const { return label; }
    bool isStarted() const { return started; }

private:
    Label label;
    bool started;
    // Kept for clones; the queue plays with its own default state.
    Audio::sPlayState playState;
};

// Speaks a mini-game's description, the entry of the game label in the sound
// list "GameDescriptions".
class AudioPlayGameDescTask : public Task
{
public:
    AudioPlayGameDescTask(Label game, Audio::sPlayState const& state);
    ~AudioPlayGameDescTask() override;

    Task* Clone() const override;
    TaskResult Update(Object* object, float dt) override;

    Label getLabel() const { return label; }
    bool isStarted() const { return started; }

private:
    Label label;
    bool started;
    Audio::sPlayState playState;
};

} // namespace Corvane
