#include "qdl/Source/Game/FrontEnd/MainMenuMode.h"

#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "CorvaneExtensions/Source/ButtonNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/FrontEnd/AnimatedSignButton.h"
#include "qdl/Source/Game/FrontEnd/DifficultySelectMode.h"
#include "qdl/Source/Game/FrontEnd/FreePlaySelectMode.h"
#include "qdl/Source/Game/FrontEnd/FrontEndScreens.h"
#include "qdl/Source/Game/FrontEnd/QuitConfirmMode.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameScreenHooks.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/LevelProgressionData.h"
#include "qdl/Source/Game/StickerManager.h"

using Corvane::Label;

namespace
{

NodePathElement const kEnglishLogoPath[] = {"TitleMainMenu", "GameLogo_EN", NodePathTerminator()};
NodePathElement const kSpanishLogoPath[] = {"TitleMainMenu", "GameLogo_SP", NodePathTerminator()};
NodePathElement const kStoryButtonPath[] = {"TitleMainMenu", "UI", "StoryButton", NodePathTerminator()};
NodePathElement const kStickerBookButtonPath[] = {"TitleMainMenu", "UI", "StickerBookButton", NodePathTerminator()};
NodePathElement const kFreePlayButtonPath[] = {"TitleMainMenu", "UI", "FreePlayButton", NodePathTerminator()};
NodePathElement const kSignPath[] = {"TitleMainMenu", "UI", "SignSwing", NodePathTerminator()};

} // namespace

MainMenuMode::MainMenuMode() : FrontEndMode("MainMenuMode") {}

Corvane::MessageResult MainMenuMode::OnKeyDown(int key)
{
    return Corvane::ObjectDatabase::OnKeyDown(key);
}

void MainMenuMode::Setup()
{
    FrontEndMode::Setup();
    instantiateLayout("MainMenu_YarrowfeteLayout");
    GetStickerManager()->loadUnlockedStickerData();
    wireAnimatedSignButton(GetObjectDatabase(), findNode<ButtonNode>(kStoryButtonPath),
                           findNode<AnimatedSpriteNode>(kSignPath));
}

void MainMenuMode::Enter()
{
    FrontEndMode::Enter();
    GetAudioManager()->setMusicMode(kMusicMode_TitleScreen, Label());
    setDefaultCursor();

    static Label const storyImages[2] = {Label::GetUniqueString("Button_MainMenu_Story_SP"),
                                         Label::GetUniqueString("Button_MainMenu_Story_EN")};
    static Label const stickerBookImages[2] = {Label::GetUniqueString("Button_MainMenu_StickerBook_SP"),
                                               Label::GetUniqueString("Button_MainMenu_StickerBook_EN")};
    static Label const freePlayImages[2] = {Label::GetUniqueString("Button_MainMenu_FreePlay_SP"),
                                            Label::GetUniqueString("Button_MainMenu_FreePlay_EN")};
    static Label const signTypes[2] = {Label::GetUniqueString("StoryButtonAnimSpriteType_SP"),
                                       Label::GetUniqueString("StoryButtonAnimSpriteType_EN")};
    bool const english = isEnglishLanguage();
    showLanguageNode(findSceneNode(kEnglishLogoPath), findSceneNode(kSpanishLogoPath), english);
    setButtonImages(findNode<ButtonNode>(kStoryButtonPath), storyImages[english]);
    setButtonImages(findNode<ButtonNode>(kStickerBookButtonPath), stickerBookImages[english]);
    setButtonImages(findNode<ButtonNode>(kFreePlayButtonPath), freePlayImages[english]);
    startAnimatedSign(findNode<AnimatedSpriteNode>(kSignPath), signTypes[english]);
}

void MainMenuMode::handleButtonClick(Label button)
{
    static ButtonTable<MainMenuMode> const buttons = {
        {"StoryButton", &MainMenuMode::startStory},
        {"FreePlayButton", &MainMenuMode::openFreePlay},
        {"OptionsButton", &MainMenuMode::openOptions},
        {"CreditsButton", &MainMenuMode::openCredits},
        {"StickerBookButton", &MainMenuMode::openStickerBook},
        {"QuitButton", &MainMenuMode::openQuitConfirmation},
    };
    buttons.dispatch(this, button);
}

void MainMenuMode::startStory()
{
    static Label const story = Label::GetUniqueString("ParkStory");
    // Checked before the level manager is touched: a story cut short would end
    // early and start over at its first step.
    if (!isScreenContentLoaded(L"LevelProgressionPark", L"the story"))
        return;
    if (!Corvane::AutoResource<LevelProgressionData>(story))
    {
        notifyLoadError(L"LevelProgressionPark", L"The story \"ParkStory\" is not in the file, so it cannot be "
                                                 L"played.");
        return;
    }
    LevelManager* const levels = GetLevelManager();
    levels->setFreePlay(false);
    levels->setLevelProgression(story);
    pushScreen(new DifficultySelectMode(Label()), "the difficulty selection");
}

void MainMenuMode::openFreePlay()
{
    pushScreen(new FreePlaySelectMode(), "the free-play selection");
}

void MainMenuMode::openOptions()
{
    pushScreen(newOptionsScreen(), "the options screen");
}

void MainMenuMode::openCredits()
{
    pushScreen(newCreditsScreen(), "the credits screen");
}

void MainMenuMode::openStickerBook()
{
    if (!isScreenContentLoaded(L"StickerBook", L"the sticker book"))
        return;
    sGameScreenHooks const& hooks = GetGameScreenHooks();
    pushScreen(hooks.createStickerBookMode ? hooks.createStickerBookMode() : nullptr, "the sticker book");
}

void MainMenuMode::openQuitConfirmation()
{
    pushScreen(new QuitConfirmMode(false), "the quit confirmation");
}
