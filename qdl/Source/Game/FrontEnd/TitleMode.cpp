#include "qdl/Source/Game/FrontEnd/TitleMode.h"

#include "2DEngine/Source/Framework/Window.h"
#include "CorvaneExtensions/Source/ButtonNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/FrontEnd/AnimatedSignButton.h"
#include "qdl/Source/Game/FrontEnd/FrontEndScreens.h"
#include "qdl/Source/Game/FrontEnd/QuitConfirmMode.h"
#include "qdl/Source/Game/GameAudioManager.h"

using Corvane::Label;

namespace
{

NodePathElement const kEnglishLogoPath[] = {"TitleMainMenu", "GameLogo_EN", NodePathTerminator()};
NodePathElement const kSpanishLogoPath[] = {"TitleMainMenu", "GameLogo_SP", NodePathTerminator()};
NodePathElement const kPlayButtonPath[] = {"TitleMainMenu", "UI", "PlayButton", NodePathTerminator()};
NodePathElement const kSignPath[] = {"TitleMainMenu", "UI", "SignSwing", NodePathTerminator()};

} // namespace

TitleMode::TitleMode() : FrontEndMode("TitleMode") {}

void TitleMode::Setup()
{
    FrontEndMode::Setup();
    instantiateLayout("Title_YarrowfeteLayout");
    setDefaultCursor();
    Corvane::Window::EnableCustomCursor(true);
    wireAnimatedSignButton(GetObjectDatabase(), findNode<ButtonNode>(kPlayButtonPath),
                           findNode<AnimatedSpriteNode>(kSignPath));
}

void TitleMode::Enter()
{
    FrontEndMode::Enter();
    GetAudioManager()->setMusicMode(kMusicMode_GeneralUI, Label());

    static Label const playImages[2] = {Label::GetUniqueString("Button_MainMenu_Play_SP"),
                                        Label::GetUniqueString("Button_MainMenu_Play_EN")};
    static Label const signTypes[2] = {Label::GetUniqueString("PlayButtonAnimSpriteType_SP"),
                                       Label::GetUniqueString("PlayButtonAnimSpriteType_EN")};
    bool const english = isEnglishLanguage();
    showLanguageNode(findSceneNode(kEnglishLogoPath), findSceneNode(kSpanishLogoPath), english);
    setButtonImages(findNode<ButtonNode>(kPlayButtonPath), playImages[english]);
    startAnimatedSign(findNode<AnimatedSpriteNode>(kSignPath), signTypes[english]);

    static Label const welcome = Label::GetUniqueString("SFX_UI_WelcomePark");
    GetAudioManager()->playSpecificSoundVocal(welcome);
}

void TitleMode::Exit()
{
    GetAudioManager()->clearVocalAudioQueues();
}

void TitleMode::handleButtonClick(Label button)
{
    static ButtonTable<TitleMode> const buttons = {
        {"PlayButton", &TitleMode::openProfileSelection},
        {"OptionsButton", &TitleMode::openOptions},
        {"CreditsButton", &TitleMode::openCredits},
        {"QuitButton", &TitleMode::openQuitConfirmation},
    };
    buttons.dispatch(this, button);
}

void TitleMode::openProfileSelection()
{
    if (isScreenContentLoaded(L"ProfileSelect", L"the profile selection"))
        pushScreen(newProfileSelectionScreen(), "the profile selection");
}

void TitleMode::openOptions()
{
    pushScreen(newOptionsScreen(), "the options screen");
}

void TitleMode::openCredits()
{
    pushScreen(newCreditsScreen(), "the credits screen");
}

void TitleMode::openQuitConfirmation()
{
    pushScreen(new QuitConfirmMode(false), "the quit confirmation");
}
