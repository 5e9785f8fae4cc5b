#include "CorvaneExtensions/Source/SpriteNodes.h"

#include "2DEngine/Source/Framework/ContentNumbers.h"

#include "CorvaneExtensions/Source/AnimationController.h"
#include "CorvaneExtensions/Source/SpriteType.h"

#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "Core/Source/StringUtils.h"

using namespace Corvane;

namespace
{

IImage const* ImageOfList(ImageList const* list, int index)
{
    if (!list || index < 0 || index >= list->GetNumImages())
        return nullptr;
    return list->GetImage(index);
}

IImage const* FindImage(Label name)
{
    AutoResource<IImage> image(name);
    return image.Get();
}

IImage const* FindImageOfList(Label name, int index)
{
    AutoResource<ImageList> list(name);
    return ImageOfList(list.Get(), index);
}

// The point relative to the node's global top-left corner, truncated toward zero.
Vector2<int> LocalPixel(SceneNode const& node, Vector2<float> const& point)
{
    Vector2<float> const location = node.GlobalGetLocation();
    return Vector2<int>(static_cast<int>(point.x - location.x), static_cast<int>(point.y - location.y));
}

Label ReadResourceLabel(IAttributeContainer const& attributes, wchar_t const* name)
{
    std::wstring const text = attributes.GetAttribute(std::wstring(name));
    if (text.empty())
        return Label();
    return Label::FromString(TruncateStringWideToASCII(text));
}

} // namespace

// ---- StaticSpriteNode ------------------------------------------------------------------------

StaticSpriteNode::StaticSpriteNode(IImage const* image)
    : SceneNode(Label()), mImage(nullptr), mAlphaSensitivity(0), mNoBlur(false)
{
    setImage(image);
}

void StaticSpriteNode::setImage(IImage const* image)
{
    mImage = image;
    SetWidth(image ? static_cast<float>(image->GetWidth()) : 0.0f);
    SetHeight(image ? static_cast<float>(image->GetHeight()) : 0.0f);
}

void StaticSpriteNode::setImage(ImageList const* list, int index)
{
    setImage(ImageOfList(list, index));
}

void StaticSpriteNode::setImage(Label image)
{
    setImage(FindImage(image));
}

void StaticSpriteNode::setImage(Label imageList, int index)
{
    setImage(FindImageOfList(imageList, index));
}

bool StaticSpriteNode::GlobalPointIntersects(Vector2<float> const& point) const
{
    if (!mImage || !GlobalBoundsContains(point.x, point.y))
        return false;
    if (mAlphaSensitivity == 0)
        return true;
    Vector2<int> const pixel = LocalPixel(*this, point);
    return static_cast<int>(mImage->GetPixel(pixel.x, pixel.y).GetAlpha()) > mAlphaSensitivity;
}

void StaticSpriteNode::DrawAt(Vector2<float> const& offset)
{
    if (!GlobalIsVisible() || !mImage)
        return;
    DrawImage(mImage, offset, mNoBlur);
}

// ---- TiledSpriteNode -------------------------------------------------------------------------

TiledSpriteNode::TiledSpriteNode(IImage const* image, Vector2<float> const& size)
    : SceneNode(Label()), mImage(image), mTileOffset(0, 0), mAlphaSensitivity(0)
{
    SetWidth(size.x);
    SetHeight(size.y);
}

void TiledSpriteNode::SetImage(ImageList const* list, int index)
{
    mImage = ImageOfList(list, index);
}

void TiledSpriteNode::SetImage(Label image)
{
    mImage = FindImage(image);
}

void TiledSpriteNode::SetImage(Label imageList, int index)
{
    mImage = FindImageOfList(imageList, index);
}

bool TiledSpriteNode::GlobalPointIntersects(Vector2<float> const& point) const
{
    if (!mImage || mAlphaSensitivity > 254)
        return false;
    if (!GlobalBoundsContains(point.x, point.y))
        return false;
    if (mAlphaSensitivity == 0)
        return true;
    Vector2<int> const pixel = LocalPixel(*this, point);
    int const alpha = Graphics::GetTiledImageHVAlpha(mImage, Vector2<float>(GetWidth(), GetHeight()), mTileOffset,
                                                     pixel.x, pixel.y);
    return alpha > mAlphaSensitivity;
}

void TiledSpriteNode::DrawAt(Vector2<float> const& offset)
{
    if (!GlobalIsVisible() || !mImage)
        return;
    Graphics::sDrawState state = Graphics::GetDrawState();
    state.tint = GlobalGetColor();
    if (GetUseClipRect())
        state.clip = GetClipRect();
    Rect<float> destination = GlobalGetBounds();
    destination.x += offset.x;
    destination.y += offset.y;
    Graphics::DrawTiledImageHV(mImage, destination, mTileOffset, state, Graphics::GetCanvas());
}

// ---- AnimatedSpriteNode ----------------------------------------------------------------------

AnimatedSpriteNode::AnimatedSpriteNode(Label spriteType)
    : SceneNode(Label()),
      mSpriteType(nullptr),
      mImageList(nullptr),
      mControllerID(kInvalidObjectID),
      mControllerDatabase(nullptr),
      mAlphaSensitivity(0),
      mNoBlur(false)
{
    SetSpriteType(spriteType);
}

AnimatedSpriteNode::~AnimatedSpriteNode()
{
    // A node deleted without passing through its database's removal (a layout that
    // failed part-way) still takes its controller with it.
    try
    {
        DestroyController();
    }
    catch (...)
    {
    }
}

void AnimatedSpriteNode::SetSpriteType(Label type)
{
    AutoResource<SpriteType> found(type);
    SetSpriteType(found.Get());
}

void AnimatedSpriteNode::SetSpriteType(SpriteType const* type)
{
    if (type == mSpriteType)
        return;
    mSpriteType = type;
    DestroyController();
    mImageList = nullptr;
    if (type)
    {
        if (ObjectDatabase* database = Corvane::GetObjectDatabase())
        {
            AnimationController* controller = new AnimationController();
            mControllerID = database->AddObject(controller);
            mControllerDatabase = database;
        }
        AutoResource<ImageList> images(type->GetImages());
        mImageList = images.Get();
    }
    UpdateDimensions();
}

AnimationController* AnimatedSpriteNode::GetAnimationController() const
{
    if (!mSpriteType || mControllerID == kInvalidObjectID || !mControllerDatabase)
        return nullptr;
    ObjectDatabase* database = GetDatabase();
    if (database != mControllerDatabase)
        database = Corvane::GetObjectDatabase();
    if (!database || database != mControllerDatabase)
        return nullptr;
    return dynamic_cast<AnimationController*>(database->GetObject(mControllerID));
}

void AnimatedSpriteNode::DestroyController()
{
    if (mControllerID != kInvalidObjectID && mControllerDatabase)
    {
        ObjectDatabase* database = GetDatabase();
        if (database != mControllerDatabase)
            database = Corvane::GetObjectDatabase();
        if (database && database == mControllerDatabase)
        {
            if (dynamic_cast<AnimationController*>(database->GetObject(mControllerID)))
                database->DestroyObject(mControllerID);
        }
    }
    mControllerID = kInvalidObjectID;
    mControllerDatabase = nullptr;
}

void AnimatedSpriteNode::NodeDestroyed()
{
    DestroyController();
}

void AnimatedSpriteNode::SetAnimation(Label animation, bool restart)
{
    if (!mSpriteType)
        return;
    if (AnimationController* controller = GetAnimationController())
        controller->SetAnimation(mSpriteType->GetAnimation(animation), restart);
    UpdateDimensions();
}

void AnimatedSpriteNode::SetFrameIndex(int index)
{
    if (AnimationController* controller = GetAnimationController())
        controller->SetFrameIndex(index);
    UpdateDimensions();
}

Label AnimatedSpriteNode::GetCurAnimationName() const
{
    AnimationController* controller = GetAnimationController();
    return controller ? controller->GetCurAnimationName() : Label();
}

bool AnimatedSpriteNode::IsAnimationPlaying(Label animation) const
{
    if (!mSpriteType || animation.IsNull())
        return false;
    AnimationController* controller = GetAnimationController();
    return controller && controller->GetCurAnimationName() == animation;
}

int AnimatedSpriteNode::GetImageIndex() const
{
    AnimationController* controller = GetAnimationController();
    return controller ? controller->GetImageIndex() : 0;
}

bool AnimatedSpriteNode::HasShownImage(int index) const
{
    return mImageList && mSpriteType && index >= 0 && index < mImageList->GetNumImages();
}

void AnimatedSpriteNode::UpdateDimensions()
{
    int const index = GetImageIndex();
    if (HasShownImage(index))
    {
        SetWidth(static_cast<float>(mImageList->GetImageWidth(index)));
        SetHeight(static_cast<float>(mImageList->GetImageHeight(index)));
    }
    else
    {
        SetWidth(0.0f);
        SetHeight(0.0f);
    }
}

void AnimatedSpriteNode::Update(float dt)
{
    SceneNode::Update(dt);
    UpdateDimensions();
}

bool AnimatedSpriteNode::GlobalPointIntersects(Vector2<float> const& point) const
{
    int const index = GetImageIndex();
    if (!HasShownImage(index) || !GlobalBoundsContains(point.x, point.y))
        return false;
    if (mAlphaSensitivity == 0)
        return true;
    Vector2<int> const pixel = LocalPixel(*this, point);
    return mImageList->GetImagePixelAlpha(index, pixel.x, pixel.y) > mAlphaSensitivity;
}

void AnimatedSpriteNode::DrawAt(Vector2<float> const& offset)
{
    if (!GlobalIsVisible())
        return;
    int const index = GetImageIndex();
    if (!HasShownImage(index))
        return;
    DrawImage(mImageList->GetImage(index), offset, mNoBlur);
}

// ---- Factories -------------------------------------------------------------------------------

SceneNodeDescriptor* StaticSpriteNodeFactory::CreateDescriptor(IAttributeContainer const& attributes) const
{
    StaticSpriteNodeDescriptor* descriptor = new StaticSpriteNodeDescriptor();
    descriptor->image = ReadResourceLabel(attributes, L"src");
    descriptor->alphaSensitivity = ReadNumber(attributes, L"alphaSensitivity", 0, NumberRanges::kCount);
    descriptor->noBlur = attributes.GetAttribute(L"noBlur", false);
    return descriptor;
}

SceneNode* StaticSpriteNodeFactory::CreateNode(SceneNodeDescriptor const* descriptor) const
{
    StaticSpriteNodeDescriptor const* d = dynamic_cast<StaticSpriteNodeDescriptor const*>(descriptor);
    if (!d)
        return nullptr;
    StaticSpriteNode* node = new StaticSpriteNode(FindImage(d->image));
    node->SetAlphaSensitivity(d->alphaSensitivity);
    node->SetNoBlur(d->noBlur);
    return node;
}

SceneNodeDescriptor* TiledSpriteNodeFactory::CreateDescriptor(IAttributeContainer const& attributes) const
{
    TiledSpriteNodeDescriptor* descriptor = new TiledSpriteNodeDescriptor();
    descriptor->image = ReadResourceLabel(attributes, L"src");
    descriptor->size.x = ReadNumber(attributes, L"width", 0.0f, NumberRanges::kSize);
    descriptor->size.y = ReadNumber(attributes, L"height", 0.0f, NumberRanges::kSize);
    descriptor->sourceOffset.x = attributes.GetAttribute(L"srcOffsetX", 0);
    descriptor->sourceOffset.y = attributes.GetAttribute(L"srcOffsetY", 0);
    descriptor->alphaSensitivity = ReadNumber(attributes, L"alphaSensitivity", 0, NumberRanges::kCount);
    return descriptor;
}

SceneNode* TiledSpriteNodeFactory::CreateNode(SceneNodeDescriptor const* descriptor) const
{
    TiledSpriteNodeDescriptor const* d = dynamic_cast<TiledSpriteNodeDescriptor const*>(descriptor);
    if (!d)
        return nullptr;
    TiledSpriteNode* node = new TiledSpriteNode(FindImage(d->image), d->size);
    node->SetTileOffset(d->sourceOffset);
    node->SetAlphaSensitivity(d->alphaSensitivity);
    return node;
}

SceneNodeDescriptor* AnimatedSpriteNodeFactory::CreateDescriptor(IAttributeContainer const& attributes) const
{
    AnimatedSpriteNodeDescriptor* descriptor = new AnimatedSpriteNodeDescriptor();
    descriptor->spriteType = ReadResourceLabel(attributes, L"spriteType");
    if (attributes.HasAttribute(L"initialAnimation"))
    {
        descriptor->initialAnimation =
            Label::FromString(TruncateStringWideToASCII(attributes.GetAttribute(std::wstring(L"initialAnimation"))));
    }
    descriptor->alphaSensitivity = ReadNumber(attributes, L"alphaSensitivity", 0, NumberRanges::kCount);
    descriptor->noBlur = attributes.GetAttribute(L"noBlur", false);
    return descriptor;
}

SceneNode* AnimatedSpriteNodeFactory::CreateNode(SceneNodeDescriptor const* descriptor) const
{
    AnimatedSpriteNodeDescriptor const* d = dynamic_cast<AnimatedSpriteNodeDescriptor const*>(descriptor);
    if (!d)
        return nullptr;
    AnimatedSpriteNode* node = new AnimatedSpriteNode(d->spriteType);
    if (!d->initialAnimation.IsNull())
        node->SetAnimation(d->initialAnimation, false);
    node->SetAlphaSensitivity(d->alphaSensitivity);
    node->SetNoBlur(d->noBlur);
    return node;
}
