#include "qdl/Source/Game/StickerBook/StickerBookElements.h"

#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "CorvaneExtensions/Source/NodePath.h"
#include "CorvaneExtensions/Source/SceneLayout.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/StickerBook/StickerBookMode.h"

using Corvane::Label;
using Corvane::ObjectID;

namespace
{

NodePathElement const kStickerImagePath[] = {"StickerImage", NodePathTerminator()};
NodePathElement const kClickMaskPath[] = {"StickerMode", "Material_ClickMask", NodePathTerminator()};
NodePathElement const kStickerFXLayerPath[] = {"StickerMode", "FX_Layer", NodePathTerminator()};
NodePathElement const kClickNodePath[] = {"clickNode", NodePathTerminator()};
NodePathElement const kStickerHolderPath[] = {"stickerHolderNode", NodePathTerminator()};

Label stickersList()
{
    static Label const label = Label::GetUniqueString("AllStickersList");
    return label;
}

// The sticker being picked up while the one held before is cancelled.
ObjectID sPickingUp = Corvane::kInvalidObjectID;

void setClickMaskInput(bool on)
{
    if (SceneNode* const mask = RootDescendent(kClickMaskPath))
        mask->SetHitTest(on);
}

// A full-size copy of the sticker under the parent, centred on its root,
// registered in the current database; null without a layout or database.
SceneNode* makeStickerCopy(SceneNode* parent, int index)
{
    Corvane::ObjectDatabase* const database = Corvane::GetObjectDatabase();
    Corvane::AutoResource<SceneLayout> const layout("StickerLayout");
    if (!parent || !database || !layout)
        return nullptr;
    SceneNode* const root = layout->InstantiateLayout(database, parent);
    if (!root)
        return nullptr;
    if (StaticSpriteNode* const image = dynamic_cast<StaticSpriteNode*>(root->GetDescendent(kStickerImagePath)))
    {
        image->setImage(stickersList(), index);
        image->SetNodeAttachParams(NodeAttachNPI::CenterOnParent());
    }
    return root;
}

} // namespace

Sticker::Sticker(int index) : MiniGameDragSource<Sticker>("StickerLayout", kStickerImagePath), stickerIndex(index)
{
    if (StaticSpriteNode* const image = dynamic_cast<StaticSpriteNode*>(findLayoutNode(kStickerImagePath)))
    {
        image->setImage(stickersList(), stickerIndex);
        float const height = image->GetHeight();
        float const scale = height > kMaxEntryHeight ? kMaxEntryHeight / height : 1.0f;
        layoutRoot->LocalSetScale(Corvane::Vector2<float>(scale, scale));
    }
    finishWiring();
    item = this;
}

Sticker::~Sticker() {}

void Sticker::handleMouseDown()
{
    if (DragSource<Sticker*>::GetHeldDragSource() == this)
        return;
    sPickingUp = GetID();
    Drag();
    sPickingUp = Corvane::kInvalidObjectID;
}

void Sticker::DoOnStartDragging()
{
    if (StickerBookMode* const book = dynamic_cast<StickerBookMode*>(Corvane::MainLoop::GetTopMostMode(0)))
        book->turnOffDeleteMode();
    setClickMaskInput(true);
    if (SceneNode* const copy = makeStickerCopy(RootDescendent(kStickerFXLayerPath), stickerIndex))
    {
        copy->LocalSetLocation(-900.0f, -900.0f);
        dragCopyID = copy->GetID();
    }
}

void Sticker::DoOnCancel()
{
    dropDragImage();
}

void Sticker::DoOnReleased()
{
    dropDragImage();
}

void Sticker::dropDragImage()
{
    // When another sticker replaces this one, it has just switched the mask on for itself.
    if (sPickingUp == Corvane::kInvalidObjectID || sPickingUp == GetID())
        setClickMaskInput(false);
    destroyMouseFollowCopy();
}

StickerBookSurface::StickerBookSurface() : MiniGameDropTarget<Sticker>("StickerBookSurfaceLayout", kClickNodePath)
{
    finishWiring();
}

StickerBookSurface::~StickerBookSurface() {}

Label StickerBookSurface::GetName() const
{
    static Label const name = Label::GetUniqueString("StickerBook_StickerSurface");
    return name;
}

SceneNode* StickerBookSurface::getStickerHolder() const
{
    return findLayoutNode(kStickerHolderPath);
}

void StickerBookSurface::handleMouseDown()
{
    DragSource<Sticker*>* const held = DragSource<Sticker*>::GetHeldDragSource_Mutable();
    if (!held)
        return;
    attachSticker(held->getItem()->getStickerIndex());
    held->Release();
}

void StickerBookSurface::attachSticker(int index)
{
    static Label const stick = Label::GetUniqueString("SFX_StickerStick");
    GetAudioManager()->playSFX(stick);
    SceneNode* const holder = getStickerHolder();
    SceneNode* const root = makeStickerCopy(holder, index);
    if (!root)
        return;
    ObjectID const id = root->GetID();
    if (StaticSpriteNode* const image = dynamic_cast<StaticSpriteNode*>(root->GetDescendent(kStickerImagePath)))
    {
        image->mouseDownSignal.connect(
            [this, id](SceneNode*, Corvane::MouseButton, int, int) { deleteSticker(id); });
        image->SetAlphaSensitivity(128);
        image->SetHitTest(true);
    }
    std::pair<int, int> const mouse = Corvane::MainLoop::GetLastMousePos();
    Corvane::Vector2<int> const local = holder->GlobalToLocalPoint(Corvane::Vector2<int>(mouse.first, mouse.second));
    root->LocalSetLocation(static_cast<float>(local.x), static_cast<float>(local.y));
}

void StickerBookSurface::deleteSticker(ObjectID id)
{
    Corvane::ObjectDatabase* const database = GetDatabase();
    if (Corvane::Object* const stuck = database ? database->GetObject(id) : nullptr)
        stuck->AddTask(new Corvane::SelfDestructTask());
}

void StickerBookSurface::setStickersDeleteMode(bool on)
{
    acceptMouseInput(!on);
    SceneNode* const holder = getStickerHolder();
    if (!holder)
        return;
    for (SceneNode* const stuck : holder->GetChildren())
        if (StaticSpriteNode* const image = dynamic_cast<StaticSpriteNode*>(stuck->GetDescendent(kStickerImagePath)))
            image->SetHitTest(on);
}
