#include "CorvaneExtensions/Source/CheckBoxNode.h"

#include "CorvaneExtensions/Source/ControlNodeSupport.h"

#include "CorvaneExtensions/AudioPlatform/BASS/SoundList.h"

#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/Brush.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Graphics/ImageList.h"

#include <cmath>

using namespace Corvane;
using namespace ControlNodes;

namespace
{

Label CheckBoxClickMessage()
{
    static Label const label = Label::GetUniqueString("CheckBoxClick");
    return label;
}

int ImageCount(IImageList const* images)
{
    return images ? images->GetNumImages() : 0;
}

// The caption sits this far to the right of the box.
constexpr float kCaptionGap = 5.0f;

} // namespace

CheckBoxNode::CheckBoxNode(Label name, Vector2<float> const& location, IImageList const* images, float width,
                           wchar_t const* text, Font const* font, ColorF const& color)
    : SceneNode(name),
      TextComponent(text ? std::wstring(text) : std::wstring()),
      mChecked(false),
      mHot(false),
      mImages(images),
      mCaptionSize(0.0f, 0.0f),
      mAlphaSensitivity(25),
      mSounds(nullptr),
      mWidth(width)
{
    FontComponent::SetFont(font);
    UpdateBounds();
    LocalSetColor(color);
    LocalSetLocation(location);
    LocalSetVisible(true);
    SetHitTest(true);
    mouseDownSignal.connect([this](SceneNode*, MouseButton, int, int) { HandleMouseDown(); });
    mouseUpSignal.connect([this](SceneNode*, MouseButton, int, int) { HandleMouseUp(); });
    capturedMouseUpSignal.connect([this](SceneNode*, MouseButton, int, int) { ReleaseCapture(); });
    mouseEnterSignal.connect([this](SceneNode*) { HandleMouseEnter(); });
    mouseExitSignal.connect([this](SceneNode*) { HandleMouseExit(); });
}

void CheckBoxNode::SetText(std::wstring const& text)
{
    TextComponent::SetText(text);
    UpdateBounds();
}

void CheckBoxNode::SetFont(Font const* font)
{
    FontComponent::SetFont(font);
    UpdateBounds();
}

bool CheckBoxNode::IsThreeSlice() const
{
    return ImageCount(mImages) >= 11;
}

bool CheckBoxNode::HasFocusImages() const
{
    int const count = ImageCount(mImages);
    return count == 10 || count == 30;
}

int CheckBoxNode::GetStateIndex() const
{
    if (!IsEnabled())
        return 3;
    if (HasCapture() && mHot)
        return 2;
    if (mHot)
        return 1;
    if (HasFocus())
        return HasFocusImages() ? 4 : 1;
    return 0;
}

int CheckBoxNode::GetImageIndex() const
{
    int const checkedBase = mChecked ? ImageCount(mImages) / 2 : 0;
    int const state = GetStateIndex();
    return checkedBase + (IsThreeSlice() ? state * 3 : state);
}

void CheckBoxNode::UpdateBounds()
{
    // Without images the box is 0 x 0: a layout naming a missing list shows nothing.
    int const count = ImageCount(mImages);
    SetWidth(count == 0 ? 0.0f : count <= 10 ? static_cast<float>(mImages->GetImageWidth(0)) : mWidth);
    SetHeight(count == 0 ? 0.0f : static_cast<float>(mImages->GetImageHeight(0)));
    if (Font const* font = GetFont())
        mCaptionSize = Vector2<float>(static_cast<float>(font->GetStringWidth(GetText().c_str())),
                                      static_cast<float>(font->GetGlyphHeight()));
    else
        mCaptionSize = Vector2<float>(0.0f, 0.0f);
}

Rect<float> CheckBoxNode::GetCaptionRect() const
{
    Font const* font = GetFont();
    if (!font)
        return Rect<float>(0.0f, 0.0f, 0.0f, 0.0f);
    Vector2<float> const location = GlobalGetLocation();
    float const halfGlyph = static_cast<float>(font->GetGlyphHeight() / 2);
    return Rect<float>(location.x + GetWidth() + kCaptionGap,
                       std::floor(location.y + GetHeight() / 2.0f - halfGlyph + 0.5f), mCaptionSize.x,
                       mCaptionSize.y);
}

void CheckBoxNode::Click()
{
    mChecked = !mChecked;
    PlayNodeSound(mSounds, mChecked ? CheckedEvent() : UncheckedEvent());
    SendNodeMessage(*this, CheckBoxClickMessage());
}

void CheckBoxNode::HandleMouseDown()
{
    if (!IsEnabled())
        return;
    mHot = true;
    Capture();
    PlayNodeSound(mSounds, DownEvent());
}

void CheckBoxNode::HandleMouseUp()
{
    // Disabled while held down: let go of the capture and nothing more.
    if (!IsEnabled())
    {
        ReleaseCapture();
        return;
    }
    Click();
    ReleaseCapture();
}

void CheckBoxNode::HandleMouseEnter()
{
    if (!IsEnabled())
        return;
    mHot = true;
    PlayNodeSound(mSounds, HotEvent());
}

void CheckBoxNode::HandleMouseExit()
{
    if (IsEnabled())
        mHot = false;
}

MessageResult CheckBoxNode::OnKeyDown(int key)
{
    if (!GlobalIsVisible() || !HasFocus() || !IsActivationKey(key))
        return kMessageNotHandled;
    Click();
    return kMessageHandled;
}

bool CheckBoxNode::GlobalPointIntersects(Vector2<float> const& point) const
{
    if (GlobalBoundsContains(point.x, point.y) &&
        AlphaContains(*this, mImages, IsThreeSlice(), mAlphaSensitivity, point))
        return true;
    if (!GetFont())
        return false;
    Rect<float> const caption = GetCaptionRect();
    return point.x >= caption.x && point.x < caption.x + caption.width && point.y >= caption.y &&
           point.y < caption.y + caption.height;
}

void CheckBoxNode::DrawAt(Vector2<float> const& offset)
{
    if (!GlobalIsVisible())
        return;
    Graphics::sDrawState const state = NodeDrawState(*this);
    Vector2<float> const position = NodeDrawPosition(*this, offset);
    if (IsThreeSlice())
        Graphics::DrawThreeBrush(mImages, GetImageIndex(), position.x, position.y, GetWidth(), state,
                                 Graphics::GetCanvas());
    else if (mImages)
        Graphics::DrawImageList(mImages, GetImageIndex(), position.x, position.y, state, Graphics::GetCanvas());

    Font const* font = GetFont();
    if (GetText().empty() || !font)
        return;
    Graphics::sDrawState caption = state;
    caption.font = font;
    caption.color = GlobalGetColor();
    caption.hAlign = kHAlignment_Left;
    caption.vAlign = kVAlignment_Middle;
    Graphics::DrawText(GetText().c_str(), position.x + GetWidth() + kCaptionGap,
                       std::floor(position.y + GetHeight() / 2.0f + 0.5f), caption, Graphics::GetCanvas());
}

SceneNodeDescriptor* CheckBoxNodeFactory::CreateDescriptor(IAttributeContainer const& attributes) const
{
    CheckBoxNodeDescriptor* descriptor = new CheckBoxNodeDescriptor();
    descriptor->images = ReadResourceLabel(attributes, L"images");
    descriptor->width = attributes.GetAttribute(L"width", 0.0f);
    descriptor->text = attributes.GetAttribute(std::wstring(L"text"));
    descriptor->font = ReadResourceLabel(attributes, L"font");
    descriptor->alphaSensitivity = attributes.GetAttribute(L"alphaSensitivity", 25);
    descriptor->sounds = ReadResourceLabel(attributes, L"sounds");
    if (attributes.HasAttribute(L"textResource"))
        descriptor->textResource = ReadResourceLabel(attributes, L"textResource");
    return descriptor;
}

SceneNode* CheckBoxNodeFactory::CreateNode(SceneNodeDescriptor const* descriptor) const
{
    CheckBoxNodeDescriptor const* d = dynamic_cast<CheckBoxNodeDescriptor const*>(descriptor);
    if (!d)
        return nullptr;
    AutoResource<IImageList> const images(d->images);
    AutoResource<Font> const font(d->font);
    AutoResource<SoundList> const sounds(d->sounds);
    CheckBoxNode* node = new CheckBoxNode(Label(), Vector2<float>(0.0f, 0.0f), images.Get(), d->width,
                                          d->text.c_str(), font.Get(), ColorF::StaticColor<0, 0, 0, 255>());
    node->SetAlphaSensitivity(d->alphaSensitivity);
    node->SetSoundList(sounds.Get());
    if (d->textResource.IsValid())
        node->SetTextFromResource(d->textResource);
    return node;
}
