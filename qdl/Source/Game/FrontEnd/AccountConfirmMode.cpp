#include "qdl/Source/Game/FrontEnd/AccountConfirmMode.h"

#include "CorvaneExtensions/Source/ButtonNode.h"
#include "CorvaneExtensions/Source/TextSpriteNodes.h"
#include "qdl/Source/Game/FrontEnd/FrontEndScreens.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/StickerManager.h"

using Corvane::Label;

namespace
{

NodePathElement const kEnglishTitlePath[] = {"ProfileConfirm", "ProfileConfirm_Title", NodePathTerminator()};
NodePathElement const kSpanishTitlePath[] = {"ProfileConfirm", "ProfileConfirm_Title_SP", NodePathTerminator()};
NodePathElement const kQuestionPath[] = {"ProfileConfirm", "ProfileConfirmText", NodePathTerminator()};
NodePathElement const kNewGamePath[] = {"ProfileConfirm", "NewGame", NodePathTerminator()};
NodePathElement const kContinuePath[] = {"ProfileConfirm", "Continue", NodePathTerminator()};

} // namespace

AccountConfirmMode::AccountConfirmMode() : PopupMode("AccountConfirmMode") {}

void AccountConfirmMode::Setup()
{
    PopupMode::Setup();
    instantiatePopupLayout("ProfileConfirmLayout");
}

void AccountConfirmMode::Destroy() {}

void AccountConfirmMode::Enter()
{
    PopupMode::Enter();
    GetAudioManager()->setMusicMode(kMusicMode_GeneralUI, Label());
    setDefaultCursor();

    static Label const newGameImages[2] = {Label::GetUniqueString("Button_Profile_NewGame_SP"),
                                           Label::GetUniqueString("Button_Profile_NewGame_EN")};
    static Label const continueImages[2] = {Label::GetUniqueString("Button_Profile_Continue_SP"),
                                            Label::GetUniqueString("Button_Profile_Continue_EN")};
    static Label const questions[2] = {Label::GetUniqueString("ProfileConfirm_SP"),
                                       Label::GetUniqueString("ProfileConfirm_EN")};
    bool const english = isEnglishLanguage();
    showLanguageNode(findSceneNode(kEnglishTitlePath), findSceneNode(kSpanishTitlePath), english);
    setButtonImages(findNode<ButtonNode>(kNewGamePath), newGameImages[english]);
    setButtonImages(findNode<ButtonNode>(kContinuePath), continueImages[english]);
    setTextFromConstant(findNode<StyledTextSpriteNode>(kQuestionPath), questions[english]);

    static Label const question = Label::GetUniqueString("SFX_UI_ContinueNewGame");
    GetAudioManager()->playSpecificSoundVocal(question);
}

void AccountConfirmMode::Exit()
{
    GetAudioManager()->clearVocalAudioQueues();
}

void AccountConfirmMode::handleButtonClick(Label button)
{
    static ButtonTable<AccountConfirmMode> const buttons = {
        {"NewGame", &AccountConfirmMode::startNewGame},
        {"Continue", &AccountConfirmMode::continueGame},
    };
    buttons.dispatch(this, button);
}

void AccountConfirmMode::startNewGame()
{
    Corvane::ApplicationMode* const menu = newMainMenuScreen();
    // Without a main menu to go to, the profile is left as it was.
    if (menu)
    {
        GetStickerManager()->resetUnlockedStickerData();
        GetLevelManager()->resetLevelProgress();
    }
    unwindToScreen(menu, "the main menu");
}

void AccountConfirmMode::continueGame()
{
    unwindToScreen(newMainMenuScreen(), "the main menu");
}
