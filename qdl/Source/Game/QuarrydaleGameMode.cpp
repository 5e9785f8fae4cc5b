#include "qdl/Source/Game/QuarrydaleGameMode.h"

#include <algorithm>
#include <exception>
#include <string>
#include <vector>

#include "Core/Source/Log.h"
#include "Core/Source/StringUtils.h"
#include "Core/Source/Vector2.h"
#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Platform/MacOSX/PlatformServices.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "CorvaneExtensions/Source/SceneLayout.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/FennInstructionMode.h"
#include "qdl/Source/Game/FrontEnd/FrontEndMode.h"
#include "qdl/Source/Game/FrontEnd/FrontEndScreens.h"
#include "qdl/Source/Game/FrontEnd/QuitConfirmMode.h"
#include "qdl/Source/Game/FrontEnd/StickerUnlockMode.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameConstants.h"
#include "qdl/Source/Game/GameScreenHooks.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"
#include "qdl/Source/Game/StickerManager.h"

using Corvane::Label;

namespace
{

NodePathElement const kHelpButtonPath[] = {"HelpButton", NodePathTerminator()};
NodePathElement const kQuitButtonPath[] = {"QuitButton", NodePathTerminator()};

// The free-play selection, else the main menu: a won game must never leave the child on it.
Corvane::ApplicationMode* newScreenAfterFreePlayGame()
{
    sGameScreenHooks const& hooks = GetGameScreenHooks();
    if (Corvane::ApplicationMode* const select = hooks.createFreePlaySelectMode ? hooks.createFreePlaySelectMode()
                                                                                : nullptr)
        return select;
    Corvane::Internal::LogWrite("The free-play selection is not available; back to the main menu\n");
    return newMainMenuScreen();
}

// Which level was asked for (or, when none was found, the difficulty) and the manifest that should hold it.
void logLevelNotFound(char const* modeClass, Label level)
{
    std::string const manifest = std::string(modeClass) + ".xml";
    if (level.IsNull())
        Corvane::Internal::LogWrite("%s: %s has no %s level that could be read\n", modeClass, manifest.c_str(),
                                    kGameModeDifficultyNames[GetLevelManager()->getDifficulty()]);
    else
        Corvane::Internal::LogWrite("%s: the level \"%s\" is missing from %s or could not be read\n", modeClass,
                                    level.GetString(), manifest.c_str());
}

} // namespace

QuarrydaleGameMode::QuarrydaleGameMode()
    : outroStarted(false), hintLevel(0), sequenceObjectID(Corvane::kInvalidObjectID),
      hintTimerObjectID(Corvane::kInvalidObjectID), introState(kIntroFennState_Standing), overlayQueued(false),
      levelEnded(false)
{
    sequenceObjectID = AddObject(new Corvane::Object());
    hintTimerObjectID = AddObject(new Corvane::Object());
}

QuarrydaleGameMode::~QuarrydaleGameMode() {}

Corvane::Object* QuarrydaleGameMode::getSequenceObject() const
{
    return GetObject(sequenceObjectID);
}

Corvane::Object* QuarrydaleGameMode::getHintTimerObject() const
{
    return GetObject(hintTimerObjectID);
}

void QuarrydaleGameMode::setupInstructionMode(Label game, IntroFennState pose, bool showInstructions)
{
    gameName = game;
    introState = pose;
    if (showInstructions)
        Corvane::MainLoop::PushMode(new FennInstructionMode(gameName, introState));
    showUIButtons();
}

void QuarrydaleGameMode::showUIButtons()
{
    SceneNode* const root = GetRootNode();
    SceneNode* const attach = root ? root->GetDescendent(kUIAttachPath) : nullptr;
    if (!attach)
    {
        Corvane::Internal::LogWrite("%s: the layout has no GameScreenRoot/UI_attach for Help and Quit\n",
                                    gameName.IsNull() ? "A mini-game" : gameName.GetString());
        return;
    }
    for (NodePathElement const* path : {kHelpButtonPath, kQuitButtonPath})
    {
        if (SceneNode* const button = attach->GetDescendent(path))
            button->LocalSetVisible(true);
        else
            Corvane::Internal::LogWrite("%s: the layout has no %s under GameScreenRoot/UI_attach\n",
                                        gameName.IsNull() ? "A mini-game" : gameName.GetString(),
                                        describeNodePath(path).c_str());
    }
}

void QuarrydaleGameMode::levelNotFound(char const* modeClass, Label level, Label game, IntroFennState pose)
{
    logLevelNotFound(modeClass, level);
    Corvane::Platform::ModalNotification(levelNotFoundMessage(modeClass), L"");
    setupInstructionMode(game, pose, false);
}

void QuarrydaleGameMode::setupMouseInputEatingNode(SceneNode* node)
{
    if (!node)
        return;
    node->SetHitTest(true);
    node->mouseDownSignal.connect([this](SceneNode*, Corvane::MouseButton, int, int) { eatMouseInput(); });
    node->mouseEnterSignal.connect([this](SceneNode*) { eatMouseInput(); });
    node->mouseExitSignal.connect([this](SceneNode*) { eatMouseInput(); });
    node->mouseUpSignal.connect([this](SceneNode*, Corvane::MouseButton, int, int) { eatMouseInput(); });
}

void QuarrydaleGameMode::resetHintTimer(int level)
{
    hintLevel = level;
    Corvane::Object* const timer = getHintTimerObject();
    if (!timer)
        return;
    timer->RemoveAllTasks();
    timer->AddTask(new Corvane::TimedTask(hintLevel > 1 ? kLaterHintDelay : kFirstHintDelay));
    timer->AddTask(new SimpleFunctionTask<QuarrydaleGameMode>([this](QuarrydaleGameMode*, float) { playHint(); }));
}

void QuarrydaleGameMode::playHint()
{
    GetAudioManager()->playAudioGameHint(gameName, hintLevel);
    resetHintTimer(hintLevel);
}

void QuarrydaleGameMode::endLevel()
{
    // A second call would hand out a second sticker and start a second next step.
    if (levelEnded)
        return;
    levelEnded = true;

    int const sticker = GetStickerManager()->unlockRandomSticker();
    if (sticker != StickerManager::kAlreadyComplete)
    {
        // Help or Quit pushed in the same frame would land over the reward.
        overlayQueued = true;
        Corvane::MainLoop::PushMode(new StickerUnlockMode(sticker));
        return;
    }
    if (!GetLevelManager()->isFreePlay())
    {
        // A step that started nothing leaves Help and Quit working.
        overlayQueued = GetLevelManager()->beginNextLevelProgressionMode();
        return;
    }
    if (Corvane::ApplicationMode* const next = newScreenAfterFreePlayGame())
    {
        overlayQueued = true;
        Corvane::MainLoop::UnwindToMode(next);
    }
    else
        Corvane::Internal::LogWrite("%s: no screen to go on to after the level; Quit still leaves\n",
                                    gameName.IsNull() ? "A mini-game" : gameName.GetString());
}

void QuarrydaleGameMode::ReceiveMessage(Corvane::ObjectMessage const& message)
{
    static Label const buttonClick = Label::GetUniqueString("ButtonClick");
    static Label const quitButton = Label::GetUniqueString("QuitButton");
    static Label const helpButton = Label::GetUniqueString("HelpButton");
    SceneApplicationMode::ReceiveMessage(message);
    if (message.message != buttonClick || overlayQueued)
        return;
    Corvane::Object const* const sender = GetObject(message.sender);
    if (!sender)
        return;
    Label const name = sender->GetName();
    if (name == quitButton)
    {
        overlayQueued = true;
        Corvane::MainLoop::PushMode(new QuitConfirmMode(true));
    }
    else if (name == helpButton)
    {
        overlayQueued = true;
        Corvane::MainLoop::PushMode(new FennInstructionMode(gameName, introState));
    }
}

Corvane::MessageResult QuarrydaleGameMode::OnKeyDown(int key)
{
    return Corvane::ApplicationMode::OnKeyDown(key);
}

void QuarrydaleGameMode::Destroy()
{
    GetAudioManager()->clearSFX();
    GetAudioManager()->clearVocalAudioQueues();
}

void QuarrydaleGameMode::Enter()
{
    overlayQueued = false;
    resetHintTimer(1);
    setupCursor();
}

void QuarrydaleGameMode::Exit()
{
    setDefaultCursor();
}

int QuarrydaleGameMode::loopsLeftAfterThisOne(int loops)
{
    if (loops != -1)
        return loops > 0 ? loops - 1 : 0;
    Corvane::Constant<std::vector<int> > const table("RepeatedGameNumLoops");
    if (!table.IsValid())
    {
        Corvane::Internal::LogWrite("The constant \"RepeatedGameNumLoops\" is not loaded; the game plays once\n");
        return 0;
    }
    std::vector<int> const counts = table;
    size_t const difficulty = static_cast<size_t>(GetLevelManager()->getDifficulty());
    if (difficulty >= counts.size())
    {
        Corvane::Internal::LogWrite("\"RepeatedGameNumLoops\" has no entry for difficulty %d; the game plays once\n",
                                    static_cast<int>(difficulty));
        return 0;
    }
    return std::max(0, counts[difficulty]);
}

void QuarrydaleGameMode::setGameCursor()
{
    Corvane::AutoResource<Corvane::IImage> const image("cursor_hand");
    if (!image)
    {
        Corvane::Internal::LogWrite("The cursor image \"cursor_hand\" is not loaded\n");
        return;
    }
    Corvane::Window::SetCustomCursor(image.Get(), Corvane::Constant<Corvane::Vector2<int> >("HandCursorRegPt"));
}

std::wstring levelNotFoundMessage(char const* modeClass)
{
    return Corvane::ConvertStringUTF8ToWide("Difficulty Level Not Found for " + std::string(modeClass) +
                                            ". Fix the problem and press F5 to reload");
}

SceneNode* QuarrydaleGameMode::instantiateGameLayout(char const* layoutName)
{
    char const* const game = gameName.IsNull() ? "A mini-game" : gameName.GetString();
    Corvane::AutoResource<SceneLayout> const layout(layoutName);
    if (!layout)
    {
        Corvane::Internal::LogWrite("%s: the scene layout \"%s\" is not loaded\n", game, layoutName);
        return nullptr;
    }
    try
    {
        return layout->InstantiateLayout(GetObjectDatabase(), GetRootNode());
    }
    catch (std::exception const& error)
    {
        Corvane::Internal::LogWrite("%s: the scene layout \"%s\" could not be built: %s\n", game, layoutName,
                                    error.what());
        return nullptr;
    }
}

bool QuarrydaleGameMode::instantiateGameLayoutOrLeave(char const* layoutName, char const* screen)
{
    if (instantiateGameLayout(layoutName))
        return true;
    Corvane::Platform::ModalNotification(
        Corvane::ConvertStringUTF8ToWide(std::string("The ") + screen + " screen could not be built from its layout \"" +
                                         layoutName + "\". Fix the problem and press F5 to reload"),
        L"");
    if (Corvane::ApplicationMode* const menu = newMainMenuScreen())
        Corvane::MainLoop::UnwindToMode(menu);
    else
        Corvane::MainLoop::PopMode();
    return false;
}
