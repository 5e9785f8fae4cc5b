#include "2DEngine/Source/Widgets/CheckBoxObjects.h"

#include <cmath>

#include "CorvaneExtensions/AudioPlatform/BASS/SoundList.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Graphics/Brush.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "2DEngine/Source/Widgets/ControlLogic.h"

namespace Corvane
{

namespace
{

// Lists longer than this hold three-slice frames.
constexpr int kSingleImageLimit = 10;
// The caption starts this far right of the box.
constexpr float kCaptionGap = 5.0f;

Label CheckBoxClickMessage()
{
    static Label const label = Label::GetUniqueString("CheckBoxClick");
    return label;
}

Label RadioButtonClickMessage()
{
    static Label const label = Label::GetUniqueString("RadioButtonClick");
    return label;
}

Label RadioButtonRole()
{
    static Label const label = Label::GetUniqueString("RadioButton");
    return label;
}

// What the check box and the radio button do alike, over their own fields.

void SizeToImages(ControlObject& control, IImageList const* images)
{
    int const count = ControlLogic::ImageCount(images);
    if (count == 0)
        return;
    Rect<float> bounds = control.GetBounds();
    if (count <= kSingleImageLimit)
        bounds.width = static_cast<float>(images->GetImageWidth(0));
    bounds.height = static_cast<float>(images->GetImageHeight(0));
    control.SetBounds(bounds);
}

// The caption's place right of the box, from where the box is now.
Rect<float> CaptionRect(ControlObject const& control, std::wstring const& text, Font const& font)
{
    Rect<float> const& bounds = control.GetBounds();
    int const glyphHeight = font.GetGlyphHeight();
    return Rect<float>(bounds.x + bounds.width + kCaptionGap,
                       std::floor(bounds.y + bounds.height / 2.0f - static_cast<float>(glyphHeight / 2) + 0.5f),
                       static_cast<float>(font.GetStringWidth(text.c_str())), static_cast<float>(glyphHeight));
}

bool ToggleAlphaContains(ControlObject const& control, IImageList const* images, int sensitivity, int x, int y)
{
    int const count = ControlLogic::ImageCount(images);
    if (sensitivity == 0 || count == 0)
        return true;
    Vector2<float> const& location = control.GetLocation();
    int const dx = x - static_cast<int>(location.x);
    int const dy = y - static_cast<int>(location.y);
    int const alpha = count <= kSingleImageLimit
                          ? images->GetImagePixelAlpha(0, dx, dy)
                          : Graphics::GetThreeBrushPixelAlpha(images, 0, dx, dy, control.GetBounds().width);
    return alpha > sensitivity;
}

void DrawToggleImage(ControlObject const& control, IImageList const* images, int index)
{
    if (!images)
        return;
    Rect<float> const& bounds = control.GetBounds();
    if (ControlLogic::ImageCount(images) <= kSingleImageLimit)
        Graphics::DrawImageList(images, index, bounds.x, bounds.y, Graphics::GetDrawState(), Graphics::GetCanvas());
    else
        Graphics::DrawThreeBrush(images, index * 3, bounds.x, bounds.y, bounds.width, Graphics::GetDrawState(),
                                 Graphics::GetCanvas());
}

void DrawCaption(std::wstring const& text, Graphics::sDrawState state, float x, float y, bool centred)
{
    if (text.empty() || !state.font)
        return;
    state.hAlign = centred ? kHAlignment_Center : kHAlignment_Left;
    state.vAlign = centred ? kVAlignment_Middle : kVAlignment_Top;
    Graphics::DrawText(text.c_str(), x, y, state, Graphics::GetCanvas());
}

} // namespace

// ---------------------------------------------------------------------------
// Check box

CheckBoxObject::CheckBoxObject(Label name)
    : ControlObject(name),
      mChecked(false),
      mHot(false),
      mImages(nullptr),
      mTextRect(0.0f, 0.0f, 0.0f, 0.0f),
      mAlphaSensitivity(25),
      mSounds(nullptr)
{
    SetText(GetText());
}

CheckBoxObject::CheckBoxObject(Label name, float layer, Vector2<float> const& location, IImageList const* images,
                               float width, wchar_t const* text, Font const* font, ColorF const& color)
    : ControlObject(name, layer),
      mChecked(false),
      mHot(false),
      mImages(nullptr),
      mTextRect(0.0f, 0.0f, 0.0f, 0.0f),
      mAlphaSensitivity(25),
      mSounds(nullptr)
{
    SetColor(color);
    SetFont(font);
    SetLocation(location);
    SetVisible(true);
    SetWidth(width);
    SetImages(images);
    SetText(text ? std::wstring(text) : std::wstring());
}

void CheckBoxObject::SetText(std::wstring const& text)
{
    TextComponent::SetText(text);
    if (Font const* font = GetFont())
        mTextRect = CaptionRect(*this, text, *font);
}

void CheckBoxObject::SetImages(IImageList const* images)
{
    mImages = images;
    SizeToImages(*this, images);
}

bool CheckBoxObject::IsBackgroundThreeBrush() const
{
    return ControlLogic::ImageCount(mImages) > kSingleImageLimit;
}

bool CheckBoxObject::HasFocusImages() const
{
    int const count = ControlLogic::ImageCount(mImages);
    return count <= kSingleImageLimit ? count == 10 : count == 30;
}

int CheckBoxObject::GetImageIndex() const
{
    int const count = ControlLogic::ImageCount(mImages);
    int const state = ControlLogic::StateIndex(IsEnabled(), HasCapture(), mHot, HasFocus(), HasFocusImages());
    if (!mChecked)
        return state;
    return state + (count <= kSingleImageLimit ? count / 2 : count / 6);
}

bool CheckBoxObject::BoundsContains(float x, float y) const
{
    if (ControlObject::BoundsContains(x, y))
        return true;
    return GetFont() && ControlLogic::RectContains(mTextRect, x, y);
}

bool CheckBoxObject::AlphaContains(int x, int y) const
{
    return ToggleAlphaContains(*this, mImages, mAlphaSensitivity, x, y);
}

void CheckBoxObject::Click()
{
    bool const wasChecked = mChecked;
    mChecked = !mChecked;
    PlayControlSound(mSounds, wasChecked ? UncheckedEvent() : CheckedEvent());
    SendControlMessage(CheckBoxClickMessage());
}

MessageResult CheckBoxObject::OnKeyDown(int key)
{
    if (!HasFocus() || !ControlLogic::IsActivationKey(key))
        return kMessageNotHandled;
    Click();
    return kMessageHandled;
}

MessageResult CheckBoxObject::OnMouseMove(int x, int y)
{
    bool const wasHot = mHot;
    mHot = BoundsContains(static_cast<float>(x), static_cast<float>(y));
    if (mHot && !wasHot)
        PlayControlSound(mSounds, HotEvent());
    return kMessageNotHandled;
}

MessageResult CheckBoxObject::OnMouseDown(MouseButton, int x, int y)
{
    mHot = BoundsContains(static_cast<float>(x), static_cast<float>(y));
    if (!mHot)
        return kMessageNotHandled;
    Capture();
    PlayControlSound(mSounds, DownEvent());
    return kMessageHandled;
}

MessageResult CheckBoxObject::OnMouseUp(MouseButton, int x, int y)
{
    mHot = BoundsContains(static_cast<float>(x), static_cast<float>(y));
    if (HasCapture())
    {
        if (mHot)
            Click();
        ReleaseCapture();
    }
    return mHot ? kMessageHandled : kMessageNotHandled;
}

void CheckBoxObject::Draw()
{
    if (!IsVisible())
        return;
    DrawToggleImage(*this, mImages, GetImageIndex());
    DrawCaption(GetText(), TextDrawState(), mTextRect.x, mTextRect.y, false);
}

// ---------------------------------------------------------------------------
// Radio button

RadioButtonObject::RadioButtonObject(Label name)
    : ControlObject(name),
      mChecked(false),
      mHot(false),
      mImages(nullptr),
      mTextRect(0.0f, 0.0f, 0.0f, 0.0f),
      mAlphaSensitivity(25),
      mSounds(nullptr)
{
}

Label RadioButtonObject::GetRole() const
{
    return RadioButtonRole();
}

void RadioButtonObject::SetText(std::wstring const& text)
{
    TextComponent::SetText(text);
    if (Font const* font = GetFont())
        mTextRect = CaptionRect(*this, text, *font);
}

void RadioButtonObject::SetImages(IImageList const* images)
{
    mImages = images;
    SizeToImages(*this, images);
}

bool RadioButtonObject::IsBackgroundThreeBrush() const
{
    return ControlLogic::ImageCount(mImages) > kSingleImageLimit;
}

bool RadioButtonObject::HasFocusImages() const
{
    int const count = ControlLogic::ImageCount(mImages);
    return count <= kSingleImageLimit ? count == 5 : count == 15;
}

int RadioButtonObject::GetImageIndex() const
{
    int const state = ControlLogic::StateIndex(IsEnabled(), HasCapture(), mHot, HasFocus(), HasFocusImages());
    if (mChecked && state != 3)
        return 2;
    return state;
}

bool RadioButtonObject::BoundsContains(float x, float y) const
{
    if (ControlObject::BoundsContains(x, y))
        return true;
    return GetFont() && ControlLogic::RectContains(mTextRect, x, y);
}

bool RadioButtonObject::AlphaContains(int x, int y) const
{
    return ToggleAlphaContains(*this, mImages, mAlphaSensitivity, x, y);
}

void RadioButtonObject::Click()
{
    mChecked = true;
    if (ObjectDatabase* const database = GetObjectDatabase())
    {
        // A copy: the role list is the database's own and must not change under the walk.
        std::vector<ObjectID> const members = database->GetObjectsWithRole(RadioButtonRole());
        for (ObjectID const id : members)
        {
            RadioButtonObject* const other = dynamic_cast<RadioButtonObject*>(database->GetObject(id));
            if (other && other != this && other->mGroup == mGroup && other->GetName() != GetName())
                other->mChecked = false;
        }
    }
    PlayControlSound(mSounds, CheckedEvent());
    SendControlMessage(RadioButtonClickMessage());
}

MessageResult RadioButtonObject::OnKeyDown(int key)
{
    if (!HasFocus() || !ControlLogic::IsActivationKey(key))
        return kMessageNotHandled;
    Click();
    return kMessageHandled;
}

MessageResult RadioButtonObject::OnMouseMove(int x, int y)
{
    bool const wasHot = mHot;
    mHot = BoundsContains(static_cast<float>(x), static_cast<float>(y));
    if (mHot && !wasHot)
        PlayControlSound(mSounds, HotEvent());
    return kMessageNotHandled;
}

MessageResult RadioButtonObject::OnMouseDown(MouseButton, int x, int y)
{
    mHot = BoundsContains(static_cast<float>(x), static_cast<float>(y));
    if (!mHot)
        return kMessageNotHandled;
    Capture();
    PlayControlSound(mSounds, DownEvent());
    return kMessageHandled;
}

MessageResult RadioButtonObject::OnMouseUp(MouseButton, int x, int y)
{
    mHot = BoundsContains(static_cast<float>(x), static_cast<float>(y));
    if (HasCapture())
    {
        if (mHot)
            Click();
        ReleaseCapture();
    }
    return mHot ? kMessageHandled : kMessageNotHandled;
}

void RadioButtonObject::Draw()
{
    if (!IsVisible())
        return;
    DrawToggleImage(*this, mImages, GetImageIndex());
    if (IsBackgroundThreeBrush())
    {
        Rect<float> const& bounds = GetBounds();
        DrawCaption(GetText(), TextDrawState(), std::floor(bounds.x + bounds.width / 2.0f + 0.5f),
                    std::floor(bounds.y + bounds.height / 2.0f + 0.5f), true);
    }
    else
        DrawCaption(GetText(), TextDrawState(), mTextRect.x, mTextRect.y, false);
}

// ---------------------------------------------------------------------------
// Factories

Object* CheckBoxObjectFactory::CreateObject(Label name, IAttributeContainer const& attributes) const
{
    CheckBoxObject* const box = new CheckBoxObject(name);
    if (attributes.HasAttribute(L"images"))
        box->SetImages(FindAttributeResource<IImageList>(attributes, L"images"));
    if (attributes.HasAttribute(L"sounds"))
        box->SetSounds(FindAttributeResource<SoundList>(attributes, L"sounds"));
    if (attributes.HasAttribute(L"alphaSensitivity"))
        box->SetAlphaSensitivity(attributes.GetAttribute(L"alphaSensitivity", 25));
    return box;
}

Object* RadioButtonObjectFactory::CreateObject(Label name, IAttributeContainer const& attributes) const
{
    RadioButtonObject* const radio = new RadioButtonObject(name);
    if (attributes.HasAttribute(L"images"))
        radio->SetImages(FindAttributeResource<IImageList>(attributes, L"images"));
    if (attributes.HasAttribute(L"sounds"))
        radio->SetSounds(FindAttributeResource<SoundList>(attributes, L"sounds"));
    if (attributes.HasAttribute(L"alphaSensitivity"))
        radio->SetAlphaSensitivity(attributes.GetAttribute(L"alphaSensitivity", 25));
    if (attributes.HasAttribute(L"group"))
        radio->SetGroup(Label::FromString(attributes.GetAttribute(std::wstring(L"group"))));
    return radio;
}

} // namespace Corvane
