#include "qdl/Source/Game/FrontEnd/CutsceneMode.h"

#include <string>

#include "Core/Source/Log.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "CorvaneExtensions/Source/ButtonNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameAudioTasks.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"

using Corvane::Label;

namespace
{

NodePathElement const kSkipButtonPath[] = {"CutsceneRoot", "SkipButton", NodePathTerminator()};

} // namespace

CutsceneMode::CutsceneMode(Label cutsceneID) : FrontEndMode("CutsceneMode"), cutsceneID(cutsceneID) {}

void CutsceneMode::Setup()
{
    FrontEndMode::Setup();
    SceneNode* const layout = instantiateLayout("CutsceneModeLayout");
    if (!layout)
        return;
    StaticSpriteNode* const picture = dynamic_cast<StaticSpriteNode*>(layout->GetChild("CutsceneImage"));
    if (!picture)
    {
        Corvane::Internal::LogWrite("CutsceneMode: the layout has no picture node \"CutsceneImage\"\n");
        return;
    }
    if (!Corvane::AutoResource<Corvane::IImage>(cutsceneID))
        Corvane::Internal::LogWrite("CutsceneMode: the cutscene picture \"%s\" is not loaded\n",
                                    cutsceneID.GetString());
    picture->setImage(cutsceneID);
}

void CutsceneMode::Destroy()
{
    GetAudioManager()->clearVocalAudioQueues();
}

void CutsceneMode::Enter()
{
    FrontEndMode::Enter();
    GetAudioManager()->setMusicMode(kMusicMode_None, Label());

    Label const narration = Label::GetUniqueString((std::string(cutsceneID.GetString()) + "_VO").c_str());
    static Label const skipImages[2] = {Label::GetUniqueString("Button_SkipCutscene_SP"),
                                        Label::GetUniqueString("Button_SkipCutscene_EN")};
    setButtonImages(findNode<ButtonNode>(kSkipButtonPath), skipImages[isEnglishLanguage()]);

    SceneNode* const root = GetRootNode();
    if (!root)
        return;
    // Entered again, the narration starts over instead of being queued twice.
    root->RemoveAllTasks();
    root->AddTask(new Corvane::AudioPlayChannelTask(narration, Corvane::Audio::sPlayState()));
    // The root belongs to this mode's database, so the screen outlives the task.
    root->AddTask(new SimpleFunctionTask<SceneNode>([this](SceneNode*, float) { closeMode(); }));
}

void CutsceneMode::handleButtonClick(Label button)
{
    static ButtonTable<CutsceneMode> const buttons = {
        {"OkButton", &CutsceneMode::closeMode},
    };
    buttons.dispatch(this, button);
}

void CutsceneMode::closeMode()
{
    // The skip and the narration's end may come in one update: the story moves one step.
    if (isModeChangeQueued())
        return;
    startNextStoryStep();
}
