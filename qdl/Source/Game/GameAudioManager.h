#pragma once

// The game's one point of contact with audio. Voice-overs never overlap: they
// wait in a queue that the application drains once per frame, so a spoken word
// can follow a spoken instruction. Effects play at once; music follows the
// screen or mini-game through the music mode.
//
// Sounds and sound lists looked up by name (the content pack declares them):
//   voice-over:  "General_CorrectAnswer", "General_IncorrectAnswer",
//                the hint sounds "InGameHint_..." of the hint table in the .cpp;
//   sound lists: "GameDescriptions" (by game label), "General_ColorWords",
//                "General_ShapeWords", "General_ToolWords" (by the shared
//                label tables), "General_NumberWords" (by decimal text, "7"),
//                "General_MaterialWords_Singular", "General_MaterialWords_Plural";
//   music:       "Music_GeneralUI", "Music_TitleTheme", "Music_Track1" ..
//                "Music_Track4", "Ambient_Indoor", "Ambient_Outdoor_1",
//                "Ambient_Outdoor_2".
// A missing sound, list or entry is skipped silently; a voice-over whose file is
// missing is skipped with a log line naming the file.

#include <deque>

#include <boost/intrusive_ptr.hpp>

#include "2DEngine/Source/Framework/AudioServices.h"
#include "Core/Source/Label.h"
#include "qdl/Source/Game/GameConstants.h"

// An int so that callers may pass a plain number; any value above 3 is silence.
typedef int MusicMode;
MusicMode const kMusicMode_None = 0;
MusicMode const kMusicMode_InGame = 1;
MusicMode const kMusicMode_GeneralUI = 2;
MusicMode const kMusicMode_TitleScreen = 3;
MusicMode const kMusicMode_Silence = 4;

class AudioManager
{
public:
    AudioManager();
    AudioManager(AudioManager const&) = delete;
    AudioManager& operator=(AudioManager const&) = delete;

    // Voice-over.
    // Cuts off the voice-over and queues this sound alone.
    void playSpecificSoundVocal(Corvane::Label sound);
    void clearVocalAudioQueues();
    // Once per frame: starts the front of the queue when the voice channel is idle.
    void updateVocalAudioQueues();
    bool getIsPlayingOrUpcoming(Corvane::ISound const* sound) const;
    void playInGameFeedbackVocal(bool correct);
    void playGameDescriptionVocal(Corvane::Label game);
    // The word follows whatever is playing or queued.
    void playColorVocal(QuarrydaleColor color);
    void playShapeVocal(QuarrydaleShape shape);
    void playToolNameVocal(QuarrydaleTool tool);
    void playNumberVocal(int number);
    void playMaterialVocal(QuarrydaleMaterial material, bool singular);
    void playAudioGameHint(Corvane::Label game, int hint);

    // Effects: an effect still sounding from an earlier call goes on.
    void playSFX(Corvane::Label sound);
    // Stops the last effect started.
    void clearSFX();

    // Music: the same mode again changes nothing, whatever the game.
    void setMusicMode(MusicMode mode, Corvane::Label game);

    MusicMode getMusicMode() const { return musicMode; }
    Corvane::Label getMusicGame() const { return musicGame; }
    Corvane::ISoundChannel* getVoiceChannel() const { return voiceChannel.get(); }
    Corvane::ISoundChannel* getEffectsChannel() const { return effectsChannel.get(); }
    Corvane::ISoundChannel* getMusicChannel() const { return musicChannel.get(); }
    // The resource names of the queued voice-overs, front first.
    std::deque<Corvane::Label> const& getVoiceQueue() const { return voiceQueue; }

    static void stopTrackInternal(Corvane::ISoundChannel* channel);

    // Back to the state of a new manager, letting go of the channels without
    // touching them: for an audio platform that is about to go away (and the
    // tests, which make a platform each).
    void reset();

private:
    void queueVocal(Corvane::ISound const* sound);
    void queueListEntry(Corvane::Label list, Corvane::Label event);

    boost::intrusive_ptr<Corvane::ISoundChannel> voiceChannel;
    boost::intrusive_ptr<Corvane::ISoundChannel> effectsChannel;
    boost::intrusive_ptr<Corvane::ISoundChannel> musicChannel;
    // By resource name, looked up again when played: a language change unloads
    // the voice manifest while voice-overs may still be waiting.
    std::deque<Corvane::Label> voiceQueue;
    MusicMode musicMode;
    Corvane::Label musicGame;
};

// The one audio manager, made on first use and never destroyed.
AudioManager* GetAudioManager();
