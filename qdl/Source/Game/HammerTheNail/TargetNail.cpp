#include "qdl/Source/Game/HammerTheNail/TargetNail.h"

#include "CorvaneExtensions/Source/SceneApplicationMode.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/HammerTheNail/DraggableTool.h"
#include "qdl/Source/Game/HammerTheNail/HammerTheNailMode.h"

using namespace Corvane;

namespace
{
Label const kWrongToolVoice = Label::GetUniqueString("FixIt_WrongTool");
Label const kClickAgainVoice = Label::GetUniqueString("FixIt_ClickAgain");
Label const kNailCompleteVoice = Label::GetUniqueString("FixIt_NailComplete");
} // namespace

TargetNail::TargetNail(FixItToolType type_, FixItToolColor color_, int clickCount_)
    : type(type_), color(color_), clickCount(clickCount_)
{
    layoutNode = buildFixItLayout("NailLayout", nullptr, nullptr);
    image = Label::FromString(fixItNailImageName(type, color));
    if (StaticSpriteNode* const shape = dynamic_cast<StaticSpriteNode*>(getShapeNode()))
        shape->setImage(image, clickCount);
    setupMouseHandling();
    acceptMouseInput(true);
}

TargetNail::~TargetNail()
{
}

Label TargetNail::GetRole() const
{
    static Label const role = Label::GetUniqueString("HammerTheNail_Nail");
    return role;
}

SceneNode* TargetNail::getShapeNode() const
{
    return layoutNode ? layoutNode->GetDescendent(kFixItNailShapePath) : nullptr;
}

void TargetNail::setupMouseHandling()
{
    SceneNode* const shape = getShapeNode();
    if (!shape)
        return;
    shape->mouseDownSignal.connect([this](SceneNode*, MouseButton, int, int) { handleMouseDown(); });
    shape->mouseUpSignal.connect([this](SceneNode*, MouseButton, int, int) { handleMouseUp(); });
    shape->mouseEnterSignal.connect([this](SceneNode*) { handleMouseEnter(); });
    shape->mouseExitSignal.connect([this](SceneNode*) { handleMouseExit(); });
}

void TargetNail::acceptMouseInput(bool accept)
{
    if (SceneNode* const shape = getShapeNode())
        shape->SetHitTest(accept);
}

void TargetNail::handleMouseEnter()
{
    DragEnter();
}

void TargetNail::handleMouseExit()
{
    DragLeave();
}

void TargetNail::handleMouseDown()
{
    DragSource<DraggableTool*>* const held = DragSource<DraggableTool*>::GetHeldDragSource_Mutable();
    if (held)
        hitWithTool(held->getItem());
}

void TargetNail::hitWithTool(DraggableTool* tool)
{
    if (!tool)
        return;
    if (QuarrydaleGameMode* const mode =
            dynamic_cast<QuarrydaleGameMode*>(SceneApplicationMode::FromDatabase(GetDatabase())))
        mode->resetHintTimer(2);
    if (clickCount <= 0)
    {
        GetAudioManager()->playSpecificSoundVocal(kNailCompleteVoice);
        return;
    }
    if (tool->getType() != type || tool->getColor() != color)
    {
        GetAudioManager()->playSpecificSoundVocal(kWrongToolVoice);
        return;
    }
    tool->animateClickOnNail(this);
    GetAudioManager()->playSpecificSoundVocal(clickCount == 1 ? kNailCompleteVoice : kClickAgainVoice);
}

void TargetNail::decreaseNailSize()
{
    --clickCount;
    if (StaticSpriteNode* const shape = dynamic_cast<StaticSpriteNode*>(getShapeNode()))
        shape->setImage(image, clickCount);
    if (HammerTheNailMode* const mode =
            dynamic_cast<HammerTheNailMode*>(SceneApplicationMode::FromDatabase(GetDatabase())))
        mode->checkEndLevel();
}
