#include "qdl/Source/Game/GameAudioManager.h"

#include <cstring>

#include "2DEngine/Source/Framework/Resource.h"
#include "Core/Source/Log.h"
#include "Core/Source/StringFormatter.h"
#include "Core/Source/StringUtils.h"
#include "CorvaneExtensions/AudioPlatform/BASS/Audio.h"
#include "CorvaneExtensions/AudioPlatform/BASS/BASSAudioPlatform.h"
#include "CorvaneExtensions/AudioPlatform/BASS/BASSSound.h"
#include "CorvaneExtensions/AudioPlatform/BASS/SoundList.h"

using namespace Corvane;

namespace
{

float const kMusicVolume = 0.15f;

char const* const kCorrectAnswerSound = "General_CorrectAnswer";
char const* const kIncorrectAnswerSound = "General_IncorrectAnswer";
char const* const kGameDescriptionsList = "GameDescriptions";
char const* const kColorWordsList = "General_ColorWords";
char const* const kShapeWordsList = "General_ShapeWords";
char const* const kToolWordsList = "General_ToolWords";
char const* const kNumberWordsList = "General_NumberWords";
char const* const kMaterialWordsSingularList = "General_MaterialWords_Singular";
char const* const kMaterialWordsPluralList = "General_MaterialWords_Plural";
char const* const kGeneralUIMusic = "Music_GeneralUI";
char const* const kTitleThemeMusic = "Music_TitleTheme";

struct sGameHint
{
    char const* game;
    char const* firstHint;
    char const* laterHint;
};

// "HideAndSeek" has no hint, like any game not listed.
sGameHint const kGameHints[] = {
    {"CountTheMaterials", "InGameHint_CountTheMaterials", "InGameHint_CountTheMaterials"},
    {"HammerTheNail", "InGameHint_FixIt_1", "InGameHint_FixIt_2"},
    {"HereToThere", "InGameHint_HereToThere_1", "InGameHint_HereToThere_2"},
    {"TollerStacker", "InGameHint_TollerStacker_1", "InGameHint_TollerStacker_2"},
    {"TrundelsDelivery", "InGameHint_Delivery", "InGameHint_Delivery"},
    {"PaintIt", "InGameHint_PaintIt_1", "InGameHint_PaintIt_2"},
    {"PileOfLeaves", "InGameHint_Leaves_1", "InGameHint_Leaves_1"},
    {"PlanAJob", "InGameHint_PlanAJob_1", "InGameHint_PlanAJob_2"},
    {"ScarrowPuzzle", "InGameHint_Puzzle_1", "InGameHint_Puzzle_2"},
    {"StreetSigns", "InGameHint_Signs_1", "InGameHint_Signs_1"},
    {"ToolShed", "InGameHint_ToolShed_1", "InGameHint_ToolShed_2"},
};

struct sGameTrack
{
    char const* game;
    char const* track;
};

sGameTrack const kGameTracks[] = {
    {"PlanAJob", "Music_Track4"},         {"ToolShed", "Ambient_Indoor"},     {"HereToThere", "Music_Track4"},
    {"PaintIt", "Ambient_Outdoor_1"},     {"PileOfLeaves", "Music_Track3"},   {"TrundelsDelivery", "Music_Track1"},
    {"StreetSigns", "Ambient_Outdoor_2"}, {"CountTheMaterials", "Music_Track2"}, {"ScarrowPuzzle", "Music_Track3"},
    {"HammerTheNail", "Ambient_Indoor"},  {"TollerStacker", "Music_Track2"},  {"HideAndSeek", "Music_Track1"},
};

// Labels compare by interned handle, so a table name is interned before comparing.
template <class T, size_t N>
T const* findGame(T const (&table)[N], Label game)
{
    if (game.IsNull())
        return nullptr;
    for (T const& entry : table)
        if (Label::GetUniqueString(entry.game) == game)
            return &entry;
    return nullptr;
}

// A channel is kept only for a play that started: a refused play leaves the
// role's channel as it was.
void playInto(ISound const* sound, boost::intrusive_ptr<ISoundChannel>& role)
{
    boost::intrusive_ptr<ISoundChannel> channel;
    Audio::Play(sound, &channel, Audio::sPlayState());
    if (channel)
        role = channel;
}

// The name under which the sound resource is bound; null for a sound that is no resource.
Label resourceName(ISound const* sound)
{
    IResourceDescriptor const* const descriptor = dynamic_cast<IResourceDescriptor const*>(sound);
    return descriptor ? descriptor->GetName() : Label();
}

// A voice-over whose file was not found at load plays nothing; the line names the
// file, as nothing else tells of it.
void reportMissingVoiceFile(ISound const* sound)
{
    BASSSound const* const bass = dynamic_cast<BASSSound const*>(sound);
    IAttributeContainer const* const attributes = dynamic_cast<IAttributeContainer const*>(sound);
    if (!bass || !attributes || !IsBassAudioPlatformInitialized() || !bass->GetBASSSoundData() ||
        !bass->GetBASSSoundData()->GetFiles().empty())
        return;
    Internal::LogWrite("Voice-over %s plays nothing: its file %s is missing.\n", resourceName(sound).GetString(),
                       TruncateStringWideToASCII(attributes->GetAttribute(L"src")).c_str());
}

} // namespace

AudioManager::AudioManager() : musicMode(kMusicMode_None) {}

void AudioManager::stopTrackInternal(ISoundChannel* channel)
{
    if (!channel || !channel->IsPlaying())
        return;
    if (boost::intrusive_ptr<IAudioControls> const controls = channel->GetControls())
        controls->Stop();
}

void AudioManager::queueVocal(ISound const* sound)
{
    Label const name = resourceName(sound);
    if (!name.IsNull())
        voiceQueue.push_back(name);
}

void AudioManager::queueListEntry(Label list, Label event)
{
    AutoResource<SoundList> const sounds(list);
    if (sounds)
        queueVocal(sounds->GetSound(event));
}

void AudioManager::playSpecificSoundVocal(Label sound)
{
    clearVocalAudioQueues();
    queueVocal(AutoResource<ISound>(sound).Get());
}

void AudioManager::clearVocalAudioQueues()
{
    stopTrackInternal(voiceChannel.get());
    voiceQueue.clear();
}

void AudioManager::updateVocalAudioQueues()
{
    if (voiceQueue.empty())
        return;
    if (voiceChannel && voiceChannel->IsPlaying())
        return;
    ISound const* const sound = AutoResource<ISound>(voiceQueue.front()).Get();
    // Removed also when the play is refused or the sound has been unloaded
    // meanwhile, so that one bad entry never blocks the queue.
    voiceQueue.pop_front();
    reportMissingVoiceFile(sound);
    playInto(sound, voiceChannel);
}

bool AudioManager::getIsPlayingOrUpcoming(ISound const* sound) const
{
    if (!sound)
        return false;
    if (voiceChannel && voiceChannel->GetSound() == sound)
        return true;
    Label const name = resourceName(sound);
    for (Label queued : voiceQueue)
        if (queued == name)
            return true;
    return false;
}

void AudioManager::playInGameFeedbackVocal(bool correct)
{
    clearVocalAudioQueues();
    queueVocal(AutoResource<ISound>(correct ? kCorrectAnswerSound : kIncorrectAnswerSound).Get());
}

void AudioManager::playGameDescriptionVocal(Label game)
{
    clearVocalAudioQueues();
    queueListEntry(Label::GetUniqueString(kGameDescriptionsList), game);
}

void AudioManager::playColorVocal(QuarrydaleColor color)
{
    if (color >= 0 && color < kNumQuarrydaleColors)
        queueListEntry(Label::GetUniqueString(kColorWordsList), kQuarrydaleColorLabels[color]);
}

void AudioManager::playShapeVocal(QuarrydaleShape shape)
{
    if (shape >= 0 && shape < kNumQuarrydaleShapes)
        queueListEntry(Label::GetUniqueString(kShapeWordsList), kQuarrydaleShapeLabels[shape]);
}

void AudioManager::playToolNameVocal(QuarrydaleTool tool)
{
    if (tool >= 0 && tool < kNumQuarrydaleTools)
        queueListEntry(Label::GetUniqueString(kToolWordsList), kQuarrydaleToolLabels[tool]);
}

void AudioManager::playNumberVocal(int number)
{
    StringFormatter text(L"%1%");
    text.Arg(number);
    queueListEntry(Label::GetUniqueString(kNumberWordsList), Label::FromString(std::wstring(text.c_str())));
}

void AudioManager::playMaterialVocal(QuarrydaleMaterial material, bool singular)
{
    if (material >= 0 && material < kNumQuarrydaleMaterials)
        queueListEntry(Label::GetUniqueString(singular ? kMaterialWordsSingularList : kMaterialWordsPluralList),
                       kQuarrydaleMaterialLabels[material]);
}

void AudioManager::playAudioGameHint(Label game, int hint)
{
    sGameHint const* const entry = findGame(kGameHints, game);
    if (!entry)
        return;
    playSpecificSoundVocal(Label::GetUniqueString(hint == 1 ? entry->firstHint : entry->laterHint));
}

void AudioManager::playSFX(Label sound)
{
    playInto(AutoResource<ISound>(sound).Get(), effectsChannel);
}

void AudioManager::clearSFX()
{
    stopTrackInternal(effectsChannel.get());
}

void AudioManager::setMusicMode(MusicMode mode, Label game)
{
    if (mode == musicMode)
        return;
    musicMode = mode;
    // The stored game is null outside mode 1: a null game keeps the music that plays.
    if (mode == kMusicMode_InGame && game == musicGame)
        return;

    if (boost::intrusive_ptr<IAudioControls> const controls = Audio::GetControls(kMusicKind))
        controls->SetVolume(kMusicVolume);
    stopTrackInternal(musicChannel.get());

    char const* track = nullptr;
    musicGame = Label();
    if (mode == kMusicMode_GeneralUI)
        track = kGeneralUIMusic;
    else if (mode == kMusicMode_TitleScreen)
        track = kTitleThemeMusic;
    else if (mode == kMusicMode_InGame)
    {
        musicGame = game;
        if (sGameTrack const* const entry = findGame(kGameTracks, game))
            track = entry->track;
    }
    if (track)
        playInto(AutoResource<ISound>(track).Get(), musicChannel);
}

void AudioManager::reset()
{
    voiceChannel.reset();
    effectsChannel.reset();
    musicChannel.reset();
    voiceQueue.clear();
    musicMode = kMusicMode_None;
    musicGame = Label();
}

AudioManager* GetAudioManager()
{
    // Never destroyed: channels may still be released by the platform's own shutdown.
    static AudioManager* const manager = new AudioManager();
    return manager;
}
