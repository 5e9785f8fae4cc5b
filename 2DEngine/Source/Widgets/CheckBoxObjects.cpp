#include "2DEngine/Source/Widgets/CheckBoxObjects.h"

#include <cmath>

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

} // namespace

// ---------------------------------------------------------------------------
// What the check box and the radio button share

ToggleObject::ToggleObject(Label name) : PressableObject(name), mChecked(false), mTextRect(0.0f, 0.0f, 0.0f, 0.0f)
{
}

ToggleObject::ToggleObject(Label name, float layer)
    : PressableObject(name, layer), mChecked(false), mTextRect(0.0f, 0.0f, 0.0f, 0.0f)
{
}

void ToggleObject::SetText(std::wstring const& text)
{
    TextComponent::SetText(text);
    Font const* const font = GetFont();
    if (!font)
        return;
    // The caption's place right of the box, from where the box is now.
    Rect<float> const& bounds = GetBounds();
    int const glyphHeight = font->GetGlyphHeight();
    mTextRect = Rect<float>(bounds.x + bounds.width + kCaptionGap,
                            std::floor(bounds.y + bounds.height / 2.0f - static_cast<float>(glyphHeight / 2) + 0.5f),
                            static_cast<float>(font->GetStringWidth(text.c_str())), static_cast<float>(glyphHeight));
}

void ToggleObject::SetImages(IImageList const* images)
{
    mImages = images;
    int const count = ControlLogic::ImageCount(images);
    if (count == 0)
        return;
    Rect<float> bounds = GetBounds();
    if (count <= kSingleImageLimit)
        bounds.width = static_cast<float>(images->GetImageWidth(0));
    bounds.height = static_cast<float>(images->GetImageHeight(0));
    SetBounds(bounds);
}

bool ToggleObject::IsBackgroundThreeBrush() const
{
    return ControlLogic::ImageCount(mImages) > kSingleImageLimit;
}

bool ToggleObject::BoundsContains(float x, float y) const
{
    if (ControlObject::BoundsContains(x, y))
        return true;
    return GetFont() && ControlLogic::RectContains(mTextRect, x, y);
}

bool ToggleObject::AlphaContains(int x, int y) const
{
    return ImageAlphaContains(IsBackgroundThreeBrush(), x, y);
}

MessageResult ToggleObject::OnKeyDown(int key)
{
    if (!HasFocus() || !ControlLogic::IsActivationKey(key))
        return kMessageNotHandled;
    Click();
    return kMessageHandled;
}

void ToggleObject::DrawBox(int index) const
{
    if (!mImages)
        return;
    Rect<float> const& bounds = GetBounds();
    if (!IsBackgroundThreeBrush())
        Graphics::DrawImageList(mImages, index, bounds.x, bounds.y, Graphics::GetDrawState(), Graphics::GetCanvas());
    else
        Graphics::DrawThreeBrush(mImages, index * 3, bounds.x, bounds.y, bounds.width, Graphics::GetDrawState(),
                                 Graphics::GetCanvas());
}

void ToggleObject::DrawCaption(bool centred) const
{
    Graphics::sDrawState state = TextDrawState();
    if (GetText().empty() || !state.font)
        return;
    state.hAlign = centred ? kHAlignment_Center : kHAlignment_Left;
    state.vAlign = centred ? kVAlignment_Middle : kVAlignment_Top;
    Rect<float> const& bounds = GetBounds();
    float const x = centred ? std::floor(bounds.x + bounds.width / 2.0f + 0.5f) : mTextRect.x;
    float const y = centred ? std::floor(bounds.y + bounds.height / 2.0f + 0.5f) : mTextRect.y;
    Graphics::DrawText(GetText().c_str(), x, y, state, Graphics::GetCanvas());
}

// ---------------------------------------------------------------------------
// Check box

CheckBoxObject::CheckBoxObject(Label name) : ToggleObject(name)
{
    SetText(GetText());
}

CheckBoxObject::CheckBoxObject(Label name, float layer, Vector2<float> const& location, IImageList const* images,
                               float width, wchar_t const* text, Font const* font, ColorF const& color)
    : ToggleObject(name, layer)
{
    SetColor(color);
    SetFont(font);
    SetLocation(location);
    SetVisible(true);
    SetWidth(width);
    SetImages(images);
    SetText(text ? std::wstring(text) : std::wstring());
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

void CheckBoxObject::Click()
{
    bool const wasChecked = mChecked;
    mChecked = !mChecked;
    PlayControlSound(mSounds, wasChecked ? UncheckedEvent() : CheckedEvent());
    SendControlMessage(CheckBoxClickMessage());
}

void CheckBoxObject::Draw()
{
    if (!IsVisible())
        return;
    DrawBox(GetImageIndex());
    DrawCaption(false);
}

// ---------------------------------------------------------------------------
// Radio button

RadioButtonObject::RadioButtonObject(Label name) : ToggleObject(name) {}

Label RadioButtonObject::GetRole() const
{
    return RadioButtonRole();
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

void RadioButtonObject::Draw()
{
    if (!IsVisible())
        return;
    DrawBox(GetImageIndex());
    DrawCaption(IsBackgroundThreeBrush());
}

// ---------------------------------------------------------------------------
// Factories

Object* CheckBoxObjectFactory::CreateObject(Label name, IAttributeContainer const& attributes) const
{
    CheckBoxObject* const box = new CheckBoxObject(name);
    box->ReadPressableAttributes(attributes);
    return box;
}

Object* RadioButtonObjectFactory::CreateObject(Label name, IAttributeContainer const& attributes) const
{
    RadioButtonObject* const radio = new RadioButtonObject(name);
    radio->ReadPressableAttributes(attributes);
    if (attributes.HasAttribute(L"group"))
        radio->SetGroup(Label::FromString(attributes.GetAttribute(std::wstring(L"group"))));
    return radio;
}

} // namespace Corvane
