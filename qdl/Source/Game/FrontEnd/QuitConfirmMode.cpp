#include "qdl/Source/Game/FrontEnd/QuitConfirmMode.h"

#include <string>

#include "2DEngine/Source/Framework/Constant.h"
#include "CorvaneExtensions/Source/ButtonNode.h"
#include "CorvaneExtensions/Source/TextSpriteNodes.h"
#include "qdl/Source/Game/FrontEnd/FrontEndScreens.h"
#include "qdl/Source/Game/GameAudioManager.h"

using Corvane::Label;

namespace
{

NodePathElement const kQuestionPath[] = {"Quit", "Text_QuitConfirm", NodePathTerminator()};
NodePathElement const kEnglishTitlePath[] = {"Quit", "Title_EN", NodePathTerminator()};
NodePathElement const kSpanishTitlePath[] = {"Quit", "Title_SP", NodePathTerminator()};
NodePathElement const kYesButtonPath[] = {"Quit", "YesButton", NodePathTerminator()};

} // namespace

QuitConfirmMode::QuitConfirmMode(bool inGame) : PopupMode("QuitConfirmMode"), inGame(inGame) {}

void QuitConfirmMode::Setup()
{
    PopupMode::Setup();
    instantiatePopupLayout("QuitLayout");
}

void QuitConfirmMode::Destroy() {}

void QuitConfirmMode::Enter()
{
    PopupMode::Enter();
    // Over a mini-game this replaces the game's own cursor.
    setDefaultCursor();

    static Label const questions[2] = {Label::GetUniqueString("QuitConfirmText_SP"),
                                       Label::GetUniqueString("QuitConfirmText_EN")};
    static Label const yesImages[2] = {Label::GetUniqueString("Button_UI_Yes_SP"),
                                       Label::GetUniqueString("Button_UI_Yes_EN")};
    bool const english = isEnglishLanguage();
    if (StyledTextSpriteNode* const question = findNode<StyledTextSpriteNode>(kQuestionPath))
    {
        Corvane::Constant<std::wstring> const text(questions[english]);
        if (text.IsValid())
            question->SetText(text);
    }
    showLanguageNode(findSceneNode(kEnglishTitlePath), findSceneNode(kSpanishTitlePath), english);
    setButtonImages(findNode<ButtonNode>(kYesButtonPath), yesImages[english]);

    static Label const question = Label::GetUniqueString("SFX_UI_QuitConfirm");
    GetAudioManager()->playSpecificSoundVocal(question);
}

void QuitConfirmMode::Exit()
{
    GetAudioManager()->clearVocalAudioQueues();
}

void QuitConfirmMode::handleButtonClick(Label button)
{
    static ButtonTable<QuitConfirmMode> const buttons = {
        {"YesButton", &QuitConfirmMode::confirmQuit},
        {"NoButton", &QuitConfirmMode::cancelQuit},
    };
    buttons.dispatch(this, button);
}

void QuitConfirmMode::confirmQuit()
{
    if (inGame)
        unwindToScreen(newMainMenuScreen(), "the main menu");
    else
        requestQuit();
}

void QuitConfirmMode::cancelQuit()
{
    popScreen();
}
