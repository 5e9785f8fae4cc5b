#include "qdl/Source/Game/HammerTheNail/DraggableTool.h"

#include <algorithm>
#include <string>
#include <vector>

#include "Core/Source/Angle.h"
#include "Core/Source/Log.h"
#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "CorvaneExtensions/Source/NodeTasks.h"
#include "CorvaneExtensions/Source/SceneApplicationMode.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameConstants.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"
#include "qdl/Source/Game/HammerTheNail/HammerTheNailMode.h"
#include "qdl/Source/Game/HammerTheNail/TargetNail.h"

using namespace Corvane;

namespace
{
Label const kRolloverImages = Label::GetUniqueString("FixIt_Tool_InBox_rollover");
Label const kWrenchInHand = Label::GetUniqueString("FixIt_Tool_InHand_Wrench");
Label const kNormalAnimation = Label::GetUniqueString("Normal");
Label const kRotateAnimation = Label::GetUniqueString("Rotate");
Label const kRolloverSound = Label::GetUniqueString("SFX_ObjectRollover");
Label const kStickSound = Label::GetUniqueString("SFX_ObjectStick");
Label const kScrewSound = Label::GetUniqueString("SFX_Screw");
Label const kToolboxSound = Label::GetUniqueString("SFX_Toolbox");

// Off screen until the next update moves it to the mouse.
Vector2<float> const kParkedLocation(-900.0f, -900.0f);

bool isDriver(FixItToolType type)
{
    return type == kFixItToolType_DriverPlus || type == kFixItToolType_DriverMinus;
}

// The offset list's entry for a nail with that many clicks left: past its end the
// last entry, an empty list (0, 0); either is logged once per list.
Vector2<float> attachOffset(char const* listName, int clickCount)
{
    static std::vector<std::string> reported;
    std::vector<Vector2<float> > const offsets = Constant<std::vector<Vector2<float> > >(listName);
    if (clickCount >= 0 && static_cast<size_t>(clickCount) < offsets.size())
        return offsets[clickCount];
    if (std::find(reported.begin(), reported.end(), listName) == reported.end())
    {
        reported.push_back(listName);
        Internal::LogWrite("HammerTheNail: %s has no entry for a nail with %d clicks left; %s\n", listName,
                           clickCount, offsets.empty() ? "the tool is placed at the nail's corner" :
                                                         "its last entry is used");
    }
    return offsets.empty() ? Vector2<float>(0.0f, 0.0f) : offsets.back();
}
} // namespace

DraggableTool::DraggableTool(FixItToolType type_, FixItToolColor color_)
    : DragSource<DraggableTool*>(this),
      type(type_),
      color(color_),
      floatingObject(kInvalidObjectID),
      trackingMouse(true)
{
    layoutNode = buildFixItLayout("ToolLayout", nullptr, nullptr);
    boxImage = Label::FromString(fixItToolInBoxImageName(type));
    if (StaticSpriteNode* const shape = dynamic_cast<StaticSpriteNode*>(getShapeNode()))
        shape->setImage(boxImage, color);
    if (StaticSpriteNode* const rollover =
            layoutNode ? dynamic_cast<StaticSpriteNode*>(layoutNode->GetDescendent(kFixItToolRolloverPath)) : nullptr)
        rollover->setImage(kRolloverImages, type);
    setupMouseHandling();
    acceptMouseInput(true);
}

DraggableTool::~DraggableTool()
{
}

SceneNode* DraggableTool::getShapeNode() const
{
    return layoutNode ? layoutNode->GetDescendent(kFixItToolShapePath) : nullptr;
}

void DraggableTool::setupMouseHandling()
{
    SceneNode* const shape = getShapeNode();
    if (!shape)
        return;
    shape->mouseDownSignal.connect([this](SceneNode*, MouseButton, int, int) { handleMouseDown(); });
    shape->mouseUpSignal.connect([this](SceneNode*, MouseButton, int, int) { handleMouseUp(); });
    shape->mouseEnterSignal.connect([this](SceneNode*) { handleMouseEnter(); });
    shape->mouseExitSignal.connect([this](SceneNode*) { handleMouseExit(); });
}

void DraggableTool::acceptMouseInput(bool accept)
{
    if (SceneNode* const shape = getShapeNode())
        shape->SetHitTest(accept);
}

void DraggableTool::handleMouseDown()
{
    Drag();
}

void DraggableTool::handleMouseEnter()
{
    if (SceneNode* const rollover = layoutNode ? layoutNode->GetDescendent(kFixItToolRolloverPath) : nullptr)
        rollover->LocalSetVisible(true);
    GetAudioManager()->playSFX(kRolloverSound);
}

void DraggableTool::handleMouseExit()
{
    if (SceneNode* const rollover = layoutNode ? layoutNode->GetDescendent(kFixItToolRolloverPath) : nullptr)
        rollover->LocalSetVisible(false);
}

QuarrydaleGameMode* DraggableTool::getGameMode() const
{
    return dynamic_cast<QuarrydaleGameMode*>(SceneApplicationMode::FromDatabase(GetDatabase()));
}

SceneNode* DraggableTool::getFloatingNode() const
{
    ObjectDatabase* const database = GetDatabase();
    return database ? dynamic_cast<SceneNode*>(database->GetObject(floatingObject)) : nullptr;
}

void DraggableTool::DoOnStartDragging()
{
    if (QuarrydaleGameMode* const mode = getGameMode())
        mode->resetHintTimer(2);
    SceneNode* const floating = buildFixItLayout("FloatingToolLayout", GetDatabase(), RootDescendent(kFXLayerPath));
    if (floating)
    {
        if (isDriver(type))
        {
            if (AnimatedSpriteNode* const driver =
                    dynamic_cast<AnimatedSpriteNode*>(floating->GetDescendent(kFixItFloatingDriverPath)))
            {
                driver->SetSpriteType(Label::FromString(fixItDriverSpriteTypeName(type, color)));
                driver->SetAnimation(kNormalAnimation, false);
                driver->LocalSetVisible(true);
            }
        }
        else if (StaticSpriteNode* const wrench =
                     dynamic_cast<StaticSpriteNode*>(floating->GetDescendent(kFixItFloatingWrenchPath)))
        {
            wrench->setImage(kWrenchInHand, color);
            wrench->SetRotateAlignment(kHAlignment_Left, kVAlignment_Middle);
            wrench->LocalSetVisible(true);
        }
    }
    GetAudioManager()->playSFX(kStickSound);
    if (floating)
    {
        floating->LocalSetLocation(kParkedLocation);
        floatingObject = floating->GetID();
    }
    if (SceneNode* const shape = getShapeNode())
        shape->LocalSetAlpha(0.0f);
    acceptMouseInput(false);
}

void DraggableTool::DoOnCancel()
{
    putBackInBox();
}

void DraggableTool::DoOnReleased()
{
    putBackInBox();
}

void DraggableTool::putBackInBox()
{
    if (QuarrydaleGameMode* const mode = getGameMode())
        mode->resetHintTimer(1);
    if (SceneNode* const floating = getFloatingNode())
        floating->DestroySelf();
    GetAudioManager()->playSFX(kToolboxSound);
    if (SceneNode* const shape = getShapeNode())
        shape->LocalSetAlpha(1.0f);
    acceptMouseInput(true);
}

void DraggableTool::Update(float)
{
    if (trackingMouse)
        returnToolToCursor();
}

void DraggableTool::returnToolToCursor()
{
    if (SceneNode* const floating = getFloatingNode())
    {
        std::pair<int, int> const mouse = MainLoop::GetLastMousePos();
        floating->LocalSetLocation(static_cast<float>(mouse.first), static_cast<float>(mouse.second));
    }
}

void DraggableTool::animateClickOnNail(TargetNail* nail)
{
    float const spin = Corvane::ReadTimeConstant("FixIt_ToolSpinTime");
    SceneNode* const playfield = RootDescendent(kPlayfieldPath);
    if (SceneNode* const mouth = playfield ? playfield->GetDescendent(kFixItFennMouthPath) : nullptr)
    {
        mouth->AddTask(new NodeVisibleTask(true));
        mouth->AddTask(new TimedTask(spin));
        mouth->AddTask(new NodeVisibleTask(false));
    }
    GetAudioManager()->playSFX(kScrewSound);
    HammerTheNailMode* const mode = dynamic_cast<HammerTheNailMode*>(getGameMode());
    if (mode)
        mode->maskMouseInput(true);
    trackingMouse = false;

    SceneNode* const floating = getFloatingNode();
    SceneNode* const nailNode = nail->GetLayoutNode();
    if (floating && nailNode)
    {
        Rect<float> const bounds = nailNode->GlobalGetBounds();
        Vector2<float> const offset = attachOffset(isDriver(type) ? "ScrewToolAttachOffset" : "WrenchToolAttachOffset",
                                                   nail->getClickCount());
        floating->LocalSetLocation(bounds.x + offset.x, bounds.y + offset.y);
    }

    SceneNode* animated = nullptr;
    if (floating && isDriver(type))
    {
        animated = floating->GetDescendent(kFixItFloatingDriverPath);
        if (animated)
            animated->AddTask(new NodeAnimationTask(kRotateAnimation, kNodeAnimationTaskCompleteOnFinish));
    }
    else if (floating)
    {
        animated = floating->GetDescendent(kFixItFloatingWrenchPath);
        if (animated)
        {
            std::vector<Vector2<float> > const path = Constant<std::vector<Vector2<float> > >("WrenchCounterRotationPath");
            animated->LocalSetOrientation(Angle::FromDegrees(-45.0f));
            animated->AddTask(new ParallelTask(kParallelCompleteWhenAllComplete,
                                               new NodeOrientationTask(Angle::FromDegrees(45.0f), spin),
                                               new NodeCatmullRomPathTask(path, spin)));
            animated->AddTask(new NodeOrientationTask(Angle::FromDegrees(0.0f)));
            animated->AddTask(new NodeLocationTask(Vector2<float>(0.0f, 0.0f)));
        }
    }

    CuePoint* const cue = CuePoint::Create();
    if (animated)
        animated->AddTask(new CuePointTask(cue));
    AddTask(new CuePointTask(cue));
    // The nail is found again by its ID: it may be gone by the time the turn ends.
    ObjectID const nailID = nail->GetID();
    ObjectDatabase* const database = GetDatabase();
    AddTask(new SimpleFunctionTask<DraggableTool>([database, nailID](DraggableTool*, float) {
        if (TargetNail* const target = database ? dynamic_cast<TargetNail*>(database->GetObject(nailID)) : nullptr)
            target->decreaseNailSize();
    }));
    AddTask(new SimpleFunctionTask<DraggableTool>([](DraggableTool* tool, float) {
        if (tool)
            tool->trackMouse(true);
    }));
    AddTask(new SimpleFunctionTask<DraggableTool>([](DraggableTool* tool, float) {
        if (tool)
            tool->returnToolToCursor();
    }));
    AddTask(new SimpleFunctionTask<DraggableTool>([](DraggableTool* tool, float) {
        if (HammerTheNailMode* const game = tool ? dynamic_cast<HammerTheNailMode*>(tool->getGameMode()) : nullptr)
            game->maskMouseInput(false);
    }));
}
