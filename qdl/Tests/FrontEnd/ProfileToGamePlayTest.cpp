// From the title into a game, played as a child does in both languages: Play,
// a profile, New game, the main menu, free play, a game's picture, a
// difficulty, OK; and the main menu's story through the difficulty popup to
// the first cutscene and on to the story's first game. A game not built yet
// leaves the child on the popup; a stand-in game installed through the game
// makers proves where OK leads.
//
// Set QDL_FRONTEND_SCREENSHOTS to a folder to keep a picture of every screen
// on the way, in both languages.

#include <string>

#include "2DEngine/Source/Framework/Account.h"
#include "2DEngine/Source/Framework/Roles.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/FrontEnd/CutsceneMode.h"
#include "qdl/Source/Game/FrontEnd/DifficultySelectMode.h"
#include "qdl/Source/Game/FrontEnd/MainMenuMode.h"
#include "qdl/Source/Game/FrontEnd/MyAccountMode.h"
#include "qdl/Tests/FrontEnd/FrontEndPlaySupport.h"

using namespace FrontEndPlay;
using GameDriver::AccountRecord;

namespace
{

class ProfileToGamePlay : public FrontEndPlayTest, public ::testing::WithParamInterface<bool>
{
protected:
    bool English() const { return GetParam(); }
    // "_EN" or "_SP", and the picture names' language.
    std::string Suffix() const { return English() ? "_EN" : "_SP"; }
    std::string Language() const { return English() ? "english" : "spanish"; }

    void SetUp() override
    {
        FrontEndPlayTest::SetUp();
        driver.SetAccountValue("EnglishLanguage", English() ? "true" : "false");
    }
};

bool IsOkEnabled(Child& child)
{
    return child.Look([] {
        Corvane::IEnable const* const ok = dynamic_cast<Corvane::IEnable*>(Child::FindNode("OkButton"));
        return ok && ok->IsEnabled();
    });
}

TEST_P(ProfileToGamePlay, TitleProfileNewGameMainMenuFreePlayDifficultyAndTheGame)
{
    GameRequests games;
    games.install();
    std::string const suffix = Suffix();
    std::string const language = Language();
    bool const english = English();
    driver.Play([&](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TitleMode"));
        ASSERT_TRUE(child.Click("PlayButton"));
        ASSERT_EQ((Screens{"TitleMode", "MyAccountMode"}), child.Screens());

        // The profiles, each with the count of a profile never played.
        ASSERT_TRUE(child.Frames(1));
        EXPECT_TRUE(Contains(child.PlayingSounds(), "SFX_UI_ChooseProfile"));
        EXPECT_EQ(english, child.IsShown("Profiles/Profiles_Title"));
        EXPECT_EQ(!english, child.IsShown("Profiles/Profiles_Title_SP"));
        EXPECT_EQ(english ? L"Click on your picture, then on OK." : L"Haz clic en tu dibujo y luego en OK.",
                  TextOf(child, "Profiles/ChooseProfile_text"));
        for (char const* count : {"PondoStickerCount", "SloamStickerCount", "GrubbinStickerCount"})
            EXPECT_EQ(L"3", TextOf(child, std::string("Profiles/") + count)) << count;
        EXPECT_FALSE(IsOkEnabled(child));

        // A profile clicked while the window slides in is not taken.
        ClickInOneFrame(child, "PondoButton", 1);
        ASSERT_TRUE(WaitForPopup(child, "MyAccountMode"));
        EXPECT_FALSE(IsOkEnabled(child));
        EXPECT_TRUE(child.Look([] { return Top<MyAccountMode>()->getSelectedProfile().IsNull(); }));
        Screenshot(child, "profiles_" + language);

        ASSERT_TRUE(child.Click("PondoButton"));
        ASSERT_TRUE(child.Click("SloamButton"));
        EXPECT_TRUE(IsOkEnabled(child));
        EXPECT_FALSE(IsChecked(child, "PondoButton"));
        EXPECT_TRUE(IsChecked(child, "SloamButton"));
        ASSERT_TRUE(child.Click("OkButton"));
        ASSERT_EQ((Screens{"TitleMode", "MyAccountMode", "AccountConfirmMode"}), child.Screens());
        EXPECT_EQ("SloamButton", AccountRecord(child.AccountFile(), "AccountID"));

        // New game or continue.
        ASSERT_TRUE(child.Frames(1));
        EXPECT_FALSE(Contains(child.PlayingSounds(), "SFX_UI_ChooseProfile"));
        EXPECT_TRUE(Contains(child.PlayingSounds(), "SFX_UI_ContinueNewGame"));
        EXPECT_EQ(english, child.IsShown("ProfileConfirm/ProfileConfirm_Title"));
        EXPECT_EQ(!english, child.IsShown("ProfileConfirm/ProfileConfirm_Title_SP"));
        EXPECT_EQ("Button_Profile_NewGame" + suffix, ImageListOf(child, "ProfileConfirm/NewGame"));
        EXPECT_EQ("Button_Profile_Continue" + suffix, ImageListOf(child, "ProfileConfirm/Continue"));
        ASSERT_TRUE(WaitForPopup(child, "AccountConfirmMode"));
        Screenshot(child, "profile_confirm_" + language);
        ASSERT_TRUE(child.Click("NewGame"));
        ASSERT_EQ(Screens{"MainMenuMode"}, child.Screens());

        // The main menu has loaded the new profile's stickers: three to start with.
        std::string account = child.AccountFile();
        EXPECT_EQ("0", AccountRecord(account, "SloamButton_Progress")) << account;
        EXPECT_EQ("3", AccountRecord(account, "SloamButton_StickerCount")) << account;
        EXPECT_EQ("", AccountRecord(account, "PondoButton_StickerCount")) << account;
        ASSERT_TRUE(child.Wait(0.2f));
        EXPECT_TRUE(Contains(child.PlayingSounds(), "Music_TitleTheme"));
        EXPECT_EQ(english, child.IsShown("TitleMainMenu/GameLogo_EN"));
        EXPECT_EQ("Button_MainMenu_Story" + suffix, ImageListOf(child, "StoryButton"));
        EXPECT_EQ("Button_MainMenu_FreePlay" + suffix, ImageListOf(child, "FreePlayButton"));
        EXPECT_EQ("Button_MainMenu_StickerBook" + suffix, ImageListOf(child, "StickerBookButton"));
        EXPECT_FLOAT_EQ(0.0f, child.Alpha("TitleMainMenu/UI/StoryButton"));
        ASSERT_TRUE(child.MoveMouseTo(760, 300));
        Screenshot(child, "main_menu_" + language);

        // Free play, its spoken help, and a game's picture.
        ASSERT_TRUE(child.Click("FreePlayButton"));
        ASSERT_EQ((Screens{"MainMenuMode", "FreePlaySelectMode"}), child.Screens());
        EXPECT_TRUE(child.Look([] { return GetLevelManager()->isFreePlay(); }));
        ASSERT_TRUE(child.Click("HelpButton"));
        ASSERT_TRUE(child.Frames(1));
        EXPECT_TRUE(Contains(child.PlayingSounds(), "Instructions_Freeplay"));
        EXPECT_TRUE(Contains(child.PlayingSounds(), "Music_GeneralUI"));
        Screenshot(child, "free_play_" + language);
        ASSERT_TRUE(child.Click("FarmerBrambold"));
        ASSERT_EQ((Screens{"MainMenuMode", "FreePlaySelectMode", "DifficultySelectMode"}), child.Screens());
        ASSERT_TRUE(child.Frames(1));
        EXPECT_FALSE(Contains(child.PlayingSounds(), "Instructions_Freeplay"));
        EXPECT_TRUE(Contains(child.PlayingSounds(), "SFX_UI_ChooseDifficulty"));
        EXPECT_EQ(english ? L"Pick Easy, Medium or Hard,\nthen OK."
                          : L"Elige F\u00e1cil, Medio o Dif\u00edcil\ny luego OK.",
                  TextOf(child, "DifficultySelect/ChooseDifficultyText"));
        EXPECT_EQ(english, child.IsShown("DifficultySelect/Title_EN"));
        EXPECT_EQ(!english, child.IsShown("DifficultySelect/Title_SP"));
        EXPECT_EQ("Button_EasyDifficulty" + suffix, ImageListOf(child, "EasyButton"));
        EXPECT_EQ("Button_MedDifficulty" + suffix, ImageListOf(child, "MediumButton"));
        EXPECT_EQ("Button_HardDifficulty" + suffix, ImageListOf(child, "HardButton"));
        ASSERT_TRUE(WaitForPopup(child, "DifficultySelectMode"));
        EXPECT_TRUE(IsChecked(child, "MediumButton"));

        // Each choice is the level manager's at once.
        char const* const choices[] = {"EasyButton", "MediumButton", "HardButton"};
        for (int difficulty = 0; difficulty < 3; ++difficulty)
        {
            ASSERT_TRUE(child.Click(choices[difficulty]));
            EXPECT_EQ(difficulty, child.Look([] { return int(GetLevelManager()->getDifficulty()); }));
            ASSERT_TRUE(child.MoveMouseTo(40, 40));
            Screenshot(child, "difficulty_" + std::string(choices[difficulty]) + "_" + language);
        }

        // A game that cannot be made yet leaves the child on the popup, which still works.
        ASSERT_TRUE(child.Click("OkButton"));
        EXPECT_EQ(std::vector<int>{kGameModeType_TrundelsDelivery}, games.asked);
        ASSERT_TRUE(child.Frames(2));
        ASSERT_EQ((Screens{"MainMenuMode", "FreePlaySelectMode", "DifficultySelectMode"}), child.Screens());
        ASSERT_TRUE(child.Click("EasyButton"));
        EXPECT_EQ(kGameModeDifficulty_Easy, child.Look([] { return GetLevelManager()->getDifficulty(); }));

        // Once it can be made, OK leaves the game alone on the stack, at the difficulty chosen.
        games.start = true;
        ASSERT_TRUE(child.Click("OkButton"));
        ASSERT_EQ(Screens{"FrontEndPlay::GameStandIn"}, child.Screens());
        EXPECT_EQ(kGameModeType_TrundelsDelivery, child.Look([] { return Top<GameStandIn>()->type; }));
        EXPECT_EQ(kGameModeDifficulty_Easy, child.Look([] { return Top<GameStandIn>()->difficulty; }));
        EXPECT_TRUE(child.Look([] { return Top<GameStandIn>()->level.IsNull(); }));
        EXPECT_TRUE(child.Look([] { return GetLevelManager()->isFreePlay(); }));
    });
    EXPECT_NE(std::string::npos, driver.Log().find("DifficultySelectMode: FarmerBrambold is not available yet"))
        << driver.Log();
    EXPECT_TRUE(driver.Notifications().empty());
}

TEST_P(ProfileToGamePlay, TheStoryRunsFromTheDifficultyThroughTheIntroCutsceneToItsFirstGame)
{
    GameRequests games;
    games.install();
    driver.SetAccountValue("AccountID", "GrubbinButton");
    driver.StartWith([]() -> Corvane::ApplicationMode* { return new MainMenuMode(); });
    std::string const suffix = Suffix();
    std::string const language = Language();
    driver.Play([&](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
        ASSERT_TRUE(child.Wait(0.2f));
        ASSERT_TRUE(child.Click("StoryButton"));
        ASSERT_EQ((Screens{"MainMenuMode", "DifficultySelectMode"}), child.Screens());
        EXPECT_FALSE(child.Look([] { return GetLevelManager()->isFreePlay(); }));
        EXPECT_TRUE(child.Look([] { return Top<DifficultySelectMode>()->getGame().IsNull(); }));
        ASSERT_TRUE(WaitForPopup(child, "DifficultySelectMode"));
        ASSERT_TRUE(child.Click("HardButton"));

        // Two OKs before the change is applied start one story step.
        ClickInOneFrame(child, "OkButton", 2);
        ASSERT_TRUE(child.Within(Child::OnTop("CutsceneMode"), 0.1f));
        EXPECT_EQ(Screens{"CutsceneMode"}, child.Screens());
        EXPECT_EQ("0", AccountRecord(child.AccountFile(), "GrubbinButton_Progress"));
        EXPECT_EQ("Cutscene_Intro", child.Look([] {
            return std::string(Top<CutsceneMode>()->getCutsceneID().GetString());
        }));

        // The picture of the cutscene, its narration, no music, the skip button in the language.
        ASSERT_TRUE(child.Frames(2));
        std::vector<std::string> const playing = child.PlayingSounds();
        EXPECT_TRUE(Contains(playing, "Cutscene_Intro_VO"));
        EXPECT_FALSE(Contains(playing, "Music_TitleTheme"));
        EXPECT_FALSE(Contains(playing, "Music_GeneralUI"));
        EXPECT_FLOAT_EQ(800.0f, child.Look([] { return Child::FindNode("CutsceneRoot/CutsceneImage")->GetWidth(); }));
        EXPECT_EQ("Button_SkipCutscene" + suffix, ImageListOf(child, "CutsceneRoot/SkipButton"));
        ASSERT_TRUE(child.MoveMouseTo(400, 300));
        Screenshot(child, "cutscene_" + language);

        // The skip asks for the story's first game; not built yet, it leaves the skip working.
        ASSERT_TRUE(child.Click("OkButton"));
        EXPECT_EQ(std::vector<int>{kGameModeType_CountTheMaterials}, games.asked);
        ASSERT_TRUE(child.Frames(2));
        EXPECT_EQ(Screens{"CutsceneMode"}, child.Screens());
        EXPECT_FALSE(child.Look([] { return Top<CutsceneMode>()->isModeChangeQueued(); }));
        EXPECT_EQ("1", AccountRecord(child.AccountFile(), "GrubbinButton_Progress"));

        // The story passes the game that could not start; the next one starts at the difficulty chosen.
        games.start = true;
        ASSERT_TRUE(child.Click("OkButton"));
        ASSERT_EQ(Screens{"FrontEndPlay::GameStandIn"}, child.Screens());
        EXPECT_EQ(kGameModeType_HammerTheNail, child.Look([] { return Top<GameStandIn>()->type; }));
        EXPECT_EQ(kGameModeDifficulty_Hard, child.Look([] { return Top<GameStandIn>()->difficulty; }));
        EXPECT_FALSE(Contains(child.PlayingSounds(), "Cutscene_Intro_VO"));
    });
    EXPECT_EQ("2", AccountRecord(driver.AccountFile(), "GrubbinButton_Progress"));
}

INSTANTIATE_TEST_SUITE_P(Languages, ProfileToGamePlay, ::testing::Values(true, false),
                         [](::testing::TestParamInfo<bool> const& info) {
                             return std::string(info.param ? "English" : "Spanish");
                         });

} // namespace
