// The audio manager's voice-over queue, words, hints, effects and music modes.

#include <gtest/gtest.h>

#include "qdl/Tests/GameAudioTestSupport.h"

namespace
{

using namespace GameAudioTesting;
typedef GameAudioFixture GameAudioManagerTest;

// --- the singleton -----------------------------------------------------------

TEST_F(GameAudioManagerTest, TheManagerIsMadeOnceAndKeptForEver)
{
    EXPECT_EQ(manager, GetAudioManager());
    EXPECT_EQ(kMusicMode_None, manager->getMusicMode());
    EXPECT_TRUE(manager->getMusicGame().IsNull());
}

// --- the voice-over queue ----------------------------------------------------

TEST_F(GameAudioManagerTest, WordsQueuedInARowAreSpokenOneAfterTheOther)
{
    List("General_ColorWords", {{"Red", "Rojo"}, {"Blue", "Azul"}, {"Green", "Verde"}});
    manager->playColorVocal(kQuarrydaleColor_Red);
    manager->playColorVocal(kQuarrydaleColor_Blue);
    manager->playColorVocal(kQuarrydaleColor_Red);
    EXPECT_EQ((Names{"Rojo", "Azul", "Rojo"}), Queue());
    EXPECT_TRUE(Started().empty());

    Frame();
    EXPECT_EQ((Names{"Rojo"}), Started());
    EXPECT_EQ("Rojo", Voice());
    EXPECT_EQ((Names{"Azul", "Rojo"}), Queue());

    // Never two voice-overs at once, however many frames pass.
    for (int i = 0; i < 5; ++i)
        Frame();
    EXPECT_TRUE(Started().empty());

    End("Rojo");
    Frame();
    EXPECT_EQ((Names{"Azul"}), Started());
    EXPECT_EQ("Azul", Voice());

    End("Azul");
    Frame();
    EXPECT_EQ((Names{"Rojo"}), Started());
    EXPECT_TRUE(Queue().empty());

    End("Rojo");
    Frame();
    Frame();
    EXPECT_TRUE(Started().empty());
    EXPECT_EQ("-", Voice());
}

TEST_F(GameAudioManagerTest, FeedbackCutsTheInstructionOffAndDropsTheWordsQueuedBehindIt)
{
    Sound("Instruccion");
    Sound("General_CorrectAnswer");
    Sound("General_IncorrectAnswer");
    List("General_ColorWords", {{"Red", "Rojo"}});
    manager->playSpecificSoundVocal(L8("Instruccion"));
    Frame();
    EXPECT_EQ((Names{"Instruccion"}), Started());
    manager->playColorVocal(kQuarrydaleColor_Red);
    boost::intrusive_ptr<ISoundChannel> const instruction(manager->getVoiceChannel());

    manager->playInGameFeedbackVocal(true);
    EXPECT_EQ((Names{"General_CorrectAnswer"}), Queue());
    EXPECT_TRUE(instruction->IsPlaying());
    // Stopped by the platform at the start of the next frame, which then speaks the feedback.
    Frame();
    EXPECT_FALSE(instruction->IsPlaying());
    EXPECT_EQ((Names{"General_CorrectAnswer"}), Started());

    End("General_CorrectAnswer");
    Frame();
    Frame();
    EXPECT_TRUE(Started().empty());

    manager->playInGameFeedbackVocal(false);
    Frame();
    EXPECT_EQ((Names{"General_IncorrectAnswer"}), Started());
}

TEST_F(GameAudioManagerTest, ClearingStopsTheVoiceAndEmptiesTheQueue)
{
    Sound("Uno");
    Sound("Dos");
    manager->playSpecificSoundVocal(L8("Uno"));
    Frame();
    Started();
    manager->clearVocalAudioQueues();
    EXPECT_TRUE(Queue().empty());
    Step();
    EXPECT_FALSE(manager->getVoiceChannel()->IsPlaying());
    EXPECT_EQ("-", Voice());
}

TEST_F(GameAudioManagerTest, IsPlayingOrUpcomingFollowsTheChannelAndTheQueue)
{
    ISound* const uno = Sound("Uno");
    ISound* const dos = Sound("Dos");
    List("General_ColorWords", {{"Red", "Dos"}});
    // Nothing was ever spoken: only what is queued counts.
    EXPECT_FALSE(manager->getIsPlayingOrUpcoming(uno));
    EXPECT_FALSE(manager->getIsPlayingOrUpcoming(nullptr));
    manager->playSpecificSoundVocal(L8("Uno"));
    manager->playColorVocal(kQuarrydaleColor_Red);
    EXPECT_TRUE(manager->getIsPlayingOrUpcoming(uno));
    EXPECT_TRUE(manager->getIsPlayingOrUpcoming(dos));

    Frame();
    EXPECT_TRUE(manager->getIsPlayingOrUpcoming(uno));
    EXPECT_TRUE(manager->getIsPlayingOrUpcoming(dos));
    End("Uno");
    Frame();
    EXPECT_FALSE(manager->getIsPlayingOrUpcoming(uno));
    EXPECT_TRUE(manager->getIsPlayingOrUpcoming(dos));
    End("Dos");
    Step();
    EXPECT_FALSE(manager->getIsPlayingOrUpcoming(dos));
    EXPECT_FALSE(manager->getIsPlayingOrUpcoming(nullptr));
}

TEST_F(GameAudioManagerTest, ARefusedPlayIsTakenOffTheQueueAllTheSame)
{
    Sound("Golpe");
    Sound("Siguiente");
    List("General_ShapeWords", {{"Star", "Siguiente"}});
    // The same sound started under 20 ms ago is refused by the play operation.
    manager->playSFX(L8("Golpe"));
    EXPECT_EQ((Names{"Golpe"}), Started());
    manager->playSpecificSoundVocal(L8("Golpe"));
    manager->playShapeVocal(kQuarrydaleShape_Star);
    manager->updateVocalAudioQueues();
    EXPECT_TRUE(Started().empty());
    EXPECT_EQ((Names{"Siguiente"}), Queue());
    // The voice channel is still idle, so the next entry starts in the next frame.
    Frame();
    EXPECT_EQ((Names{"Siguiente"}), Started());
}

TEST_F(GameAudioManagerTest, WordsComeFromTheirListsByTheSharedLabels)
{
    List("General_ShapeWords", {{"Circle", "Circulo"}});
    List("General_ToolWords", {{"Hammer", "Martillo"}});
    List("General_NumberWords", {{"7", "Siete"}, {"17", "Diecisiete"}});
    List("General_MaterialWords_Singular", {{"Log", "Tronco"}});
    List("General_MaterialWords_Plural", {{"Log", "Troncos"}});
    List("GameDescriptions", {{"PaintIt", "Pinta"}});
    manager->playShapeVocal(kQuarrydaleShape_Circle);
    manager->playToolNameVocal(kQuarrydaleTool_Hammer);
    manager->playNumberVocal(7);
    manager->playMaterialVocal(kQuarrydaleMaterial_Log, true);
    manager->playMaterialVocal(kQuarrydaleMaterial_Log, false);
    EXPECT_EQ((Names{"Circulo", "Martillo", "Siete", "Tronco", "Troncos"}), Queue());
    manager->playGameDescriptionVocal(L8("PaintIt"));
    EXPECT_EQ((Names{"Pinta"}), Queue());
}

TEST_F(GameAudioManagerTest, SpanishNamesPlayLikeAnyOther)
{
    Sound("Canción_Ñandú");
    List("General_ColorWords", {{"Brown", "Marrón"}});
    manager->playSpecificSoundVocal(Label(L"canción_ñandú"));
    manager->playColorVocal(kQuarrydaleColor_Brown);
    EXPECT_EQ((Names{"Canción_Ñandú", "Marrón"}), Queue());
}

// --- invalid input -----------------------------------------------------------

TEST_F(GameAudioManagerTest, MissingSoundsListsAndEntriesQueueNothing)
{
    Sound("Uno");
    List("General_ColorWords", {{"Red", "Uno"}});
    manager->playColorVocal(kQuarrydaleColor_Green);
    manager->playColorVocal(static_cast<QuarrydaleColor>(kNumQuarrydaleColors));
    manager->playColorVocal(static_cast<QuarrydaleColor>(-1));
    manager->playShapeVocal(kQuarrydaleShape_Star);
    manager->playNumberVocal(-3);
    manager->playMaterialVocal(kQuarrydaleMaterial_Cone, true);
    manager->playToolNameVocal(static_cast<QuarrydaleTool>(99));
    EXPECT_TRUE(Queue().empty());
    manager->playGameDescriptionVocal(L8("NoSuchGame"));
    manager->playGameDescriptionVocal(Label());
    manager->playSFX(L8("NoSuchEffect"));
    EXPECT_EQ(nullptr, manager->getEffectsChannel());
    Frame();
    EXPECT_TRUE(Started().empty());
}

TEST_F(GameAudioManagerTest, AMissingSoundStillCutsTheVoiceOff)
{
    Sound("Uno");
    manager->playSpecificSoundVocal(L8("Uno"));
    Frame();
    Started();
    manager->playSpecificSoundVocal(L8("NoExiste"));
    EXPECT_TRUE(Queue().empty());
    manager->playInGameFeedbackVocal(true);
    EXPECT_TRUE(Queue().empty());
    Frame();
    EXPECT_TRUE(Started().empty());
    EXPECT_EQ("-", Voice());
}

TEST_F(GameAudioManagerTest, AVoiceOverWhoseFileIsMissingIsLoggedByItsFileAndSkipped)
{
    LoadManifest(L"<sound name=\"Saludo\" src=\"VO_EN_Saludo\"/>", L"Voces");
    List("General_ColorWords", {{"Red", "Siguiente"}});
    manager->playSpecificSoundVocal(L8("Saludo"));
    manager->playColorVocal(kQuarrydaleColor_Red);
    LogCapture log;
    Frame();
    EXPECT_EQ("Voice-over Saludo plays nothing: its file VO_EN_Saludo is missing.\n", log.Take());
    Frame();
    EXPECT_EQ((Names{"Siguiente"}), Started());
}

TEST_F(GameAudioManagerTest, AVoiceOverWhoseManifestIsUnloadedWhileQueuedIsSkipped)
{
    // The language change exchanges the voice manifest while voice-overs wait.
    Sound("Saludo");
    List("General_ColorWords", {{"Red", "Rojo"}});
    manager->playSpecificSoundVocal(L8("Saludo"));
    manager->playColorVocal(kQuarrydaleColor_Red);
    GetResourceManager()->Unload(L"Saludo");
    Frame();
    EXPECT_TRUE(Started().empty());
    EXPECT_EQ((Names{"Rojo"}), Queue());
    Frame();
    EXPECT_EQ((Names{"Rojo"}), Started());
}

TEST_F(GameAudioManagerTest, AVoiceOverReloadedWhileQueuedPlaysTheNewSound)
{
    Sound("Saludo");
    manager->playSpecificSoundVocal(L8("Saludo"));
    GetResourceManager()->Unload(L"Saludo");
    ISound* const reloaded = Sound("Saludo");
    EXPECT_TRUE(manager->getIsPlayingOrUpcoming(reloaded));
    Frame();
    EXPECT_EQ((Names{"Saludo"}), Started());
    EXPECT_EQ(reloaded, manager->getVoiceChannel()->GetSound());
}

// --- hints -------------------------------------------------------------------

TEST_F(GameAudioManagerTest, HintsAreChosenByGameAndHintNumber)
{
    for (char const* name : {"InGameHint_FixIt_1", "InGameHint_FixIt_2", "InGameHint_Signs_1", "InGameHint_Delivery",
                             "InGameHint_HereToThere_2", "InGameHint_CountTheMaterials"})
        Sound(name);
    struct
    {
        char const* game;
        int hint;
        char const* expected;
    } const cases[] = {{"HammerTheNail", 1, "InGameHint_FixIt_1"},
                       {"HammerTheNail", 2, "InGameHint_FixIt_2"},
                       {"HammerTheNail", 0, "InGameHint_FixIt_2"},
                       {"StreetSigns", 2, "InGameHint_Signs_1"},
                       {"TrundelsDelivery", 1, "InGameHint_Delivery"},
                       {"HereToThere", 5, "InGameHint_HereToThere_2"},
                       {"CountTheMaterials", 2, "InGameHint_CountTheMaterials"}};
    for (auto const& c : cases)
    {
        manager->playAudioGameHint(L8(c.game), c.hint);
        EXPECT_EQ((Names{c.expected}), Queue()) << c.game << " " << c.hint;
    }
}

TEST_F(GameAudioManagerTest, AGameWithoutHintsLeavesTheQueueAlone)
{
    List("General_ColorWords", {{"Red", "Rojo"}});
    Sound("InGameHint_Puzzle_1");
    manager->playColorVocal(kQuarrydaleColor_Red);
    manager->playAudioGameHint(L8("HideAndSeek"), 1);
    manager->playAudioGameHint(L8("NoSuchGame"), 1);
    manager->playAudioGameHint(Label(), 1);
    EXPECT_EQ((Names{"Rojo"}), Queue());
    // A game with hints but without the hint's sound: cut off, nothing queued.
    manager->playAudioGameHint(L8("ScarrowPuzzle"), 2);
    EXPECT_TRUE(Queue().empty());
}

// --- effects -----------------------------------------------------------------

TEST_F(GameAudioManagerTest, EffectsOverlapAndClearingStopsTheLastOne)
{
    Sound("Golpe");
    Sound("Sierra");
    Sound("Voz");
    manager->playSpecificSoundVocal(L8("Voz"));
    manager->playSFX(L8("Golpe"));
    ISoundChannel* const first = manager->getEffectsChannel();
    boost::intrusive_ptr<ISoundChannel> const keep(first);
    manager->playSFX(L8("Sierra"));
    EXPECT_EQ((Names{"Golpe", "Sierra"}), Started());
    EXPECT_EQ((Names{"Voz"}), Queue());
    manager->clearSFX();
    Step();
    EXPECT_TRUE(first->IsPlaying());
    EXPECT_FALSE(manager->getEffectsChannel()->IsPlaying());
}

// --- music -------------------------------------------------------------------

class GameMusicTest : public GameAudioManagerTest
{
protected:
    void SetUp() override
    {
        GameAudioManagerTest::SetUp();
        for (char const* name : {"Music_GeneralUI", "Music_TitleTheme", "Music_Track1", "Music_Track2", "Music_Track3",
                                 "Music_Track4"})
            Sound(name, L"type=\"music\" loop=\"forever\"");
        for (char const* name : {"Ambient_Indoor", "Ambient_Outdoor_1", "Ambient_Outdoor_2"})
            Sound(name, L"type=\"ambient\" loop=\"forever\"");
    }

    std::string Music() const
    {
        ISoundChannel* const channel = manager->getMusicChannel();
        return channel && channel->IsPlaying() ? Name(channel->GetSound()) : "-";
    }
};

TEST_F(GameMusicTest, EachModePlaysItsMusicAndTheSameModeKeepsIt)
{
    manager->setMusicMode(kMusicMode_GeneralUI, Label());
    EXPECT_EQ((Names{"Music_GeneralUI"}), Started());
    EXPECT_FLOAT_EQ(0.15f, MusicVolume());
    Step();
    manager->setMusicMode(2, L8("PaintIt"));
    Step();
    EXPECT_TRUE(Started().empty());
    EXPECT_EQ("Music_GeneralUI", Music());

    manager->setMusicMode(kMusicMode_TitleScreen, Label());
    Step();
    EXPECT_EQ((Names{"Music_TitleTheme"}), Started());
    EXPECT_EQ("Music_TitleTheme", Music());
    EXPECT_EQ(kMusicMode_TitleScreen, manager->getMusicMode());
}

TEST_F(GameMusicTest, EachGameHasItsTrack)
{
    struct
    {
        char const* game;
        char const* track;
    } const cases[] = {{"PlanAJob", "Music_Track4"},         {"ToolShed", "Ambient_Indoor"},
                       {"HereToThere", "Music_Track4"},      {"PaintIt", "Ambient_Outdoor_1"},
                       {"PileOfLeaves", "Music_Track3"},     {"TrundelsDelivery", "Music_Track1"},
                       {"StreetSigns", "Ambient_Outdoor_2"}, {"CountTheMaterials", "Music_Track2"},
                       {"ScarrowPuzzle", "Music_Track3"},    {"HammerTheNail", "Ambient_Indoor"},
                       {"TollerStacker", "Music_Track2"},    {"HideAndSeek", "Music_Track1"}};
    for (auto const& c : cases)
    {
        manager->setMusicMode(kMusicMode_GeneralUI, Label());
        Step();
        Started();
        manager->setMusicMode(kMusicMode_InGame, L8(c.game));
        Step();
        EXPECT_EQ((Names{c.track}), Started()) << c.game;
        EXPECT_EQ(c.track, Music()) << c.game;
        EXPECT_EQ(L8(c.game), manager->getMusicGame());
    }
}

TEST_F(GameMusicTest, AnotherGameInTheSameModeChangesNothing)
{
    manager->setMusicMode(kMusicMode_InGame, L8("ToolShed"));
    Step();
    EXPECT_EQ((Names{"Ambient_Indoor"}), Started());
    manager->setMusicMode(kMusicMode_InGame, L8("PaintIt"));
    Step();
    EXPECT_TRUE(Started().empty());
    EXPECT_EQ("Ambient_Indoor", Music());
    EXPECT_EQ(L8("ToolShed"), manager->getMusicGame());
}

TEST_F(GameMusicTest, SilenceStopsTheMusicAndSetsTheMusicVolume)
{
    manager->setMusicMode(kMusicMode_TitleScreen, Label());
    Audio::GetControls(Audio::GetMusicKind())->SetVolume(0.8f);
    manager->setMusicMode(kMusicMode_Silence, Label());
    Step();
    EXPECT_EQ("-", Music());
    EXPECT_FLOAT_EQ(0.15f, MusicVolume());
    // Any value past the known ones is silence too, and mode 0 stops as well.
    manager->setMusicMode(kMusicMode_GeneralUI, Label());
    manager->setMusicMode(17, L8("PaintIt"));
    Step();
    EXPECT_EQ("-", Music());
    EXPECT_TRUE(manager->getMusicGame().IsNull());
    manager->setMusicMode(kMusicMode_GeneralUI, Label());
    manager->setMusicMode(kMusicMode_None, Label());
    Step();
    EXPECT_EQ("-", Music());
}

TEST_F(GameMusicTest, InGameWithTheNullGameKeepsTheMusicThatPlays)
{
    manager->setMusicMode(kMusicMode_GeneralUI, Label());
    Audio::GetControls(Audio::GetMusicKind())->SetVolume(0.6f);
    Step();
    Started();
    manager->setMusicMode(kMusicMode_InGame, Label());
    Step();
    EXPECT_EQ(kMusicMode_InGame, manager->getMusicMode());
    EXPECT_EQ("Music_GeneralUI", Music());
    EXPECT_TRUE(Started().empty());
    EXPECT_FLOAT_EQ(0.6f, MusicVolume());
}

TEST_F(GameMusicTest, AGameWithoutATrackStopsTheMusic)
{
    manager->setMusicMode(kMusicMode_GeneralUI, Label());
    Step();
    Started();
    manager->setMusicMode(kMusicMode_InGame, L8("JuegoNuevo"));
    Step();
    EXPECT_EQ("-", Music());
    EXPECT_EQ(L8("JuegoNuevo"), manager->getMusicGame());
    EXPECT_TRUE(Started().empty());
}

TEST_F(GameMusicTest, AMissingTrackLeavesTheModeChangedAndTheMusicStopped)
{
    manager->setMusicMode(kMusicMode_InGame, L8("ToolShed"));
    Step();
    GetResourceManager()->Unload(L"Music_TitleTheme");
    manager->setMusicMode(kMusicMode_TitleScreen, Label());
    Step();
    EXPECT_EQ(kMusicMode_TitleScreen, manager->getMusicMode());
    EXPECT_EQ("-", Music());
}

} // namespace
