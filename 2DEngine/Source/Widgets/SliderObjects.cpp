#include "2DEngine/Source/Widgets/SliderObjects.h"

#include "2DEngine/Source/Framework/ContentNumbers.h"

#include <algorithm>
#include <cmath>

#include "CorvaneExtensions/AudioPlatform/BASS/SoundList.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Graphics/Brush.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "2DEngine/Source/Graphics/KeyNames.h"
#include "2DEngine/Source/Widgets/ButtonObject.h"
#include "2DEngine/Source/Widgets/ControlLogic.h"

namespace Corvane
{

namespace
{

// A snapped value closer than this to the old one is no audible change.
constexpr float kSnapSoundThreshold = 0.001f;

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

} // namespace

// ---------------------------------------------------------------------------
// Slider

SliderObject::SliderObject(Label name)
    : ControlObject(name),
      mChannelImages(nullptr),
      mThumbX(0.0f),
      mThumbImages(nullptr),
      mGrabOffset(0.0f),
      mHot(false),
      mAlphaSensitivity(25),
      mNumTicks(0),
      mSnapToTicks(false),
      mAdjusting(false),
      mSounds(nullptr)
{
}

float SliderObject::Travel() const
{
    return GetBounds().width - static_cast<float>(ControlLogic::ImageWidth(mThumbImages, 0));
}

float SliderObject::ValueToThumbLocation(float value) const
{
    return GetBounds().x + ControlLogic::ValueToThumbOffset(value, Travel());
}

float SliderObject::ThumbLocationToValue(float location) const
{
    return ControlLogic::ThumbOffsetToValue(location - GetBounds().x, Travel());
}

float SliderObject::GetValue() const
{
    return ThumbLocationToValue(mThumbX);
}

void SliderObject::SetThumbImages(IImageList const* images)
{
    mThumbImages = images;
    Rect<float> bounds = GetBounds();
    bounds.height = static_cast<float>(
        std::max(ControlLogic::ImageHeight(mChannelImages, 0), ControlLogic::ImageHeight(mThumbImages, 0)));
    SetBounds(bounds);
    SetValue(0.0f);
}

void SliderObject::SetBounds(Rect<float> const& bounds)
{
    float const value = GetValue();
    ControlObject::SetBounds(bounds);
    SetValueInternal(value, false);
}

void SliderObject::SetSnapToTicks(bool snap)
{
    mSnapToTicks = snap;
    SetValueInternal(GetValue(), false);
}

void SliderObject::SetValueInternal(float value, bool notify)
{
    // A value that is no number would move the thumb out of reach for good.
    if (!std::isfinite(value))
        value = 0.0f;
    float const old = GetValue();
    float const snapped = mSnapToTicks ? ControlLogic::SnapToTicks(value, mNumTicks) : value;
    if (notify && mSnapToTicks && mSounds && std::fabs(snapped - old) > kSnapSoundThreshold)
        PlayControlSound(mSounds, SnapEvent());
    mThumbX = ValueToThumbLocation(snapped);
    if (notify)
        ValueChange();
}

void SliderObject::Slide(float delta)
{
    SetValueInternal(std::min(1.0f, std::max(0.0f, GetValue() + delta)), true);
}

void SliderObject::ValueChange()
{
    SendControlMessage(SliderValueChangeMessage());
}

bool SliderObject::CanFocus() const
{
    return ControlLogic::SliderCanFocus(mSnapToTicks, mNumTicks);
}

void SliderObject::ReceiveMessage(ObjectMessage const& message)
{
    if (message.message == LostFocusMessage())
        mAdjusting = false;
}

bool SliderObject::AlphaContains(int x, int y) const
{
    if (mAlphaSensitivity == 0)
        return true;
    if (ControlLogic::ImageCount(mThumbImages) == 0)
        return false;
    int const dx = static_cast<int>(static_cast<float>(x) - mThumbX);
    int const dy = static_cast<int>(static_cast<float>(y) - GetBounds().y);
    return mThumbImages->GetImagePixelAlpha(0, dx, dy) > mAlphaSensitivity;
}

MessageResult SliderObject::OnMouseDown(MouseButton, int x, int y)
{
    mHot = BoundsContains(static_cast<float>(x), static_cast<float>(y));
    if (!mHot)
        return kMessageNotHandled;
    Capture();
    mGrabOffset = static_cast<float>(x) - mThumbX;
    PlayControlSound(mSounds, DownEvent());
    return kMessageHandled;
}

MessageResult SliderObject::OnMouseMove(int x, int y)
{
    if (HasCapture())
    {
        float const left = GetBounds().x;
        float const thumb = std::min(std::max(static_cast<float>(x) - mGrabOffset, left), left + Travel());
        SetValueInternal(ThumbLocationToValue(thumb), true);
    }
    bool const wasHot = mHot;
    mHot = BoundsContains(static_cast<float>(x), static_cast<float>(y));
    if (mSounds && !wasHot && mHot && !HasCapture())
        PlayControlSound(mSounds, HotEvent());
    return kMessageNotHandled;
}

MessageResult SliderObject::OnMouseUp(MouseButton, int x, int y)
{
    mHot = BoundsContains(static_cast<float>(x), static_cast<float>(y));
    if (HasCapture())
        ReleaseCapture();
    if (!mHot)
        return kMessageNotHandled;
    SendControlMessage(SliderReleasedMessage());
    return kMessageHandled;
}

MessageResult SliderObject::OnKeyDown(int key)
{
    if (!HasFocus())
        return kMessageNotHandled;
    if (mAdjusting && (key == ControlLogic::kKeyAdjustMode || key == ControlLogic::kKeyAdjustModeLeave))
    {
        mAdjusting = false;
        return kMessageHandled;
    }
    if (key == ControlLogic::kKeyAdjustMode)
    {
        mAdjusting = true;
        return kMessageHandled;
    }
    if (!mAdjusting)
        return kMessageNotHandled;
    float const step = ControlLogic::SliderKeyStep(mSnapToTicks, mNumTicks);
    if (key == kKey_Left)
    {
        Slide(-step);
        return kMessageHandled;
    }
    if (key == kKey_Right)
    {
        Slide(step);
        return kMessageHandled;
    }
    return kMessageNotHandled;
}

int SliderObject::GetThumbImageIndex() const
{
    if (!IsEnabled())
        return 3;
    if (HasCapture())
        return 2;
    if (mHot)
        return 1;
    if (CanFocus() && HasFocus() && mAdjusting)
        return ControlLogic::ImageCount(mThumbImages) == 5 ? 4 : 1;
    return 0;
}

void SliderObject::Draw()
{
    if (!IsVisible())
        return;
    Rect<float> const& bounds = GetBounds();
    Graphics::DrawThreeBrush(mChannelImages, 0, bounds.x, bounds.y, bounds.width, Graphics::GetDrawState(),
                             Graphics::GetCanvas());
    if (HasFocus() && !mAdjusting)
    {
        Graphics::sDrawState highlight = Graphics::GetDrawState();
        highlight.color = ColorF(1.0f, 1.0f, 1.0f, 0.5f);
        Graphics::DrawFilledRect(bounds, highlight, Graphics::GetCanvas());
    }
    if (mThumbImages)
        Graphics::DrawImageList(mThumbImages, GetThumbImageIndex(), mThumbX, bounds.y, Graphics::GetDrawState(),
                                Graphics::GetCanvas());
}

// ---------------------------------------------------------------------------
// Scroll bar

ScrollBarObject::ScrollBarObject(Label name)
    : ControlObject(name), mChannelImages(nullptr), mThumbImages(nullptr), mSounds(nullptr)
{
    ObjectDatabase* const database = GetObjectDatabase();
    if (!database)
        return;
    database->AddObject(new ButtonObject(GetUpButtonName()));
    database->AddObject(new ButtonObject(GetDownButtonName()));
}

Label ScrollBarObject::GetUpButtonName() const
{
    return Label::FromStringF("%sScrollUp", GetName().GetString());
}

Label ScrollBarObject::GetDownButtonName() const
{
    return Label::FromStringF("%sScrollDown", GetName().GetString());
}

void ScrollBarObject::SetUpArrowImages(IImageList const* images)
{
    if (AutoObject<ButtonObject> const up{GetUpButtonName()})
        up->SetImages(images);
}

void ScrollBarObject::SetDownArrowImages(IImageList const* images)
{
    if (AutoObject<ButtonObject> const down{GetDownButtonName()})
        down->SetImages(images);
}

void ScrollBarObject::SetSounds(SoundList const* sounds)
{
    mSounds = sounds;
    for (Label const name : {GetUpButtonName(), GetDownButtonName()})
        if (AutoObject<ButtonObject> const button{name})
            button->SetSounds(sounds);
}

void ScrollBarObject::SetLayer(float layer)
{
    ControlObject::SetLayer(layer);
    for (Label const name : {GetUpButtonName(), GetDownButtonName()})
        if (AutoObject<ButtonObject> const button{name})
            button->SetLayer(layer + 1.0f);
}

void ScrollBarObject::SetBounds(Rect<float> const& bounds)
{
    ControlObject::SetBounds(bounds);
    if (AutoObject<ButtonObject> const up{GetUpButtonName()})
        up->SetLocation(Vector2<float>(bounds.x, bounds.y));
    if (AutoObject<ButtonObject> const down{GetDownButtonName()})
        down->SetLocation(Vector2<float>(bounds.x, bounds.y + bounds.height - down->GetBounds().height));
}

void ScrollBarObject::Draw()
{
    if (!IsVisible())
        return;
    Rect<float> const& bounds = GetBounds();
    Graphics::DrawThreeBrushVertical(mChannelImages, 0, bounds.x, bounds.y, bounds.height, Graphics::GetDrawState(),
                                     Graphics::GetCanvas());
}

// ---------------------------------------------------------------------------
// Factories

Object* SliderObjectFactory::CreateObject(Label name, IAttributeContainer const& attributes) const
{
    SliderObject* const slider = new SliderObject(name);
    if (attributes.HasAttribute(L"channelImages"))
        slider->SetChannelImages(FindAttributeResource<IImageList>(attributes, L"channelImages"));
    if (attributes.HasAttribute(L"thumbImages"))
        slider->SetThumbImages(FindAttributeResource<IImageList>(attributes, L"thumbImages"));
    if (attributes.HasAttribute(L"sounds"))
        slider->SetSounds(FindAttributeResource<SoundList>(attributes, L"sounds"));
    if (attributes.HasAttribute(L"alphaSensitivity"))
        slider->SetAlphaSensitivity(ReadNumber(attributes, L"alphaSensitivity", 25, NumberRanges::kCount));
    if (attributes.HasAttribute(L"numTicks"))
        slider->SetNumTicks(ReadNumber(attributes, L"numTicks", 0, NumberRanges::kCount));
    if (attributes.HasAttribute(L"snapToTicks"))
        slider->SetSnapToTicks(attributes.GetAttribute(L"snapToTicks", false));
    return slider;
}

Object* ScrollBarObjectFactory::CreateObject(Label name, IAttributeContainer const& attributes) const
{
    ScrollBarObject* const bar = new ScrollBarObject(name);
    if (attributes.HasAttribute(L"channelImages"))
        bar->SetChannelImages(FindAttributeResource<IImageList>(attributes, L"channelImages"));
    if (attributes.HasAttribute(L"thumbImages"))
        bar->SetThumbImages(FindAttributeResource<IImageList>(attributes, L"thumbImages"));
    if (attributes.HasAttribute(L"downArrowImages"))
        bar->SetDownArrowImages(FindAttributeResource<IImageList>(attributes, L"downArrowImages"));
    if (attributes.HasAttribute(L"upArrowImages"))
        bar->SetUpArrowImages(FindAttributeResource<IImageList>(attributes, L"upArrowImages"));
    if (attributes.HasAttribute(L"sounds"))
        bar->SetSounds(FindAttributeResource<SoundList>(attributes, L"sounds"));
    return bar;
}

} // namespace Corvane
