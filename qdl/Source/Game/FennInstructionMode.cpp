#include "qdl/Source/Game/FennInstructionMode.h"

#include "Core/Source/Log.h"
#include "CorvaneExtensions/AudioPlatform/BASS/Audio.h"
#include "CorvaneExtensions/Source/ButtonNode.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameAudioTasks.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"

using Corvane::Label;

namespace
{

NodePathElement const kFennPath[] = {"LevelIntroFenn", NodePathTerminator()};
NodePathElement const kSkipButtonPath[] = {"FennInstructionMode", "SkipButton", NodePathTerminator()};

} // namespace

FennInstructionMode::FennInstructionMode(Label game, IntroFennState pose)
    : FrontEndMode("FennInstructionMode"), introState(pose), gameName(game)
{
}

void FennInstructionMode::Setup()
{
    FrontEndMode::Setup();
    SceneNode* const layoutRoot = instantiateLayout("FennInstructionModeLayout");
    SceneNode* const fenn = layoutRoot ? layoutRoot->GetDescendent(kFennPath) : nullptr;
    if (AnimatedSpriteNode* const sprite = dynamic_cast<AnimatedSpriteNode*>(fenn))
        sprite->SetFrameIndex(introState);
    else if (layoutRoot)
        Corvane::Internal::LogWrite("FennInstructionMode: the layout has no animated sprite LevelIntroFenn\n");
}

void FennInstructionMode::Destroy()
{
    GetAudioManager()->clearVocalAudioQueues();
}

void FennInstructionMode::Enter()
{
    FrontEndMode::Enter();
    static Label const skipImages[2] = {Label::GetUniqueString("Button_SkipCutscene_SP"),
                                        Label::GetUniqueString("Button_SkipCutscene_EN")};
    setButtonImages(findNode<ButtonNode>(kSkipButtonPath), skipImages[isEnglishLanguage()]);

    SceneNode* const root = GetRootNode();
    if (!root)
        return;
    root->AddTask(new Corvane::AudioPlayGameDescTask(gameName, Corvane::Audio::sPlayState()));
    root->AddTask(new SimpleFunctionTask<FennInstructionMode>([this](FennInstructionMode*, float) { closeMode(); }));
}

void FennInstructionMode::closeMode()
{
    if (!isModeChangeQueued())
        popScreen();
}

void FennInstructionMode::handleButtonClick(Label button)
{
    static Label const ok = Label::GetUniqueString("OkButton");
    if (button == ok)
        closeMode();
}
