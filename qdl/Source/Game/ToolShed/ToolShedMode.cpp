#include "qdl/Source/Game/ToolShed/ToolShedMode.h"

#include <memory>

#include "Core/Source/Log.h"
#include "Core/Source/Random.h"
#include "Core/Source/Rect.h"
#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "2DEngine/Source/Platform/MacOSX/PlatformServices.h"
#include "CorvaneExtensions/Source/NodeTasks.h"
#include "CorvaneExtensions/Source/NumberGenerator.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameConstants.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"
#include "qdl/Source/Game/ToolShed/ToolShedElements.h"
#include "qdl/Source/Game/ToolShed/ToolShedLevel.h"

using Corvane::Label;
using Corvane::Vector2;

namespace
{

typedef std::vector<Vector2<float> > Points;

Label label(char const* text)
{
    return Label::GetUniqueString(text);
}

Label gameLabel()
{
    static Label const game = label("ToolShed");
    return game;
}

Label toolRole()
{
    static Label const role = label("ToolShed_DropItem");
    return role;
}

Label boxRole()
{
    static Label const role = label("ToolShed_DropSlot");
    return role;
}

// The point of a list constant; the origin, logged, when the list is too short.
Vector2<float> pointOf(char const* constant, std::size_t index)
{
    Points const points = Corvane::Constant<Points>(constant);
    if (index < points.size())
        return points[index];
    Corvane::Internal::LogWrite("ToolShed: the constant \"%s\" has no point %d\n", constant, static_cast<int>(index));
    return Vector2<float>(0.0f, 0.0f);
}

Corvane::Task* playEffect(char const* sound)
{
    Label const effect = label(sound);
    return newCallTask([effect] { GetAudioManager()->playSFX(effect); });
}

// The scarecrow's jump in or out: its hop and a flight along the path over 1 s, side by side.
Corvane::Task* jump(char const* path)
{
    return new Corvane::ParallelTask(Corvane::kParallelCompleteWhenAllComplete,
                                     new NodeAnimationTask(label("StartJump"), kNodeAnimationTaskCompleteOnStart),
                                     new NodeCatmullRomPathTask(Corvane::Constant<Points>(path), 1.0f));
}

template <class T>
std::vector<T*> liveObjectsWithRole(Corvane::ObjectDatabase* database, Label role)
{
    std::vector<T*> found;
    // A destroyed object stays listed until the purge; GetObject no longer answers for it.
    for (Corvane::ObjectID id : database->GetObjectsWithRole(role))
        if (T* const object = dynamic_cast<T*>(database->GetObject(id)))
            found.push_back(object);
    return found;
}

} // namespace

ToolShedMode::ToolShedMode() : levelSetUp(false) {}

ToolShedMode::~ToolShedMode() {}

int ToolShedMode::getToolOverlapThreshold(int toolCount)
{
    if (toolCount <= 0)
        return 0;
    // In 32-bit floats: in double precision 0.7 would make four of the thresholds one smaller.
    float const share = static_cast<float>(90000 / toolCount);
    float const threshold = share * 0.7f;
    return static_cast<int>(threshold);
}

SceneNode* ToolShedMode::findPlayfieldNode(NodePathElement const* path) const
{
    SceneNode* const root = GetRootNode();
    SceneNode* const playfield = root ? root->GetDescendent(kPlayfieldPath) : nullptr;
    return playfield ? playfield->GetDescendent(path) : nullptr;
}

std::vector<ToolShedItem*> ToolShedMode::getTools()
{
    return liveObjectsWithRole<ToolShedItem>(GetObjectDatabase(), toolRole());
}

std::vector<ToolShedToolBox*> ToolShedMode::getToolBoxes()
{
    return liveObjectsWithRole<ToolShedToolBox>(GetObjectDatabase(), boxRole());
}

void ToolShedMode::Setup()
{
    QuarrydaleGameMode::Setup();
    if (!instantiateGameLayoutOrLeave("ToolShedModeLayout", "ToolShedMode"))
        return;
    // A level without tools is won at once; without a level there are no tools either.
    bool const built = initializeLevel(GetLevelManager()->getLevelForGameModeType(kGameModeType_ToolShed)) &&
                       !getTools().empty();
    if (built)
        playIntroAnimation();
    levelSetUp = true;
    GetAudioManager()->setMusicMode(kMusicMode_InGame, gameLabel());
    SceneNode* const inputMask = findPlayfieldNode(kMouseInputClickMaskPath);
    if (inputMask)
    {
        setupMouseInputEatingNode(inputMask);
        inputMask->LocalSetVisible(built);
    }
    if (SceneNode* const ground = findPlayfieldNode(kDropItemClickMaskPath))
    {
        ground->mouseDownSignal.connect([this](SceneNode*, Corvane::MouseButton, int, int) { cancelItemDragging(); });
        ground->SetHitTest(true);
    }
    // Without tools there is no intro to end in the overlay: Help and Quit come at once.
    if (!built)
        setupInstructionMode(gameLabel(), kIntroFennState_Waving, false);
}

bool ToolShedMode::initializeLevel(Label levelName)
{
    Corvane::AutoResource<ToolShedLevel> const level(levelName);
    if (!level)
    {
        levelNotFound("ToolShedMode", levelName, gameLabel(), kIntroFennState_Waving);
        return false;
    }
    generateTools(*level);
    SceneNode* const playfield = GetRootNode() ? GetRootNode()->GetDescendent(kPlayfieldPath) : nullptr;
    int position = 0;
    for (ToolShedToolData const& box : level->toolBoxes)
    {
        if (position >= ToolShedLevel::kMaxToolBoxes)
            break;
        SceneNode* const target = playfield ? playfield->GetDescendent(kToolBoxTargetPaths[position]) : nullptr;
        ToolShedToolBox* const element = new ToolShedToolBox(box.toolType, box.color, position);
        element->AddToCurScene(target);
        ++position;
    }
    if (level->toolEntries.empty())
        Corvane::Internal::LogWrite("ToolShed level %s has no tools to sort; it ends at once\n",
                                    levelName.GetString());
    return true;
}

bool ToolShedMode::isPlaceFree(float x, float y, float threshold)
{
    Vector2<float> const candidate(x, y);
    for (ToolShedItem* const tool : getTools())
    {
        SceneNode* const node = tool->GetLayoutNode();
        Vector2<float> const nearest = node->LocalGetBounds().getClosestInteriorPoint(candidate);
        float const dx = candidate.x - nearest.x;
        float const dy = candidate.y - nearest.y;
        // A distance equal to the threshold is free.
        if (threshold > dx * dx + dy * dy)
            return false;
    }
    return true;
}

void ToolShedMode::generateTools(ToolShedLevel const& level)
{
    SceneNode* const toolsLayer = findPlayfieldNode(kToolsLayerPath);
    int const count = static_cast<int>(level.toolEntries.size());
    int index = 0;
    for (ToolShedToolData const& entry : level.toolEntries)
    {
        ToolShedItem* const tool = new ToolShedItem(entry.toolType, entry.color);
        tool->AddToCurScene(toolsLayer);
        float threshold = static_cast<float>(getToolOverlapThreshold(count));
        float x = 0.0f;
        float y = 0.0f;
        for (int draws = 1;; ++draws)
        {
            x = static_cast<float>(Corvane::Random::GetIntRange(100, 700));
            y = static_cast<float>(Corvane::Random::GetIntRange(400, 550));
            if (isPlaceFree(x, y, threshold))
                break;
            if (draws % kMaxPlacementDraws == 0)
            {
                threshold *= 0.5f;
                Corvane::Internal::LogWrite("ToolShed: no free place for tool %d after %d draws; tools may stand "
                                            "closer than planned\n", index + 1, draws);
            }
        }
        tool->throwGroup = index % 3;
        tool->landingLocation = Vector2<float>(x, y);
        SceneNode* const node = tool->GetLayoutNode();
        node->LocalSetVisible(false);
        // Placed at once, so that the next tools' overlap tests see it where it will land.
        node->LocalSetLocation(x, y);
        ++index;
    }
}

void ToolShedMode::throwUpToolsWithIndex(int group)
{
    for (ToolShedToolBox* const box : getToolBoxes())
        box->shakeToolBox(group);
    GetAudioManager()->playSFX(label("SFX_Toolbox"));
    Vector2<float> const hand = pointOf("ScarrowArmShakeLocations", static_cast<std::size_t>(group));
    float const upTime = Corvane::ReadTimeConstant("ToolThrowUpTime");
    for (ToolShedItem* const tool : getTools())
    {
        if (tool->throwGroup != group)
            continue;
        SceneNode* const node = tool->GetLayoutNode();
        node->AddTask(new Corvane::TimedTask(Corvane::Random::GetFloatRange(0.2f)));
        node->AddTask(new NodeLocationTask(hand));
        node->AddTask(new NodeVisibleTask(true));
        // A quarter turn every 0.1 s while the tool flies up; the spin stops with the flight.
        Corvane::Task* const spin = new Corvane::RepeatingTask(new NodeOrientationTask(
            std::make_shared<IncrementNumberGenerator<Corvane::Angle> >(Corvane::Angle::FromDegrees(90.0f),
                                                                       Corvane::Angle::FromDegrees(90.0f)),
            std::make_shared<ConstNumberGenerator<float> >(0.1f)));
        node->AddTask(new Corvane::ParallelTask(Corvane::kParallelCompleteWhenAnyComplete,
                                                new NodeLocationTask(Vector2<float>(hand.x, hand.y - 400.0f), upTime),
                                                spin));
        node->AddTask(new NodeLocationTask(Vector2<float>(tool->landingLocation.x, -100.0f)));
        node->AddTask(new NodeOrientationTask(Corvane::Angle::FromDegrees(0.0f)));
    }
}

void ToolShedMode::landAllTools()
{
    float const fallTime = Corvane::ReadTimeConstant("ToolFallDownTime");
    for (ToolShedItem* const tool : getTools())
    {
        SceneNode* const node = tool->GetLayoutNode();
        node->AddTask(new Corvane::TimedTask(Corvane::Random::GetFloatRange(0.2f)));
        node->AddTask(new NodeLocationTask(tool->landingLocation, fallTime));
        node->AddTask(playEffect("SFX_DropGirder"));
    }
}

void ToolShedMode::playIntroAnimation()
{
    SceneNode* const left = findPlayfieldNode(kScarrowLeftPath);
    SceneNode* const right = findPlayfieldNode(kScarrowRightPath);
    SceneNode* const top = findPlayfieldNode(kScarrowTopPath);
    SceneNode* const figure = findPlayfieldNode(kScarrowAnimNodePath);
    SceneNode* const inputMask = findPlayfieldNode(kMouseInputClickMaskPath);
    Corvane::Object* const sequence = getSequenceObject();
    if (!left || !right || !top || !figure || !inputMask || !sequence)
    {
        Corvane::Internal::LogWrite("ToolShed: the layout lacks a node of the intro; the tools land at once\n");
        landAllTools();
        setupInstructionMode(gameLabel(), kIntroFennState_Waving, true);
        if (SceneNode* const fenn = findPlayfieldNode(kFennInGamePath))
            fenn->LocalSetVisible(true);
        if (inputMask)
            inputMask->LocalSetVisible(false);
        return;
    }
    Corvane::CuePoint* const cues[5] = {Corvane::CuePoint::Create(), Corvane::CuePoint::Create(),
                                        Corvane::CuePoint::Create(), Corvane::CuePoint::Create(),
                                        Corvane::CuePoint::Create()};
    float const peekTime = Corvane::ReadTimeConstant("ScarrowToolShedPeekMoveTime");
    float const pause = Corvane::ReadTimeConstant("ArmShakePauseTime");
    float const fallTime = Corvane::ReadTimeConstant("ToolFallDownTime");

    struct sPeek
    {
        SceneNode* node;
        char const* finalLocation;
        Corvane::CuePoint* before;
        Corvane::CuePoint* after;
    };
    sPeek const peeks[3] = {{left, "LeftScarrowFinalLoc", nullptr, cues[0]},
                            {right, "RightScarrowFinalLoc", cues[0], cues[1]},
                            {top, "TopScarrowFinalLoc", cues[1], cues[2]}};
    for (sPeek const& peek : peeks)
    {
        Vector2<float> const home = peek.node->LocalGetLocation();
        if (peek.before)
            peek.node->AddTask(new Corvane::CuePointTask(peek.before));
        else
            peek.node->AddTask(playEffect("SFX_ScarrowTools"));
        peek.node->AddTask(
            new NodeLocationTask(Vector2<float>(Corvane::Constant<Vector2<float> >(peek.finalLocation)), peekTime));
        peek.node->AddTask(new Corvane::TimedTask(0.5f));
        peek.node->AddTask(new NodeLocationTask(home, peekTime));
        peek.node->AddTask(new Corvane::CuePointTask(peek.after));
    }

    figure->LocalSetFlipH(true);
    figure->AddTask(new Corvane::CuePointTask(cues[2]));
    figure->AddTask(new NodeAnimationTask(label("StartJump"), kNodeAnimationTaskCompleteOnStart));
    figure->AddTask(jump("ToolShed_ScarrowJumpingPath_1"));
    figure->AddTask(new NodeAnimationTask(label("ArmShake"), kNodeAnimationTaskCompleteOnStart));
    for (int group = 0; group < 3; ++group)
    {
        figure->AddTask(new NodeLocationTask(pointOf("ScarrowArmShakeLocations", static_cast<std::size_t>(group))));
        figure->AddTask(newCallTask([this, group] { throwUpToolsWithIndex(group); }));
        figure->AddTask(new Corvane::TimedTask(pause));
    }
    figure->AddTask(new NodeAnimationTask(label("StartJump"), kNodeAnimationTaskCompleteOnStart));
    figure->AddTask(jump("ToolShed_ScarrowJumpingPath_2"));
    figure->AddTask(new Corvane::CuePointTask(cues[3]));

    sequence->AddTask(new Corvane::CuePointTask(cues[3]));
    sequence->AddTask(newCallTask([this] { landAllTools(); }));
    sequence->AddTask(new Corvane::TimedTask(0.4f + fallTime));
    sequence->AddTask(newCallTask([this] { setupInstructionMode(gameLabel(), kIntroFennState_Waving, true); }));
    sequence->AddTask(newCallTask([this] {
        if (SceneNode* const fenn = findPlayfieldNode(kFennInGamePath))
            fenn->LocalSetVisible(true);
    }));
    sequence->AddTask(new Corvane::CuePointTask(cues[4]));

    // Until the overlay has been pushed and Fenn shown, no click reaches a tool or a box.
    inputMask->AddTask(new Corvane::CuePointTask(cues[4]));
    inputMask->AddTask(new NodeVisibleTask(false));
}

void ToolShedMode::Update(float dt)
{
    QuarrydaleGameMode::Update(dt);
    std::pair<int, int> const mouse = Corvane::MainLoop::GetLastMousePos();
    OnMouseMove(mouse.first, mouse.second);
    if (levelSetUp && getTools().empty())
        playOutroAnimation();
}

void ToolShedMode::playOutroAnimation()
{
    if (outroStarted)
        return;
    outroStarted = true;
    for (ToolShedToolBox* const box : getToolBoxes())
        box->closeToolBox();
    GetAudioManager()->playSpecificSoundVocal(label("ToolShed_GameComplete"));
    if (SceneNode* const inputMask = findPlayfieldNode(kMouseInputClickMaskPath))
        inputMask->LocalSetVisible(true);
    if (Corvane::Object* const sequence = getSequenceObject())
    {
        sequence->AddTask(new Corvane::TimedTask(2.0f));
        sequence->AddTask(newCallTask([this] { endLevel(); }));
    }
}

void ToolShedMode::cancelItemDragging()
{
    if (DragSource<ToolShedItem*>* const held = DragSource<ToolShedItem*>::GetHeldDragSource_Mutable())
        held->Release();
}

void ToolShedMode::refreshMode()
{
    Corvane::MainLoop::UnwindToMode(new ToolShedMode());
}

void ToolShedMode::setupCursor()
{
    setGameCursor();
}
