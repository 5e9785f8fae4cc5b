#include "qdl/Source/Game/PlanAJob/PlanAJobElements.h"

#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameConstants.h"
#include "qdl/Source/Game/NodeFeedbackTasks.h"
#include "qdl/Source/Game/QuarrydaleGameMode.h"

using Corvane::Label;

namespace
{

NodePathElement const kCardImagePath[2] = {"imageNode", NodePathTerminator()};
NodePathElement const kCardRolloverPath[2] = {"rollover", NodePathTerminator()};
NodePathElement const kCancelMaskPath[4] = {"GameScreenRoot", "Playfield", "Material_ClickMask", NodePathTerminator()};

Label label(char const* text)
{
    return Label::GetUniqueString(text);
}

void resetHint(int level, char const* element)
{
    if (QuarrydaleGameMode* const mode = MiniGameElement::getTopModeAs<QuarrydaleGameMode>(element))
        mode->resetHintTimer(level);
}

void showFrame(SceneNode* node, Label images, int frame)
{
    if (StaticSpriteNode* const image = dynamic_cast<StaticSpriteNode*>(node))
        image->setImage(images, frame);
}

void setCancelMask(bool on)
{
    if (SceneNode* const mask = RootDescendent(kCancelMaskPath))
        mask->SetHitTest(on);
}

} // namespace

// --- the card ----------------------------------------------------------------------

JobSequenceItem::JobSequenceItem(Label imageList_, int step_)
    : MiniGameDragSource<JobSequenceItem>("JobSequenceItemLayout", kCardImagePath, kCardRolloverPath),
      step(step_),
      imageList(imageList_)
{
    showFrame(findLayoutNode(kCardImagePath), imageList, step);
    finishWiring();
    item = this;
}

JobSequenceItem::~JobSequenceItem() {}

Label JobSequenceItem::GetRole() const
{
    static Label const role = label("PlanAJob_DropItem");
    return role;
}

void JobSequenceItem::DoOnStartDragging()
{
    resetHint(2, "JobSequenceItem");
    layoutRoot->LocalSetVisible(false);
    setCancelMask(true);
    if (SceneNode* const copy = makeMouseFollowCopy())
    {
        showFrame(copy->GetDescendent(kCardImagePath), imageList, step);
        copy->AddTask(getNodeItemPickUpAnimTask());
    }
    GetAudioManager()->playSFX(label("SFX_ObjectStick"));
}

void JobSequenceItem::DoOnCancel()
{
    putBack();
}

void JobSequenceItem::DoOnReleased()
{
    putBack();
}

void JobSequenceItem::putBack()
{
    resetHint(1, "JobSequenceItem");
    // Cancelled because another card was picked up: that card needs the mask, and this one is still recorded as held.
    if (!DragSource<JobSequenceItem*>::GetHeldDragSource())
        setCancelMask(false);
    destroyMouseFollowCopy();
    layoutRoot->LocalSetVisible(true);
}

void JobSequenceItem::startErrorShake()
{
    resetHint(2, "JobSequenceItem");
    Corvane::ObjectDatabase* const database = Corvane::GetObjectDatabase();
    if (Corvane::Object* const copy = database ? database->GetObject(dragCopyID) : nullptr)
    {
        // An unfinished pick-up pop would fight the shake over the copy's place.
        copy->RemoveAllTasks();
        copy->AddTask(getNodeErrorShakeTask());
    }
}

// --- the slot ------------------------------------------------------------------------

JobSequenceSlot::JobSequenceSlot(Label targetImages_, int step_)
    : MiniGameDropTarget<JobSequenceItem>("JobSequenceSlotLayout", kCardImagePath),
      targetImages(targetImages_),
      step(step_),
      filled(false)
{
    showFrame(findLayoutNode(kCardImagePath), label("BluePrintTargetImages"), step);
    finishWiring();
}

JobSequenceSlot::~JobSequenceSlot() {}

Label JobSequenceSlot::GetRole() const
{
    static Label const role = label("PlanAJob_DropSlot");
    return role;
}

void JobSequenceSlot::handleMouseDown()
{
    JobSequenceItem* const card =
        dynamic_cast<JobSequenceItem*>(DragSource<JobSequenceItem*>::GetHeldDragSource_Mutable());
    if (!card || filled)
        return;
    if (card->step != step)
    {
        card->startErrorShake();
        GetAudioManager()->playSpecificSoundVocal(label("PlanAJob_IncorrectAnswer"));
        return;
    }
    // The click is on this slot: it is the target even if no mouse move has entered it yet.
    DragEnter();
    card->Release();
    GetAudioManager()->playInGameFeedbackVocal(true);
}

void JobSequenceSlot::DropActivated(JobSequenceItem* card)
{
    setAsFilled();
    // A filled slot is nobody's target any more: a later cancel must not drop a card here.
    DragLeave();
    if (Corvane::ObjectDatabase* const database = Corvane::GetObjectDatabase())
        database->DestroyObject(card->GetID());
}

void JobSequenceSlot::setAsFilled()
{
    filled = true;
    showFrame(findLayoutNode(kCardImagePath), targetImages, step);
    acceptMouseInput(false);
}
