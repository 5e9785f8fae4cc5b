// The real game played from its start over the build's content, as a child
// would: the title screen with its swinging sign, the quit confirmation
// answered No and then Yes, and what the game asked to hear and left in the
// player's account on the way.
//
// Set QDL_TITLE_SCREENSHOT or QDL_QUIT_SCREENSHOT to a file path to keep a
// picture of the title or of the quit question over it (PNG).

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/Account.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "CorvaneExtensions/Source/ButtonNode.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "CorvaneExtensions/Source/SpriteType.h"
#include "CorvaneExtensions/Source/TextSpriteNodes.h"
#include "qdl/Source/Game/FrontEnd/QuitConfirmMode.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"

using GameDriver::Child;
using GameDriver::sSoundPlay;

namespace
{

typedef std::vector<std::string> Screens;

class TitleScreenPlay : public GameDriver::PlayTest
{
};

using GameDriver::CountPlays;

bool Contains(std::vector<std::string> const& names, std::string const& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The quit confirmation on top, or null; on the loop's thread.
QuitConfirmMode* TopQuitConfirmation()
{
    return dynamic_cast<QuitConfirmMode*>(Corvane::MainLoop::GetTopMostMode(0));
}

// Until the popup has slid in and bounced, when its buttons start to act.
bool WaitForPopupToSettle(Child& child)
{
    return child.WaitUntil(
        [] {
            QuitConfirmMode const* const popup = TopQuitConfirmation();
            return popup && !popup->isIgnoringMouseClicks();
        },
        "the popup to come to rest");
}

std::string ImageListOf(Child& child, std::string const& button)
{
    return child.Look([&button] {
        ButtonNode const* const node = dynamic_cast<ButtonNode*>(Child::FindNode(button));
        Corvane::IResourceDescriptor const* const list =
            node ? dynamic_cast<Corvane::IResourceDescriptor const*>(node->GetImages()) : nullptr;
        return std::string(list ? list->GetName().GetString() : "");
    });
}

std::string SpriteTypeOf(Child& child, std::string const& sprite)
{
    return child.Look([&sprite] {
        AnimatedSpriteNode const* const node = dynamic_cast<AnimatedSpriteNode*>(Child::FindNode(sprite));
        Corvane::IResourceDescriptor const* const type =
            node ? dynamic_cast<Corvane::IResourceDescriptor const*>(node->GetSpriteType()) : nullptr;
        return std::string(type ? type->GetName().GetString() : "");
    });
}

TEST_F(TitleScreenPlay, AChildPointsAtTheSignOpensTheQuitQuestionSaysNoThenYesAndTheGameEnds)
{
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TitleMode"));
        EXPECT_EQ(Screens{"TitleMode"}, child.Screens());
        // The title greets the player over its music, in English when the account says nothing.
        ASSERT_TRUE(child.Wait(0.2f));
        EXPECT_TRUE(Contains(child.PlayingSounds(), "Music_GeneralUI"));
        EXPECT_TRUE(Contains(child.PlayingSounds(), "SFX_UI_WelcomePark"));
        EXPECT_TRUE(child.IsShown("TitleMainMenu/GameLogo_EN"));
        EXPECT_FALSE(child.IsShown("TitleMainMenu/GameLogo_SP"));
        EXPECT_EQ("Button_MainMenu_Play_EN", ImageListOf(child, "PlayButton"));
        EXPECT_EQ("PlayButtonAnimSpriteType_EN", SpriteTypeOf(child, "TitleMainMenu/UI/SignSwing"));
        EXPECT_TRUE(child.Look([] { return Corvane::Window::IsCustomCursorEnabled(); }));

        // The sign swings where the play button waits, transparent.
        EXPECT_TRUE(child.IsShown("TitleMainMenu/UI/SignSwing"));
        EXPECT_FLOAT_EQ(0.0f, child.Alpha("TitleMainMenu/UI/PlayButton"));
        int const firstFrame = child.Look([] {
            return dynamic_cast<AnimatedSpriteNode*>(Child::FindNode("SignSwing"))->GetImageIndex();
        });
        ASSERT_TRUE(child.Wait(0.25f));
        EXPECT_NE(firstFrame, child.Look([] {
            return dynamic_cast<AnimatedSpriteNode*>(Child::FindNode("SignSwing"))->GetImageIndex();
        })) << "the sign does not swing";

        // The arrow, drawn by the game, follows the mouse.
        ASSERT_TRUE(child.MoveMouseTo(560, 420));
        if (char const* const path = std::getenv("QDL_TITLE_SCREENSHOT"))
        {
            EXPECT_TRUE(child.SaveScreenshot(path));
        }

        // Under the mouse the sign becomes the play button, and back when the mouse leaves.
        ASSERT_TRUE(child.MoveMouseTo("TitleMainMenu/UI/PlayButton"));
        EXPECT_FALSE(child.IsShown("TitleMainMenu/UI/SignSwing"));
        EXPECT_FLOAT_EQ(1.0f, child.Alpha("TitleMainMenu/UI/PlayButton"));
        ASSERT_TRUE(child.MoveMouseTo(420, 560));
        EXPECT_TRUE(child.IsShown("TitleMainMenu/UI/SignSwing"));
        EXPECT_FLOAT_EQ(0.0f, child.Alpha("TitleMainMenu/UI/PlayButton"));

        // The quit button asks first.
        ASSERT_TRUE(child.Click("QuitButton"));
        EXPECT_EQ((Screens{"TitleMode", "QuitConfirmMode"}), child.Screens());
        ASSERT_TRUE(child.Frames(1));
        EXPECT_FALSE(Contains(child.PlayingSounds(), "SFX_UI_WelcomePark"));
        EXPECT_TRUE(Contains(child.PlayingSounds(), "SFX_UI_QuitConfirm"));
        EXPECT_EQ(L"Do you want to stop playing?", child.Look([] {
            return dynamic_cast<StyledTextSpriteNode*>(Child::FindNode("Quit/Text_QuitConfirm"))->GetText();
        }));
        EXPECT_TRUE(child.IsShown("Quit/Title_EN"));
        EXPECT_FALSE(child.IsShown("Quit/Title_SP"));
        EXPECT_EQ("Button_UI_Yes_EN", ImageListOf(child, "YesButton"));

        ASSERT_TRUE(WaitForPopupToSettle(child));
        if (char const* const path = std::getenv("QDL_QUIT_SCREENSHOT"))
        {
            EXPECT_TRUE(child.SaveScreenshot(path));
        }
        // The window has come to rest where the layout puts it.
        EXPECT_FLOAT_EQ(120.0f, child.Look([] { return Child::FindNode("Quit")->LocalGetLocation().y; }));
        ASSERT_TRUE(child.Click("NoButton"));
        EXPECT_EQ(Screens{"TitleMode"}, child.Screens());
        ASSERT_TRUE(child.Frames(1));
        // Back on the title the welcome is said again over music that never stopped.
        EXPECT_TRUE(Contains(child.PlayingSounds(), "SFX_UI_WelcomePark"));
        EXPECT_TRUE(Contains(child.PlayingSounds(), "Music_GeneralUI"));

        ASSERT_TRUE(child.Click("QuitButton"));
        ASSERT_TRUE(WaitForPopupToSettle(child));
        child.Click("YesButton");
        EXPECT_TRUE(child.HasEnded());
    });

    EXPECT_TRUE(driver.EndedByQuit());
    EXPECT_EQ(1, driver.QuitRequests());
    EXPECT_TRUE(driver.Notifications().empty());

    std::vector<sSoundPlay> const plays = driver.Sounds();
    ASSERT_EQ(1, CountPlays(plays, "Music_GeneralUI"));
    auto const music = std::find_if(plays.begin(), plays.end(),
                                    [](sSoundPlay const& play) { return play.sound == "Music_GeneralUI"; });
    EXPECT_EQ("Music", music->kind);
    EXPECT_EQ(0, music->loops) << "the music loops for as long as it plays";
    EXPECT_EQ(2, CountPlays(plays, "SFX_UI_WelcomePark"));
    EXPECT_EQ(2, CountPlays(plays, "SFX_UI_QuitConfirm"));
    // Every sound asked for is a resource of its own name.
    EXPECT_EQ(0, CountPlays(plays, ""));

    std::string const account = driver.AccountFile();
    EXPECT_TRUE(GameDriver::HasAccountRecord(account, "Corvane::Window::Mode", "0")) << account;
    EXPECT_TRUE(GameDriver::HasAccountRecord(account, "Corvane::Window::IsCustomCursorEnabled", "true")) << account;
    for (char const* controls : {"Master", "Sfx", "Ambient", "Music"})
    {
        std::string const name = std::string("Corvane::Audio::") + controls + "Controls";
        EXPECT_FALSE(GameDriver::AccountRecord(account, name + "::Volume").empty()) << name << "\n" << account;
        EXPECT_TRUE(GameDriver::HasAccountRecord(account, name + "::IsMuted", "false")) << name << "\n" << account;
    }
}

TEST_F(TitleScreenPlay, ASpanishPlayerSeesSpanishAndTheTitleFollowsALanguageChangedWhileThePopupIsOpen)
{
    driver.SetAccountValue("EnglishLanguage", "false");
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TitleMode"));
        EXPECT_FALSE(child.IsShown("TitleMainMenu/GameLogo_EN"));
        EXPECT_TRUE(child.IsShown("TitleMainMenu/GameLogo_SP"));
        EXPECT_EQ("Button_MainMenu_Play_SP", ImageListOf(child, "PlayButton"));
        EXPECT_EQ("PlayButtonAnimSpriteType_SP", SpriteTypeOf(child, "TitleMainMenu/UI/SignSwing"));

        ASSERT_TRUE(child.Click("QuitButton"));
        ASSERT_EQ("QuitConfirmMode", child.TopScreen());
        EXPECT_EQ(L"\u00bfQuieres dejar de jugar?", child.Look([] {
            return dynamic_cast<StyledTextSpriteNode*>(Child::FindNode("Quit/Text_QuitConfirm"))->GetText();
        }));
        EXPECT_FALSE(child.IsShown("Quit/Title_EN"));
        EXPECT_TRUE(child.IsShown("Quit/Title_SP"));
        EXPECT_EQ("Button_UI_Yes_SP", ImageListOf(child, "YesButton"));

        // Someone switches the language meanwhile: the title reads it again when it is back on top.
        child.RunOnLoop([] { Corvane::GetAccountManager()->GetCurrentAccount()->WriteValue(L"EnglishLanguage", true); });
        ASSERT_TRUE(WaitForPopupToSettle(child));
        ASSERT_TRUE(child.Click("NoButton"));
        ASSERT_EQ("TitleMode", child.TopScreen());
        EXPECT_TRUE(child.IsShown("TitleMainMenu/GameLogo_EN"));
        EXPECT_FALSE(child.IsShown("TitleMainMenu/GameLogo_SP"));
        EXPECT_EQ("Button_MainMenu_Play_EN", ImageListOf(child, "PlayButton"));
        EXPECT_EQ("PlayButtonAnimSpriteType_EN", SpriteTypeOf(child, "TitleMainMenu/UI/SignSwing"));
    });
    EXPECT_FALSE(driver.EndedByQuit());
    // The Spanish voices were loaded; their names are the English ones.
    EXPECT_EQ(1, CountPlays(driver.Sounds(), "SFX_UI_QuitConfirm"));
    EXPECT_NE(std::string::npos, driver.Log().find("AudioResources_SP")) << driver.Log();
}

} // namespace
