#include "qdl/Source/Game/ToolShed/ToolShedElements.h"

#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameConstants.h"
#include "qdl/Source/Game/NodeFeedbackTasks.h"
#include "qdl/Source/Game/QuarrydaleGameMode.h"
#include "qdl/Source/Game/ToolShed/ToolShedLevel.h"

using Corvane::Label;

namespace
{

// The box sprite type of each of the six places.
char const* const kToolBoxSpriteTypes[ToolShedLevel::kMaxToolBoxes] = {
    "ToolBox_Left_SpriteType", "ToolBox_Middle_SpriteType", "ToolBox_Right_SpriteType",
    "ToolBox_Left_SpriteType", "ToolBox_Middle_SpriteType", "ToolBox_Right_SpriteType"};

Label label(char const* text)
{
    return Label::GetUniqueString(text);
}

void resetHint(int level, char const* element)
{
    if (QuarrydaleGameMode* const mode = MiniGameElement::getTopModeAs<QuarrydaleGameMode>(element))
        mode->resetHintTimer(level);
}

// The title character's picture on the playfield.
void showFenn(char const* image)
{
    SceneNode* const playfield = RootDescendent(kPlayfieldPath);
    StaticSpriteNode* const fenn =
        playfield ? dynamic_cast<StaticSpriteNode*>(playfield->GetDescendent(kFennInGamePath)) : nullptr;
    if (fenn)
        fenn->setImage(label(image));
}

} // namespace

// --- the tool ---------------------------------------------------------------------

ToolShedItem::ToolShedItem(ToolShedToolType toolType_, ToolShedToolColor color_)
    : MiniGameDragSource<ToolShedItem>("ToolShedItemLayout", kImageNodePath, kToolRolloverPath),
      toolType(toolType_),
      color(color_),
      landingLocation(0.0f, 0.0f),
      throwGroup(0)
{
    if (StaticSpriteNode* const image = dynamic_cast<StaticSpriteNode*>(findLayoutNode(kImageNodePath)))
        image->setImage(kToolShedToolSprites[toolType], color);
    if (StaticSpriteNode* const rollover = dynamic_cast<StaticSpriteNode*>(findLayoutNode(kToolRolloverPath)))
        rollover->setImage(label("ToolShedTool_rollover"), toolType);
    finishWiring();
    item = this;
}

ToolShedItem::~ToolShedItem() {}

Label ToolShedItem::GetRole() const
{
    static Label const role = label("ToolShed_DropItem");
    return role;
}

void ToolShedItem::DoOnStartDragging()
{
    resetHint(2, "ToolShedItem");
    if (SceneNode* const copy = makeMouseFollowCopy())
        if (StaticSpriteNode* const image = dynamic_cast<StaticSpriteNode*>(copy->GetDescendent(kImageNodePath)))
            image->setImage(kToolShedToolSprites[toolType], color);
    if (SceneNode* const image = findLayoutNode(kImageNodePath))
        image->LocalSetAlpha(0.0f);
    nodePickUp();
    acceptMouseInput(false);
    GetAudioManager()->playSFX(label("SFX_ObjectStick"));
}

void ToolShedItem::DoOnCancel()
{
    resetHint(1, "ToolShedItem");
    destroyMouseFollowCopy();
    acceptMouseInput(true);
    if (SceneNode* const image = findLayoutNode(kImageNodePath))
        image->LocalSetAlpha(1.0f);
}

void ToolShedItem::DoOnReleased()
{
    resetHint(1, "ToolShedItem");
    showFenn("ToolShed_Fenn_happy");
    // The box has destroyed the tool already; its nodes wait for the purge, so this is harmless.
    destroyMouseFollowCopy();
    acceptMouseInput(true);
    if (SceneNode* const image = findLayoutNode(kImageNodePath))
        image->LocalSetAlpha(1.0f);
}

void ToolShedItem::nodePickUp()
{
    Corvane::ObjectDatabase* const database = Corvane::GetObjectDatabase();
    if (Corvane::Object* const copy = database ? database->GetObject(dragCopyID) : nullptr)
        copy->AddTask(getNodeItemPickUpAnimTask());
}

void ToolShedItem::errorShake()
{
    showFenn("ToolShed_Fenn");
    Corvane::ObjectDatabase* const database = Corvane::GetObjectDatabase();
    if (Corvane::Object* const copy = database ? database->GetObject(dragCopyID) : nullptr)
        copy->AddTask(getNodeErrorShakeTask());
}

// --- the tool box -------------------------------------------------------------------

ToolShedToolBox::ToolShedToolBox(ToolShedToolType toolType_, ToolShedToolColor color_, int position)
    : MiniGameDropTarget<ToolShedItem>("ToolShedToolBoxLayout", kBoxClickRectPath),
      toolType(toolType_),
      color(color_),
      throwGroup(0)
{
    bool const placed = position >= 0 && position < ToolShedLevel::kMaxToolBoxes;
    if (AnimatedSpriteNode* const box = dynamic_cast<AnimatedSpriteNode*>(findLayoutNode(kBoxAnimNodePath)))
    {
        if (placed)
            box->SetSpriteType(label(kToolBoxSpriteTypes[position]));
        box->SetAnimation(label("Closed"), false);
    }
    if (StaticSpriteNode* const sign = dynamic_cast<StaticSpriteNode*>(findLayoutNode(kBoxSignNodePath)))
    {
        sign->setImage(kToolShedToolLabelSprites[toolType], color);
        // The outer boxes' plates sit a little further out, away from their neighbours.
        Corvane::Vector2<float> const at = sign->LocalGetLocation();
        if (placed && position % 3 == 0)
            sign->LocalSetLocation(at.x - 2.0f, at.y);
        else if (placed && position % 3 == 2)
            sign->LocalSetLocation(at.x + 2.0f, at.y);
    }
    throwGroup = position % 3;
    finishWiring();
}

ToolShedToolBox::~ToolShedToolBox() {}

Label ToolShedToolBox::GetRole() const
{
    static Label const role = label("ToolShed_DropSlot");
    return role;
}

void ToolShedToolBox::handleMouseDown()
{
    DragSource<ToolShedItem*>* const held = DragSource<ToolShedItem*>::GetHeldDragSource_Mutable();
    ToolShedItem* const tool = dynamic_cast<ToolShedItem*>(held);
    if (!tool)
        return;
    bool const sameType = tool->toolType == toolType;
    bool const sameColor = tool->color == color;
    AudioManager* const audio = GetAudioManager();
    if (sameType && sameColor)
    {
        audio->playSFX(label("SFX_Toolbox"));
        // The click is on this box: it is the target even if no mouse move has entered it yet.
        DragEnter();
        tool->Release();
        return;
    }
    if (!sameType && !sameColor)
        audio->playInGameFeedbackVocal(false);
    else if (!sameType)
        audio->playSpecificSoundVocal(label("ToolShed_WrongTool"));
    else
        audio->playSpecificSoundVocal(label("ToolShed_WrongColor"));
    tool->errorShake();
}

void ToolShedToolBox::DropActivated(ToolShedItem* tool)
{
    if (Corvane::ObjectDatabase* const database = Corvane::GetObjectDatabase())
        database->DestroyObject(tool->GetID());
    GetAudioManager()->playInGameFeedbackVocal(true);
}

void ToolShedToolBox::shakeToolBox(int group)
{
    if (group != throwGroup)
        return;
    if (AnimatedSpriteNode* const box = dynamic_cast<AnimatedSpriteNode*>(findLayoutNode(kBoxAnimNodePath)))
        box->SetAnimation(label("Shaking"), false);
}

void ToolShedToolBox::closeToolBox()
{
    if (AnimatedSpriteNode* const box = dynamic_cast<AnimatedSpriteNode*>(findLayoutNode(kBoxAnimNodePath)))
        box->SetAnimation(label("Closed"), false);
}
