#include "qdl/Source/Game/FrontEnd/DifficultySelectMode.h"

#include "Core/Source/Log.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "CorvaneExtensions/Source/RadioButtonNode.h"
#include "CorvaneExtensions/Source/TextSpriteNodes.h"
#include "qdl/Source/Game/FrontEnd/FreePlayGames.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameScreenHooks.h"
#include "qdl/Source/Game/LevelManager.h"

using Corvane::Label;

namespace
{

NodePathElement const kEnglishTitlePath[] = {"DifficultySelect", "Title_EN", NodePathTerminator()};
NodePathElement const kSpanishTitlePath[] = {"DifficultySelect", "Title_SP", NodePathTerminator()};
NodePathElement const kPromptPath[] = {"DifficultySelect", "ChooseDifficultyText", NodePathTerminator()};

// By difficulty: Easy, Medium, Hard.
char const* const kRadioNames[kNumGameModeDifficulties] = {"EasyButton", "MediumButton", "HardButton"};
NodePathElement const kRadioPaths[kNumGameModeDifficulties][3] = {
    {"DifficultySelect", "EasyButton", NodePathTerminator()},
    {"DifficultySelect", "MediumButton", NodePathTerminator()},
    {"DifficultySelect", "HardButton", NodePathTerminator()},
};

Label radioName(int difficulty)
{
    static Label const labels[kNumGameModeDifficulties] = {Label::GetUniqueString(kRadioNames[0]),
                                                           Label::GetUniqueString(kRadioNames[1]),
                                                           Label::GetUniqueString(kRadioNames[2])};
    return labels[difficulty];
}

bool isRadioClick(Corvane::ObjectMessage const& message)
{
    static Label const label = Label::GetUniqueString("RadioButtonClick");
    return message.message == label;
}

} // namespace

DifficultySelectMode::DifficultySelectMode(Label game) : PopupMode("DifficultySelectMode"), game(game) {}

void DifficultySelectMode::Setup()
{
    PopupMode::Setup();
    instantiatePopupLayout("DifficultySelectLayout");
    showCurrentDifficulty();
}

void DifficultySelectMode::Destroy() {}

void DifficultySelectMode::Enter()
{
    PopupMode::Enter();
    GetAudioManager()->setMusicMode(kMusicMode_GeneralUI, Label());
    setDefaultCursor();

    static Label const prompts[2] = {Label::GetUniqueString("DifficultySelect_SP"),
                                     Label::GetUniqueString("DifficultySelect_EN")};
    // Hard, Medium, Easy: the order in which the images are given.
    static Label const images[2][kNumGameModeDifficulties] = {
        {Label::GetUniqueString("Button_HardDifficulty_SP"), Label::GetUniqueString("Button_MedDifficulty_SP"),
         Label::GetUniqueString("Button_EasyDifficulty_SP")},
        {Label::GetUniqueString("Button_HardDifficulty_EN"), Label::GetUniqueString("Button_MedDifficulty_EN"),
         Label::GetUniqueString("Button_EasyDifficulty_EN")}};
    bool const english = isEnglishLanguage();
    setTextFromConstant(findNode<StyledTextSpriteNode>(kPromptPath), prompts[english]);
    showLanguageNode(findSceneNode(kEnglishTitlePath), findSceneNode(kSpanishTitlePath), english);
    for (int i = 0; i < kNumGameModeDifficulties; ++i)
    {
        RadioButtonNode* const radio = findNode<RadioButtonNode>(kRadioPaths[kGameModeDifficulty_Hard - i]);
        if (!radio)
            continue;
        Corvane::AutoResource<Corvane::IImageList> const list(images[english][i]);
        if (list)
            radio->SetImages(list.Get(), 0.0f);
        else
            Corvane::Internal::LogWrite("DifficultySelectMode: the image list \"%s\" is not loaded\n",
                                        images[english][i].GetString());
    }

    static Label const prompt = Label::GetUniqueString("SFX_UI_ChooseDifficulty");
    GetAudioManager()->playSpecificSoundVocal(prompt);
}

void DifficultySelectMode::Exit()
{
    GetAudioManager()->clearVocalAudioQueues();
}

void DifficultySelectMode::handleBlockedMessage(Corvane::ObjectMessage const&)
{
    // A radio button checks itself before it sends its click: show the stored choice again.
    showCurrentDifficulty();
}

void DifficultySelectMode::handleOtherMessage(Corvane::ObjectMessage const& message)
{
    if (!isRadioClick(message))
        return;
    // Once the game is on its way its difficulty stays the one it was started with.
    if (isModeChangeQueued())
    {
        showCurrentDifficulty();
        return;
    }
    Corvane::Object const* const sender = GetObject(message.sender);
    if (!sender)
        return;
    for (int i = 0; i < kNumGameModeDifficulties; ++i)
        if (sender->GetName() == radioName(i))
        {
            GetLevelManager()->setDifficulty(static_cast<GameModeDifficulty>(i));
            return;
        }
}

void DifficultySelectMode::handleButtonClick(Label button)
{
    static ButtonTable<DifficultySelectMode> const buttons = {
        {"OkButton", &DifficultySelectMode::confirmDifficulty},
    };
    buttons.dispatch(this, button);
}

void DifficultySelectMode::confirmDifficulty()
{
    if (game.IsNull())
    {
        startNextStoryStep();
        return;
    }
    int const type = getFreePlayGameType(game);
    if (type < 0)
    {
        Corvane::Internal::LogWrite("DifficultySelectMode: no game is named \"%s\"\n", game.GetString());
        return;
    }
    sGameScreenHooks const& hooks = GetGameScreenHooks();
    Corvane::ApplicationMode* const mode =
        hooks.createGameMode ? hooks.createGameMode(static_cast<GameModeType>(type), Label()) : nullptr;
    unwindToScreen(mode, game.GetString());
}

void DifficultySelectMode::showCurrentDifficulty()
{
    int const difficulty = GetLevelManager()->getDifficulty();
    for (int i = 0; i < kNumGameModeDifficulties; ++i)
    {
        RadioButtonNode* const radio = dynamic_cast<RadioButtonNode*>(GetNamedObject(radioName(i)));
        if (radio)
            radio->SetCheck(i == difficulty);
    }
}
