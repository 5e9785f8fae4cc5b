#include "qdl/Source/Game/FrontEnd/StickerUnlockMode.h"

#include <memory>

#include "Core/Source/Angle.h"
#include "Core/Source/Log.h"
#include "Core/Source/Vector2.h"
#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "CorvaneExtensions/Source/NodeTasks.h"
#include "CorvaneExtensions/Source/NumberGenerator.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/FrontEnd/FrontEndScreens.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameScreenHooks.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"

using Corvane::Label;

namespace
{

NodePathElement const kLocalRootPath[] = {"StickerReward", "LocalRoot", NodePathTerminator()};
NodePathElement const kStickerPath[] = {"StickerReward", "LocalRoot", "unlockedImage", NodePathTerminator()};
NodePathElement const kStarburstPath[] = {"StickerReward", "LocalRoot", "starburst", NodePathTerminator()};
NodePathElement const kEnglishMessagePath[] = {"StickerReward", "LocalRoot", "StickerRewardMessage_EN",
                                               NodePathTerminator()};
NodePathElement const kSpanishMessagePath[] = {"StickerReward", "LocalRoot", "StickerRewardMessage_SP",
                                               NodePathTerminator()};

// The starburst turns a quarter turn in this many seconds, for as long as the screen lasts.
float const kStarburstQuarterTurnTime = 3.0f;

} // namespace

StickerUnlockMode::StickerUnlockMode(int stickerIndex) : FrontEndMode("StickerUnlockMode"), stickerIndex(stickerIndex)
{
}

void StickerUnlockMode::Setup()
{
    FrontEndMode::Setup();
    SceneNode* const layout = instantiateLayout("StickerRewardLayout");

    if (stickerIndex != -1)
        if (StaticSpriteNode* const sticker = findNode<StaticSpriteNode>(kStickerPath))
            sticker->setImage(Label::GetUniqueString("AllStickersList"), stickerIndex);

    GetAudioManager()->setMusicMode(kMusicMode_Silence, Label());

    if (SceneNode* const starburst = findSceneNode(kStarburstPath))
    {
        auto const angles = std::make_shared<IncrementNumberGenerator<Corvane::Angle> >(
            Corvane::Angle::FromDegrees(90.0f), Corvane::Angle::FromDegrees(90.0f));
        starburst->AddTask(new Corvane::RepeatingTask(new NodeOrientationTask(angles, kStarburstQuarterTurnTime)));
    }

    float const dropTime = Corvane::ReadTimeConstant("StickerScreenDropTime");
    float const bounceTime = Corvane::ReadTimeConstant("StickerScreenBounceTime");
    float const displayTime = Corvane::ReadTimeConstant("StickerScreenDisplayTime");
    Corvane::Vector2<float> const end = Corvane::Constant<Corvane::Vector2<float> >("StickerScreenEndLocation");
    SceneNode* timerNode = findSceneNode(kLocalRootPath);
    if (timerNode)
    {
        timerNode->AddTask(new NodeLocationTask(Corvane::Vector2<float>(end.x, end.y + 10.0f), dropTime));
        timerNode->AddTask(new NodeLocationTask(end, bounceTime));
    }
    else
    {
        // Without the dropping group the screen still has to move on by itself.
        timerNode = layout ? layout : GetRootNode();
    }
    if (!timerNode)
        return;
    timerNode->AddTask(new Corvane::TimedTask(displayTime));
    timerNode->AddTask(new SimpleFunctionTask<SceneNode>([this](SceneNode*, float) { continueToNextMode(); }));
}

void StickerUnlockMode::Enter()
{
    FrontEndMode::Enter();
    static Label const bookDone = Label::GetUniqueString("VO_StickerBookDone");
    static Label const win = Label::GetUniqueString("SFX_GameWin");
    if (stickerIndex == -1)
        GetAudioManager()->playSFX(bookDone);
    GetAudioManager()->playSFX(win);
    setDefaultCursor();
    showLanguageNode(findSceneNode(kEnglishMessagePath), findSceneNode(kSpanishMessagePath), isEnglishLanguage());
}

void StickerUnlockMode::handleButtonClick(Label button)
{
    static Label const resume = Label::GetUniqueString("ResumeGame");
    if (button == resume)
        continueToNextMode();
}

void StickerUnlockMode::continueToNextMode()
{
    // Resume and the end of the timer in one frame would otherwise start two steps.
    if (isModeChangeQueued())
        return;
    if (!GetLevelManager()->isFreePlay())
    {
        // A step that started nothing leaves Resume working.
        startNextStoryStep();
        return;
    }
    sGameScreenHooks const& hooks = GetGameScreenHooks();
    Corvane::ApplicationMode* const select = hooks.createFreePlaySelectMode ? hooks.createFreePlaySelectMode() : nullptr;
    if (select)
    {
        unwindToScreen(select, "the free-play selection");
        return;
    }
    Corvane::Internal::LogWrite("StickerUnlockMode: the free-play selection is not available; to the main menu\n");
    Corvane::ApplicationMode* const menu = newMainMenuScreen();
    if (menu)
    {
        unwindToScreen(menu, "the main menu");
        return;
    }
    // Nothing to go on to: back to the finished game, whose Quit still leads out.
    Corvane::Internal::LogWrite("StickerUnlockMode: no screen to go on to; back to the game\n");
    popScreen();
}
