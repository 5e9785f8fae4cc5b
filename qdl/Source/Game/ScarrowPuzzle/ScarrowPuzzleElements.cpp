#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleElements.h"

#include <functional>

#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "CorvaneExtensions/Source/NodeTasks.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameConstants.h"
#include "qdl/Source/Game/NodeFeedbackTasks.h"
#include "qdl/Source/Game/QuarrydaleGameMode.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"

using Corvane::Label;
using Corvane::Vector2;

namespace
{

NodePathElement const kPieceImagePath[2] = {"imageNode", NodePathTerminator()};
NodePathElement const kPieceRolloverPath[3] = {"imageNode", "rolloverNode", NodePathTerminator()};
NodePathElement const kSlotImagePath[2] = {"imageNode", NodePathTerminator()};
NodePathElement const kSlotClickZonePath[2] = {"clickZone", NodePathTerminator()};

// Clicks follow the piece's outline: only pixels more opaque than this take them.
int const kPieceAlphaSensitivity = 128;

Label label(char const* text)
{
    return Label::GetUniqueString(text);
}

void resetHint(int level, char const* element)
{
    if (QuarrydaleGameMode* const mode = MiniGameElement::getTopModeAs<QuarrydaleGameMode>(element))
        mode->resetHintTimer(level);
}

Corvane::Task* playEffect(char const* sound)
{
    Label const effect = label(sound);
    return new SimpleFunctionTask<Corvane::Object>(
        [effect](Corvane::Object*, float) { GetAudioManager()->playSFX(effect); });
}

StaticSpriteNode* showFrame(SceneNode* node, Label images, int frame)
{
    StaticSpriteNode* const sprite = dynamic_cast<StaticSpriteNode*>(node);
    if (sprite)
        sprite->setImage(images, frame);
    return sprite;
}

} // namespace

// --- the piece ---------------------------------------------------------------------

ScarrowPuzzlePiece::ScarrowPuzzlePiece(ScarrowPuzzlePieceSlotData const& data)
    : MiniGameDragSource<ScarrowPuzzlePiece>("ScarrowPuzzlePieceLayout", kPieceImagePath, kPieceRolloverPath),
      image(data.image),
      rollover(data.rollover),
      pieceNum(data.pieceNum),
      x(data.x),
      y(data.y)
{
    if (StaticSpriteNode* const picture = showFrame(findLayoutNode(kPieceImagePath), image, pieceNum))
        picture->SetAlphaSensitivity(kPieceAlphaSensitivity);
    showFrame(findLayoutNode(kPieceRolloverPath), rollover, pieceNum);
    finishWiring();
    item = this;
}

ScarrowPuzzlePiece::~ScarrowPuzzlePiece() {}

Label ScarrowPuzzlePiece::GetRole() const
{
    static Label const role = label("ScarrowPuzzle_PuzzlePiece");
    return role;
}

Vector2<float> ScarrowPuzzlePiece::startPointInParent() const
{
    // A node's own conversion gives the point in its parent's coordinates, where its location lives.
    return layoutRoot->GlobalToLocalPoint(Vector2<float>(x, y));
}

void ScarrowPuzzlePiece::moveToStartPt()
{
    Vector2<float> const at = startPointInParent();
    layoutRoot->LocalSetLocation(at.x, at.y);
}

void ScarrowPuzzlePiece::setUpIntroAnim()
{
    Vector2<float> const start = startPointInParent();
    layoutRoot->AddTask(playEffect("SFX_BrickDrop"));
    layoutRoot->AddTask(getNodeErrorShakeTask());
    layoutRoot->AddTask(new Corvane::TimedTask(1.0f));
    layoutRoot->AddTask(playEffect("SFX_BrickDrop"));
    layoutRoot->AddTask(getNodeErrorShakeTask());
    layoutRoot->AddTask(new NodeBezierLocationTask(Vector2<float>(0.0f, 0.0f),
                                                   Vector2<float>(0.5f * start.x, 1.3f * start.y),
                                                   Vector2<float>(0.0f, start.x / 5.0f), 1.0f));
    layoutRoot->AddTask(playEffect("SFX_BrickDrop"));
    Corvane::CuePoint* const landed = Corvane::CuePoint::Create();
    AddTask(new Corvane::CuePointTask(landed));
    layoutRoot->AddTask(new Corvane::CuePointTask(landed));
}

void ScarrowPuzzlePiece::DoOnStartDragging()
{
    resetHint(2, "ScarrowPuzzlePiece");
    GetAudioManager()->playSFX(label("SFX_ObjectStick"));
    if (SceneNode* const copy = makeMouseFollowCopy())
        if (SceneNode* const picture = showFrame(copy->GetDescendent(kPieceImagePath), image, pieceNum))
            picture->AddTask(getNodeItemPickUpAnimTask());
    if (SceneNode* const picture = findLayoutNode(kPieceImagePath))
        picture->LocalSetAlpha(0.0f);
    acceptMouseInput(false);
}

void ScarrowPuzzlePiece::DoOnCancel()
{
    putBack();
}

void ScarrowPuzzlePiece::DoOnReleased()
{
    putBack();
}

void ScarrowPuzzlePiece::putBack()
{
    resetHint(1, "ScarrowPuzzlePiece");
    if (SceneNode* const picture = findLayoutNode(kPieceImagePath))
        picture->LocalSetAlpha(1.0f);
    acceptMouseInput(true);
    destroyMouseFollowCopy();
}

void ScarrowPuzzlePiece::shakeMouseFollowNode()
{
    Corvane::ObjectDatabase* const database = Corvane::GetObjectDatabase();
    if (SceneNode* const copy = database ? dynamic_cast<SceneNode*>(database->GetObject(dragCopyID)) : nullptr)
        copy->AddTask(getNodeErrorShakeTask());
}

// --- the slot ------------------------------------------------------------------------

ScarrowPuzzlePieceSlot::ScarrowPuzzlePieceSlot(Label image_, int pieceNum_)
    : MiniGameDropTarget<ScarrowPuzzlePiece>("ScarrowPuzzlePieceSlotLayout", kSlotClickZonePath),
      image(image_),
      pieceNum(pieceNum_),
      filled(false)
{
    if (StaticSpriteNode* const picture = showFrame(findLayoutNode(kSlotImagePath), image, pieceNum))
        picture->SetAlphaSensitivity(kPieceAlphaSensitivity);
    finishWiring();
}

ScarrowPuzzlePieceSlot::~ScarrowPuzzlePieceSlot() {}

Label ScarrowPuzzlePieceSlot::GetRole() const
{
    static Label const role = label("ScarrowPuzzle_PuzzlePieceSlot");
    return role;
}

bool ScarrowPuzzlePieceSlot::fits(ScarrowPuzzlePiece const* piece) const
{
    return piece && piece->image == image && piece->pieceNum == pieceNum;
}

Vector2<float> ScarrowPuzzlePieceSlot::getCentre() const
{
    SceneNode* const zone = findLayoutNode(kSlotClickZonePath);
    if (!zone)
        return layoutRoot->GlobalGetLocation();
    Corvane::Rect<float> const bounds = zone->GlobalGetBounds();
    return Vector2<float>(bounds.x + bounds.width / 2.0f, bounds.y + bounds.height / 2.0f);
}

bool ScarrowPuzzlePieceSlot::isNear(float maxDistance, Vector2<float> centre, Vector2<float> mouse)
{
    float const dx = mouse.x - centre.x;
    float const dy = mouse.y - centre.y;
    return maxDistance * maxDistance > dx * dx + dy * dy;
}

void ScarrowPuzzlePieceSlot::handleMouseDown()
{
    ScarrowPuzzlePiece* const piece =
        dynamic_cast<ScarrowPuzzlePiece*>(DragSource<ScarrowPuzzlePiece*>::GetHeldDragSource_Mutable());
    if (!piece || filled)
        return;
    std::pair<int, int> const last = Corvane::MainLoop::GetLastMousePos();
    Vector2<float> const mouse(static_cast<float>(last.first), static_cast<float>(last.second));
    float const reach = Corvane::Constant<float>("PieceSlotMaxClickDist");
    Corvane::ObjectDatabase* const database = Corvane::GetObjectDatabase();
    for (Corvane::ObjectID id : database->GetObjectsWithRole(GetRole()))
    {
        ScarrowPuzzlePieceSlot* const slot = dynamic_cast<ScarrowPuzzlePieceSlot*>(database->GetObject(id));
        if (!slot || slot == this || slot->filled)
            continue;
        if (isNear(reach, slot->getCentre(), mouse) && slot->fits(piece))
        {
            DragLeave();
            slot->puzzleSlotClicked(piece);
            return;
        }
    }
    puzzleSlotClicked(piece);
}

void ScarrowPuzzlePieceSlot::puzzleSlotClicked(ScarrowPuzzlePiece* piece)
{
    if (!fits(piece))
    {
        piece->shakeMouseFollowNode();
        GetAudioManager()->playSpecificSoundVocal(label("ScarrowPuzzle_IncorrectAnswer"));
        return;
    }
    // The piece goes to the slot judged, whatever slot the mouse last entered.
    DragEnter();
    piece->Release();
    GetAudioManager()->playInGameFeedbackVocal(true);
}

void ScarrowPuzzlePieceSlot::DropActivated(ScarrowPuzzlePiece* piece)
{
    if (SceneNode* const picture = findLayoutNode(kSlotImagePath))
        picture->LocalSetAlpha(1.0f);
    acceptMouseInput(false);
    filled = true;
    // A filled slot is nobody's target any more: a later cancel must not drop a piece here.
    DragLeave();
    GetAudioManager()->playSFX(label("SFX_BrickDrop"));
    if (Corvane::ObjectDatabase* const database = Corvane::GetObjectDatabase())
        database->DestroyObject(piece->GetID());
}
