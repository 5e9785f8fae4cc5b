#include "qdl/Source/Game/TollerStacker/TollerStackerMode.h"

#include <algorithm>
#include <set>
#include <vector>

#include "Core/Source/Log.h"
#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Platform/MacOSX/PlatformServices.h"
#include "CorvaneExtensions/Source/NodePath.h"
#include "CorvaneExtensions/Source/NodeTasks.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/EnumTypeDeck.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameConstants.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"
#include "qdl/Source/Game/TollerStacker/StackableObject.h"
#include "qdl/Source/Game/TollerStacker/StackingTarget.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerElements.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerLevel.h"

using namespace Corvane;

namespace
{

NodePathElement const kDropMaskPath[] = {"GameScreenRoot", "Playfield", "DropItem_Mask", NodePathTerminator()};
// Below the playfield.
NodePathElement const kCranePath[] = {"TollerAnimNode", NodePathTerminator()};
// Ten paths in one array: ground place i + 1 starts at element 3 * i.
NodePathElement const kSourcePaths[] = {
    "MaterialSources", "Source_1", NodePathTerminator(), "MaterialSources", "Source_2", NodePathTerminator(),
    "MaterialSources", "Source_3", NodePathTerminator(), "MaterialSources", "Source_4", NodePathTerminator(),
    "MaterialSources", "Source_5", NodePathTerminator(), "MaterialSources", "Source_6", NodePathTerminator(),
    "MaterialSources", "Source_7", NodePathTerminator(), "MaterialSources", "Source_8", NodePathTerminator(),
    "MaterialSources", "Source_9", NodePathTerminator(), "MaterialSources", "Source_10", NodePathTerminator()};
NodePathElement const kTargetLeftPath[] = {"MaterialTargets", "Target_Left", NodePathTerminator()};
NodePathElement const kTargetRightPath[] = {"MaterialTargets", "Target_Right", NodePathTerminator()};

Label const kGameLabel = Label::GetUniqueString("TollerStacker");
Label const kCraneLine = Label::GetUniqueString("VO_Toller_IThinkSo");
Label const kTadaLine = Label::GetUniqueString("VO_TollerTada");
Label const kSadAnimation = Label::GetUniqueString("Sad");
Label const kHappyAnimation = Label::GetUniqueString("Happy");

float const kSadDelaySeconds = 1.0f;
float const kOutroWaitSeconds = 1.5f;

SceneNode* playfieldNode(char const* what)
{
    SceneNode* const playfield = RootDescendent(kPlayfieldPath);
    if (!playfield)
        Internal::LogWrite("TollerStacker: %s has no node GameScreenRoot/Playfield; %s\n", kTollerStackerModeLayout,
                           what);
    return playfield;
}

SceneNode* belowPlayfield(NodePathElement const* path, char const* what)
{
    SceneNode* const playfield = playfieldNode(what);
    return playfield ? findStackerNode(playfield, path, kTollerStackerModeLayout) : nullptr;
}

template <class T>
std::vector<T*> objectsWithRole(Label role)
{
    std::vector<T*> found;
    if (ObjectDatabase* const database = GetObjectDatabase())
        for (ObjectID const id : database->GetObjectsWithRole(role))
            if (T* const object = dynamic_cast<T*>(database->GetObject(id)))
                found.push_back(object);
    return found;
}

} // namespace

TollerStackerMode::TollerStackerMode(bool playIntro_, int loopsLeft)
    : roundsLeft(loopsLeftAfterThisOne(loopsLeft)), playIntro(playIntro_)
{
}

TollerStackerMode::~TollerStackerMode()
{
}

AnimatedSpriteNode* TollerStackerMode::getCrane() const
{
    SceneNode* const playfield = RootDescendent(kPlayfieldPath);
    return playfield ? dynamic_cast<AnimatedSpriteNode*>(playfield->GetDescendent(kCranePath)) : nullptr;
}

void TollerStackerMode::Setup()
{
    QuarrydaleGameMode::Setup();
    instantiateGameLayout(kTollerStackerModeLayout);
    initializeLevel(GetLevelManager()->getLevelForGameModeType(kGameModeType_TollerStacker));

    if (SceneNode* const mask = RootDescendent(kDropMaskPath))
    {
        mask->mouseDownSignal.connect([this](SceneNode*, MouseButton, int, int) { cancelMaterialDragging(); });
        mask->SetHitTest(true);
    }
    else
    {
        Internal::LogWrite("TollerStacker: %s has no node GameScreenRoot/Playfield/DropItem_Mask\n",
                           kTollerStackerModeLayout);
    }
    GetAudioManager()->setMusicMode(kMusicMode_InGame, kGameLabel);
    if (SceneNode* const crane = belowPlayfield(kCranePath, "the crane is left out"))
    {
        crane->mouseDownSignal.connect([](SceneNode*, MouseButton, int, int) { GetAudioManager()->playSFX(kCraneLine); });
        crane->SetHitTest(true);
    }
    playIntroAnimation();
}

void TollerStackerMode::initializeLevel(Label levelName)
{
    level = levelName;
    AutoResource<TollerStackerLevel> const found(levelName);
    if (!found)
    {
        levelNotFound("TollerStackerMode", levelName, kGameLabel, kIntroFennState_Standing);
        return;
    }
    setupInstructionMode(kGameLabel, kIntroFennState_Standing, playIntro);

    SceneNode* const playfield = playfieldNode("nothing is placed");
    if (!playfield)
        return;
    sStackerPlan const plan = planLevel(*found);
    for (size_t i = 0; i < plan.objectPlaces.size(); ++i)
    {
        int const place = plan.objectPlaces[i];
        SceneNode* const source = findStackerNode(playfield, &kSourcePaths[3 * place], kTollerStackerModeLayout);
        StackableObjectData const& data = found->objects[i];
        if (source)
            (new StackableObject(data.size, data.color, data.type, source))->AddToCurScene(source);
    }
    NodePathElement const* const targetPaths[] = {kTargetLeftPath, kTargetRightPath};
    for (size_t i = 0; i < plan.platformColors.size(); ++i)
        if (SceneNode* const place = findStackerNode(playfield, targetPaths[i], kTollerStackerModeLayout))
            (new StackingTarget(plan.platformColors[i]))->AddToCurScene(place);
}

sStackerPlan TollerStackerMode::planLevel(TollerStackerLevel const& level)
{
    sStackerPlan plan;
    EnumTypeDeck<int> places(kNumGroundPlaces);
    std::set<int> colors;
    for (StackableObjectData const& data : level.objects)
    {
        int const place = places.DrawCard();
        // The reader keeps at most ten objects; a record made otherwise places what fits.
        if (place < 0)
            break;
        plan.objectPlaces.push_back(place);
        colors.insert(data.color);
    }
    for (int const color : colors)
        if (static_cast<int>(plan.platformColors.size()) < kNumPlatformPlaces)
            plan.platformColors.push_back(static_cast<StackObjectColor>(color));
    return plan;
}

void TollerStackerMode::playIntroAnimation()
{
    std::vector<StackableObject*> objects = objectsWithRole<StackableObject>(stackableObjectRole());
    // Biggest first, so that every stack is built in its right order.
    std::stable_sort(objects.begin(), objects.end(),
                     [](StackableObject const* a, StackableObject const* b) { return a->getSize() > b->getSize(); });
    std::vector<StackingTarget*> const targets = objectsWithRole<StackingTarget>(stackableTargetRole());
    for (StackableObject* const object : objects)
    {
        std::vector<StackingTarget*>::const_iterator const target =
            std::find_if(targets.begin(), targets.end(),
                         [object](StackingTarget const* t) { return t->getColor() == object->getColor(); });
        if (target != targets.end())
            (*target)->stackObjectOnThis(object, true);
    }
    for (StackingTarget* const target : targets)
    {
        ObjectID const id = target->GetID();
        target->AddTask(new SimpleFunctionTask<StackingTarget>([id](StackingTarget*, float) {
            if (StackingTarget* const platform = stackingTargetOf(id))
                platform->shakeOutCurrentStack(true);
        }));
    }
    if (SceneNode* const crane = getCrane())
    {
        crane->AddTask(new TimedTask(kSadDelaySeconds));
        crane->AddTask(new NodeAnimationTask(kSadAnimation, kNodeAnimationTaskCompleteOnFinish));
    }
}

void TollerStackerMode::checkLevelEnd()
{
    // The stacks were all right once: later drops change nothing until the next game.
    if (outroStarted)
        return;
    std::vector<StackableObject*> const objects = objectsWithRole<StackableObject>(stackableObjectRole());
    if (std::any_of(objects.begin(), objects.end(),
                    [](StackableObject const* object) { return object->getIsOnGround() || object->isFalling(); }))
        return;
    bool allCorrect = true;
    for (StackingTarget* const target : objectsWithRole<StackingTarget>(stackableTargetRole()))
    {
        bool const wrong = target->shakeOutCurrentStack(false);
        if (wrong && allCorrect)
        {
            if (AnimatedSpriteNode* const crane = getCrane())
                crane->SetAnimation(kSadAnimation, false);
            GetAudioManager()->playInGameFeedbackVocal(false);
        }
        allCorrect = allCorrect && !wrong;
    }
    if (allCorrect)
        playOutroAnimation();
}

void TollerStackerMode::playOutroAnimation()
{
    if (outroStarted)
        return;
    outroStarted = true;
    GetAudioManager()->playSFX(kTadaLine);
    SceneNode* const crane = getCrane();
    Object* const sequence = crane ? static_cast<Object*>(crane) : getSequenceObject();
    if (!sequence)
        return;
    if (crane)
        sequence->AddTask(new NodeAnimationTask(kHappyAnimation, kNodeAnimationTaskCompleteOnFinish));
    sequence->AddTask(new SimpleFunctionTask<Object>(
        [](Object*, float) { GetAudioManager()->playInGameFeedbackVocal(true); }));
    sequence->AddTask(new TimedTask(kOutroWaitSeconds));
    sequence->AddTask(new SimpleFunctionTask<Object>([this](Object*, float) {
        if (roundsLeft > 0)
            refreshMode();
        else
            endLevel();
    }));
}

void TollerStackerMode::cancelMaterialDragging()
{
    if (DragSource<StackableObject*>* const held = DragSource<StackableObject*>::GetHeldDragSource_Mutable())
        held->Release();
}

void TollerStackerMode::refreshMode()
{
    MainLoop::UnwindToMode(new TollerStackerMode(false, roundsLeft));
}

void TollerStackerMode::setupCursor()
{
    AutoResource<IImage> const image("cursor_default");
    if (!image)
    {
        Internal::LogWrite("TollerStacker: the cursor image \"cursor_default\" is not loaded\n");
        return;
    }
    Window::SetCustomCursor(image.Get(), Constant<Vector2<int> >("HandCursorRegPt"));
}

void TollerStackerMode::Update(float dt)
{
    SceneApplicationMode::Update(dt);
    std::pair<int, int> const mouse = MainLoop::GetLastMousePos();
    SceneApplicationMode::OnMouseMove(mouse.first, mouse.second);
}
