#include "CorvaneExtensions/Source/SliderNode.h"

#include "2DEngine/Source/Framework/ContentNumbers.h"

#include "CorvaneExtensions/Source/ControlNodeSupport.h"

#include "CorvaneExtensions/AudioPlatform/BASS/SoundList.h"

#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/Brush.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "2DEngine/Source/Graphics/KeyNames.h"

#include <algorithm>
#include <cmath>

using namespace Corvane;
using namespace ControlNodes;

namespace
{

Label SliderValueChangeMessage()
{
    static Label const label = Label::GetUniqueString("SliderValueChange");
    return label;
}

Label SliderReleasedMessage()
{
    static Label const label = Label::GetUniqueString("SliderReleased");
    return label;
}

float ImageWidth(IImageList const* images)
{
    return images ? static_cast<float>(images->GetImageWidth(0)) : 0.0f;
}

float ImageHeight(IImageList const* images)
{
    return images ? static_cast<float>(images->GetImageHeight(0)) : 0.0f;
}

// A snapped value closer than this to the old one is no audible change.
constexpr float kSnapSoundThreshold = 0.001f;

} // namespace

SliderNode::SliderNode(Label name, Vector2<float> const& thumbPosition, IImageList const* channel,
                       IImageList const* thumb, IImageList const* disabledChannel, float width, float initialValue)
    : SceneNode(name),
      mChannelImages(channel),
      mDisabledChannelImages(disabledChannel),
      mThumbPosition(thumbPosition),
      mThumbImages(thumb),
      mGrabOffset(0.0f),
      mHot(false),
      mAlphaSensitivity(25),
      mTickCount(0),
      mSnap(false),
      mAdjustMode(false),
      mSounds(nullptr)
{
    LocalSetLocation(thumbPosition);
    // The width first: the thumb's place for the initial value depends on it.
    SetWidth(width);
    SetValueInternal(initialValue, false);
    SetHeight(std::max(ImageHeight(channel), ImageHeight(thumb)));
    SetHitTest(true);
    mouseDownSignal.connect([this](SceneNode*, MouseButton, int x, int y) { HandleMouseDown(x, y); });
    mouseUpSignal.connect([this](SceneNode*, MouseButton, int, int) { HandleMouseUp(); });
    capturedMouseUpSignal.connect([this](SceneNode*, MouseButton, int, int) { ReleaseCapture(); });
}

float SliderNode::ThumbWidth() const
{
    return ImageWidth(mThumbImages);
}

float SliderNode::ThumbHeight() const
{
    return ImageHeight(mThumbImages);
}

float SliderNode::ThumbOffsetToValue(float offset) const
{
    return ControlLogic::ThumbOffsetToValue(offset, GetWidth() - ThumbWidth());
}

float SliderNode::ValueToThumbOffset(float value) const
{
    return ControlLogic::ValueToThumbOffset(value, GetWidth() - ThumbWidth());
}

float SliderNode::GetValue() const
{
    return ThumbOffsetToValue(mThumbPosition.x);
}

void SliderNode::SetValueInternal(float value, bool notify)
{
    if (!std::isfinite(value))
        value = 0.0f;
    float newValue = value;
    if (mSnap)
    {
        newValue = ControlLogic::SnapToTicks(value, mTickCount);
        if (notify && mSounds && std::fabs(newValue - GetValue()) > kSnapSoundThreshold)
            PlayNodeSound(mSounds, SnapEvent());
    }
    mThumbPosition.x = ValueToThumbOffset(newValue);
    if (notify)
        SendNodeMessage(*this, SliderValueChangeMessage());
}

void SliderNode::Slide(float delta)
{
    float const value = std::min(1.0f, std::max(0.0f, GetValue() + delta));
    SetValueInternal(value, true);
}

float SliderNode::GetKeyStep() const
{
    return ControlLogic::SliderKeyStep(mSnap, mTickCount);
}

bool SliderNode::CanFocus() const
{
    return ControlLogic::SliderCanFocus(mSnap, mTickCount);
}

void SliderNode::ReceiveMessage(ObjectMessage const& message)
{
    if (message.message == LostFocusMessage())
        mAdjustMode = false;
    SceneNode::ReceiveMessage(message);
}

float SliderNode::ClampThumbOffset(float offset) const
{
    offset = std::max(offset, 0.0f);
    return std::min(offset, GetWidth() - ThumbWidth());
}

bool SliderNode::ThumbHitTest(Vector2<int> const& point) const
{
    Vector2<float> const location = LocalGetLocation();
    // The thumb's rectangle starts at the node's top, whatever its drawing offset.
    float const left = static_cast<float>(static_cast<int>(location.x)) + mThumbPosition.x;
    float const top = static_cast<float>(static_cast<int>(location.y));
    float const px = static_cast<float>(point.x);
    float const py = static_cast<float>(point.y);
    if (!(px >= left && px < left + ThumbWidth() && py >= top && py < top + ThumbHeight()))
        return false;
    if (mAlphaSensitivity == 0)
        return true;
    int const alpha = mThumbImages->GetImagePixelAlpha(0, static_cast<int>(px - left), static_cast<int>(py - top));
    return alpha > mAlphaSensitivity;
}

bool SliderNode::ChannelHitTest(Vector2<int> const& point) const
{
    Vector2<float> const location = LocalGetLocation();
    int const left = static_cast<int>(location.x);
    int const top = static_cast<int>(location.y);
    int const width = static_cast<int>(GetWidth());
    int const height = static_cast<int>(ImageHeight(mChannelImages));
    if (!(point.x >= left && point.x < left + width && point.y >= top && point.y < top + height))
        return false;
    if (mAlphaSensitivity == 0)
        return true;
    return Graphics::GetThreeBrushPixelAlpha(mChannelImages, 0, point.x - left, point.y - top, GetWidth()) != 0;
}

bool SliderNode::GlobalPointIntersects(Vector2<float> const& point) const
{
    Vector2<int> const local =
        GlobalToLocalPoint(Vector2<int>(static_cast<int>(point.x), static_cast<int>(point.y)));
    return ChannelHitTest(local) || ThumbHitTest(local);
}

void SliderNode::HotRule()
{
    if (!IsEnabled())
        return;
    mHot = true;
    if (!HasCapture())
        PlayNodeSound(mSounds, HotEvent());
}

void SliderNode::HandleMouseDown(int x, int y)
{
    if (!IsEnabled())
        return;
    Vector2<int> const point = GlobalToLocalPoint(Vector2<int>(x, y));
    if (ThumbHitTest(point))
    {
        Capture();
        mGrabOffset = static_cast<float>(point.x) - mThumbPosition.x;
        PlayNodeSound(mSounds, DownEvent());
        return;
    }
    float const offset =
        ClampThumbOffset(static_cast<float>(point.x) - LocalGetLocation().x - ThumbWidth() / 2.0f);
    SetValueInternal(ThumbOffsetToValue(offset), true);
    HotRule();
}

void SliderNode::HandleMouseUp()
{
    // Disabled while dragging: let go of the capture and nothing more.
    if (!IsEnabled())
    {
        ReleaseCapture();
        return;
    }
    if (!HasCapture())
        return;
    ReleaseCapture();
    SendNodeMessage(*this, SliderReleasedMessage());
}

MessageResult SliderNode::OnMouseMove(int x, int y)
{
    Vector2<int> const point = GlobalToLocalPoint(Vector2<int>(x, y));
    if (HasCapture())
    {
        float const offset = ClampThumbOffset(static_cast<float>(point.x) - mGrabOffset);
        SetValueInternal(ThumbOffsetToValue(offset), true);
        return kMessageNotHandled;
    }
    bool const onThumb = ThumbHitTest(point);
    if (!mHot && onThumb)
        HotRule();
    else if (mHot && !onThumb && IsEnabled())
        mHot = false;
    return kMessageNotHandled;
}

MessageResult SliderNode::OnKeyDown(int key)
{
    if (!HasFocus())
        return kMessageNotHandled;
    if (mAdjustMode && (key == kKeyAdjustMode || key == kKeyAdjustModeLeave))
    {
        mAdjustMode = false;
        return kMessageHandled;
    }
    if (key == kKeyAdjustMode)
    {
        mAdjustMode = true;
        return kMessageHandled;
    }
    if (!mAdjustMode)
        return kMessageNotHandled;
    if (key == kKey_Left)
    {
        Slide(-GetKeyStep());
        return kMessageHandled;
    }
    if (key == kKey_Right)
    {
        Slide(GetKeyStep());
        return kMessageHandled;
    }
    return kMessageNotHandled;
}

int SliderNode::GetThumbImageIndex() const
{
    if (!IsEnabled())
        return 3;
    if (HasCapture())
        return 2;
    if (mHot)
        return 1;
    if (CanFocus() && HasFocus() && mAdjustMode)
        return mThumbImages && mThumbImages->GetNumImages() == 5 ? 4 : 1;
    return 0;
}

void SliderNode::DrawAt(Vector2<float> const& offset)
{
    if (!GlobalIsVisible())
        return;
    Graphics::sDrawState const state = NodeDrawState(*this);
    Vector2<float> const position = NodeDrawPosition(*this, offset);
    Graphics::DrawThreeBrush(IsEnabled() ? mChannelImages : mDisabledChannelImages, 0, position.x, position.y,
                             GetWidth(), state, Graphics::GetCanvas());

    if (!mAdjustMode && HasFocus())
    {
        Graphics::sDrawState highlight = state;
        highlight.color = ColorF(1.0f, 1.0f, 1.0f, 0.5f * GlobalGetAlpha());
        Graphics::DrawFilledRect(Rect<float>(position.x, position.y, GetWidth(), GetHeight()), highlight,
                                 Graphics::GetCanvas());
    }

    if (!mThumbImages)
        return;
    int const index = GetThumbImageIndex();
    Vector2<float> const thumbOffset(offset.x + mThumbPosition.x, offset.y + mThumbPosition.y);
    if (ImageList const* list = dynamic_cast<ImageList const*>(mThumbImages))
    {
        DrawImage(list->GetImage(index), thumbOffset, false);
        return;
    }
    // A film strip has no separate images: its frame is drawn with the node's tint.
    Graphics::sDrawState thumbState = state;
    thumbState.tint = GlobalGetColor();
    Graphics::DrawImageList(mThumbImages, index, position.x + mThumbPosition.x, position.y + mThumbPosition.y,
                            thumbState, Graphics::GetCanvas());
}

SceneNodeDescriptor* SliderNodeFactory::CreateDescriptor(IAttributeContainer const& attributes) const
{
    SliderNodeDescriptor* descriptor = new SliderNodeDescriptor();
    descriptor->channelImages = ReadResourceLabel(attributes, L"channelImages");
    descriptor->thumbImages = ReadResourceLabel(attributes, L"thumbImages");
    descriptor->disabledChannelImages = ReadResourceLabel(attributes, L"disableImages");
    descriptor->width = ReadNumber(attributes, L"width", 0.0f, NumberRanges::kSize);
    descriptor->thumbOffsetY = ReadNumber(attributes, L"thumbOffsetY", 0.0f, NumberRanges::kPosition);
    descriptor->initialValue = ReadNumber(attributes, L"initialValue", 0.0f, NumberRanges::kFinite);
    descriptor->alphaSensitivity = ReadNumber(attributes, L"alphaSensitivity", 25, NumberRanges::kCount);
    descriptor->sounds = ReadResourceLabel(attributes, L"sounds");
    return descriptor;
}

SceneNode* SliderNodeFactory::CreateNode(SceneNodeDescriptor const* descriptor) const
{
    SliderNodeDescriptor const* d = dynamic_cast<SliderNodeDescriptor const*>(descriptor);
    if (!d)
        return nullptr;
    AutoResource<IImageList> const channel(d->channelImages);
    AutoResource<IImageList> const thumb(d->thumbImages);
    AutoResource<IImageList> const disabledChannel(d->disabledChannelImages);
    AutoResource<SoundList> const sounds(d->sounds);
    SliderNode* node = new SliderNode(Label(), Vector2<float>(0.0f, d->thumbOffsetY), channel.Get(), thumb.Get(),
                                      disabledChannel.Get(), d->width, d->initialValue);
    node->SetAlphaSensitivity(d->alphaSensitivity);
    node->SetSoundList(sounds.Get());
    return node;
}
