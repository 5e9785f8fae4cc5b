#include "qdl/Source/Game/PlanAJob/PlanAJobMode.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "Core/Source/Log.h"
#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "2DEngine/Source/Platform/MacOSX/PlatformServices.h"
#include "CorvaneExtensions/Source/NodeTasks.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/EnumTypeDeck.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameConstants.h"
#include "qdl/Source/Game/GameNodeLookup.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/PlanAJob/PlanAJobElements.h"
#include "qdl/Source/Game/PlanAJob/PlanAJobLevel.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"

using Corvane::Label;
using Corvane::Vector2;

namespace
{

char const kWho[] = "PlanAJobMode";
NodePathElement const kTargetsPath[3] = {"Blueprint", "MaterialTargets", NodePathTerminator()};
NodePathElement const kSourcesPath[2] = {"MaterialSources", NodePathTerminator()};
NodePathElement const kCancelMaskPath[2] = {"Material_ClickMask", NodePathTerminator()};
NodePathElement const kBlueprintPath[2] = {"Blueprint", NodePathTerminator()};
NodePathElement const kFennHandsPath[3] = {"Blueprint", "FennHands", NodePathTerminator()};
NodePathElement const kBuildingPath[2] = {"BuildingAnimationNode", NodePathTerminator()};
NodePathElement const kIntroMaskPath[2] = {"IntroClickMask", NodePathTerminator()};
// The card places for 1 to 5 missing steps.
NodePathElement const kSourceGroupPaths[PlanAJobLevel::kNumSteps][2] = {
    {"Sources_1", NodePathTerminator()}, {"Sources_2", NodePathTerminator()}, {"Sources_3", NodePathTerminator()},
    {"Sources_4", NodePathTerminator()}, {"Sources_5", NodePathTerminator()}};

char const* const kLevelSuffixes[3] = {"_Easy", "_Medium", "_Hard"};

Label label(char const* text)
{
    return Label::GetUniqueString(text);
}

Label gameLabel()
{
    static Label const game = label("PlanAJob");
    return game;
}

SceneNode* childAt(SceneNode* parent, int index)
{
    if (!parent || index < 0 || index >= static_cast<int>(parent->GetChildCount()))
        return nullptr;
    int i = 0;
    for (SceneNode* const child : parent->GetChildren())
        if (i++ == index)
            return child;
    return nullptr;
}

} // namespace

PlanAJobMode::PlanAJobMode(Label level) : levelLabel(level), levelSetUp(false) {}

PlanAJobMode::~PlanAJobMode() {}

SceneNode* PlanAJobMode::findPlayfieldNode(NodePathElement const* path) const
{
    SceneNode* const root = GetRootNode();
    SceneNode* const playfield = root ? findGameNode(root, kPlayfieldPath, kWho) : nullptr;
    return playfield ? findGameNode(playfield, path, kWho) : nullptr;
}

void PlanAJobMode::Setup()
{
    QuarrydaleGameMode::Setup();
    if (!instantiateGameLayoutOrLeave("PlanAJobModeLayout", "PlanAJobMode"))
        return;
    Label level;
    if (levelLabel.IsValid())
    {
        int const difficulty = GetLevelManager()->getDifficulty();
        if (difficulty >= 0 && difficulty < 3)
            levelLabel = Label::FromString(std::string(levelLabel.GetString()) + kLevelSuffixes[difficulty]);
        level = levelLabel;
    }
    else
        level = GetLevelManager()->getLevelForGameModeType(kGameModeType_PlanAJob);
    bool const built = initializeLevel(level);
    // Without a level there is nothing to bring in: the empty blueprint is won at once.
    if (built)
        playIntroAnimation();
    else if (SceneNode* const introMask = findPlayfieldNode(kIntroMaskPath))
        introMask->LocalSetVisible(false);
    levelSetUp = true;
    if (SceneNode* const introMask = findPlayfieldNode(kIntroMaskPath))
        setupMouseInputEatingNode(introMask);
    if (SceneNode* const hands = findPlayfieldNode(kFennHandsPath))
        setupMouseInputEatingNode(hands);
    if (SceneNode* const cancelMask = findPlayfieldNode(kCancelMaskPath))
    {
        cancelMask->mouseDownSignal.connect([this](SceneNode*, Corvane::MouseButton, int, int) { cancelItemDragging(); });
        cancelMask->SetHitTest(false);
    }
    GetAudioManager()->setMusicMode(kMusicMode_InGame, gameLabel());
    if (!built)
        Corvane::Internal::LogWrite("PlanAJob: no level %s; the empty blueprint ends it at once\n",
                                    level.GetString());
}

sPlanAJobDeal PlanAJobMode::dealSteps(int numEmpty)
{
    // The reader keeps numEmpty in 1..5; a record made elsewhere is held to it too.
    int const empty = std::min(std::max(numEmpty, 1), PlanAJobLevel::kNumSteps);
    EnumTypeDeck<int> deck(PlanAJobLevel::kNumSteps);
    sPlanAJobDeal deal;
    deal.preFilled.assign(PlanAJobLevel::kNumSteps, false);
    for (int dealt = 0; dealt < PlanAJobLevel::kNumSteps; ++dealt)
    {
        int const step = deck.DrawCard();
        if (step < 0)
            break;
        if (dealt < PlanAJobLevel::kNumSteps - empty)
            deal.preFilled[static_cast<std::size_t>(step)] = true;
        else
            deal.missing.push_back(step);
    }
    return deal;
}

bool PlanAJobMode::initializeLevel(Label levelName)
{
    Corvane::AutoResource<PlanAJobLevel> const level(levelName);
    // A story's level is named, not drawn: one its reader refused is not found either.
    if (!level || level->numEmpty < 1 || level->numEmpty > PlanAJobLevel::kNumSteps)
    {
        levelNotFound("PlanAJobMode", levelName, gameLabel(), kIntroFennState_Standing);
        return false;
    }
    sPlanAJobDeal const deal = dealSteps(level->numEmpty);

    SceneNode* const targets = findPlayfieldNode(kTargetsPath);
    for (int step = 0; step < PlanAJobLevel::kNumSteps; ++step)
    {
        JobSequenceSlot* const slot = new JobSequenceSlot(level->targets, step);
        slot->AddToCurScene(childAt(targets, step));
        if (deal.preFilled[static_cast<std::size_t>(step)])
            slot->setAsFilled();
    }

    SceneNode* const sources = findPlayfieldNode(kSourcesPath);
    SceneNode* const group =
        sources && !deal.missing.empty() ? sources->GetDescendent(kSourceGroupPaths[deal.missing.size() - 1]) : nullptr;
    for (std::size_t j = 0; j < deal.missing.size(); ++j)
    {
        JobSequenceItem* const card = new JobSequenceItem(level->objects, deal.missing[j]);
        card->AddToCurScene(childAt(group, static_cast<int>(j)));
    }

    if (AnimatedSpriteNode* const building = dynamic_cast<AnimatedSpriteNode*>(findPlayfieldNode(kBuildingPath)))
    {
        building->SetSpriteType(level->spriteType);
        building->SetAnimation(label("WaitAnim"), false);
    }
    return true;
}

void PlanAJobMode::playIntroAnimation()
{
    SceneNode* const blueprint = findPlayfieldNode(kBlueprintPath);
    SceneNode* const introMask = findPlayfieldNode(kIntroMaskPath);
    Label const unmask = label("IntroUnmaskMouseClicks");
    if (!blueprint || !introMask)
    {
        Corvane::Internal::LogWrite("PlanAJob: the layout lacks the blueprint or the intro mask; play starts at once\n");
        setupInstructionMode(gameLabel(), kIntroFennState_Standing, true);
        if (introMask)
            introMask->LocalSetVisible(false);
        return;
    }
    blueprint->AddTask(new NodeLocationTask(Vector2<float>(Corvane::Constant<Vector2<float> >("BluePrintsFinalPosition")),
                                            Corvane::ReadTimeConstant("BlueprintsMoveTime")));
    blueprint->AddTask(new Corvane::TimedTask(0.5f));
    blueprint->AddTask(newCallTask([this] { setupInstructionMode(gameLabel(), kIntroFennState_Standing, true); }));
    blueprint->AddTask(new Corvane::CuePointTask(unmask));

    introMask->AddTask(new Corvane::CuePointTask(unmask));
    introMask->AddTask(new NodeVisibleTask(false));
}

void PlanAJobMode::Update(float dt)
{
    QuarrydaleGameMode::Update(dt);
    std::pair<int, int> const mouse = Corvane::MainLoop::GetLastMousePos();
    OnMouseMove(mouse.first, mouse.second);
    // A missing level builds no slot: an empty set counts as all filled.
    if (!levelSetUp)
        return;
    Corvane::ObjectDatabase* const database = GetObjectDatabase();
    for (Corvane::ObjectID id : database->GetObjectsWithRole(label("PlanAJob_DropSlot")))
        if (JobSequenceSlot* const slot = dynamic_cast<JobSequenceSlot*>(database->GetObject(id)))
            if (!slot->isFilled())
                return;
    playOutroAnimation();
}

void PlanAJobMode::playOutroAnimation()
{
    if (outroStarted)
        return;
    outroStarted = true;
    GetAudioManager()->playSpecificSoundVocal(label("PlanAJob_GameComplete"));
    SceneNode* const blueprint = findPlayfieldNode(kBlueprintPath);
    SceneNode* const building = findPlayfieldNode(kBuildingPath);
    bool const nothingBuilt = GetObjectDatabase()->GetObjectsWithRole(label("PlanAJob_DropSlot")).empty();
    if (!blueprint || !building || nothingBuilt)
    {
        if (!nothingBuilt)
            Corvane::Internal::LogWrite("PlanAJob: the layout lacks the blueprint or the building; the level ends\n");
        if (Corvane::Object* const sequence = getSequenceObject())
        {
            sequence->AddTask(new Corvane::TimedTask(2.0f));
            sequence->AddTask(newCallTask([this] { endLevel(); }));
        }
        return;
    }
    Corvane::CuePoint* const blueprintGone = Corvane::CuePoint::Create();
    blueprint->AddTask(new NodeLocationTask(
        Vector2<float>(Corvane::Constant<Vector2<float> >("BluePrintsOffScreenPosition")),
        Corvane::ReadTimeConstant("BlueprintsMoveTime")));
    blueprint->AddTask(new Corvane::TimedTask(0.5f));
    blueprint->AddTask(new Corvane::CuePointTask(blueprintGone));

    building->AddTask(new Corvane::CuePointTask(blueprintGone));
    building->AddTask(newCallTask([] { GetAudioManager()->playSFX(label("SFX_Construction")); }));
    building->AddTask(new NodeAnimationTask(label("BuildAnim"), kNodeAnimationTaskCompleteOnFinish));
    building->AddTask(newCallTask([this] { endLevel(); }));
}

void PlanAJobMode::cancelItemDragging()
{
    // A slot filled by the last drop may still be the current target: a cancel drops on nothing.
    if (DragTargetContainer* const targets = DragTargetContainer::GetInstance())
        targets->containedObject = Corvane::kInvalidObjectID;
    if (DragSource<JobSequenceItem*>* const held = DragSource<JobSequenceItem*>::GetHeldDragSource_Mutable())
        held->Release();
}

void PlanAJobMode::refreshMode()
{
    Corvane::MainLoop::UnwindToMode(new PlanAJobMode());
}

void PlanAJobMode::setupCursor()
{
    setGameCursor();
}
