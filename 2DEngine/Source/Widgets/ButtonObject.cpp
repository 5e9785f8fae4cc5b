#include "2DEngine/Source/Widgets/ButtonObject.h"

#include <cmath>

#include "2DEngine/Source/Graphics/Brush.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "2DEngine/Source/Graphics/KeyNames.h"
#include "2DEngine/Source/Widgets/ControlLogic.h"

namespace Corvane
{

namespace
{

Label ButtonClickMessage()
{
    static Label const label = Label::GetUniqueString("ButtonClick");
    return label;
}

} // namespace

ButtonObject::ButtonObject(Label name) : PressableObject(name), mScalable(false), mKeyCode(0) {}

ButtonObject::ButtonObject(Label name, float layer) : PressableObject(name, layer), mScalable(false), mKeyCode(0) {}

void ButtonObject::SetText(std::wstring const& text)
{
    TextComponent::SetText(text);
    UpdateSize();
}

void ButtonObject::SetImages(IImageList const* images)
{
    mImages = images;
    UpdateSize();
}

void ButtonObject::UpdateSize()
{
    int const count = ControlLogic::ImageCount(mImages);
    Rect<float> bounds = GetBounds();
    if (count >= 6)
        bounds.height = static_cast<float>(mImages->GetImageHeight(0));
    else if (count >= 1)
    {
        bounds.width = static_cast<float>(mImages->GetImageWidth(0));
        bounds.height = static_cast<float>(mImages->GetImageHeight(0));
    }
    else if (Font const* font = GetFont())
    {
        bounds.width = static_cast<float>(font->GetStringWidth(GetText().c_str()));
        bounds.height = static_cast<float>(font->GetGlyphHeight());
    }
    else
        return;
    SetBounds(bounds);
}

bool ButtonObject::IsThreeSlice() const
{
    return ControlLogic::ImageCount(mImages) >= 6;
}

bool ButtonObject::HasFocusImages() const
{
    int const count = ControlLogic::ImageCount(mImages);
    if (count == 0)
        return false;
    return count < 6 ? count == 5 : count == 15;
}

int ButtonObject::GetImageIndex() const
{
    return ControlLogic::StateIndex(IsEnabled(), HasCapture(), mHot, HasFocus(), HasFocusImages());
}

void ButtonObject::Click()
{
    SendControlMessage(ButtonClickMessage());
}

bool ButtonObject::AlphaContains(int x, int y) const
{
    return ImageAlphaContains(IsThreeSlice(), x, y);
}

MessageResult ButtonObject::OnKeyDown(int key)
{
    bool const activates =
        (HasFocus() && ControlLogic::IsActivationKey(key)) || (mKeyCode != 0 && key == mKeyCode);
    if (!activates)
        return kMessageNotHandled;
    Click();
    return kMessageHandled;
}

void ButtonObject::Draw()
{
    if (!IsVisible())
        return;
    Rect<float> const& bounds = GetBounds();
    Graphics::sDrawState const& state = Graphics::GetDrawState();
    int const index = GetImageIndex();
    if (IsThreeSlice())
        Graphics::DrawThreeBrush(mImages, index * 3, bounds.x, bounds.y, bounds.width, state, Graphics::GetCanvas());
    else if (mScalable && mImages)
    {
        Vector2<float> const& scale = GetScale();
        Rect<float> rect(bounds.x, bounds.y, bounds.width * scale.x, bounds.height * scale.y);
        Graphics::DrawStretchedImageList(mImages, index, rect, state, Graphics::GetCanvas());
    }
    else if (mImages)
        Graphics::DrawImageList(mImages, index, bounds.x, bounds.y, state, Graphics::GetCanvas());

    if (GetText().empty() || !GetFont())
        return;
    Graphics::sDrawState caption = TextDrawState();
    caption.textMode = GetTextMode();
    caption.hAlign = kHAlignment_Center;
    caption.vAlign = kVAlignment_Middle;
    Graphics::DrawText(GetText().c_str(), std::floor(bounds.x + bounds.width / 2.0f + 0.5f),
                       std::floor(bounds.y + bounds.height / 2.0f + 0.5f), caption, Graphics::GetCanvas());
}

Object* ButtonObjectFactory::CreateObject(Label name, IAttributeContainer const& attributes) const
{
    ButtonObject* const button = new ButtonObject(name);
    button->ReadPressableAttributes(attributes);
    if (attributes.HasAttribute(L"keyCode"))
        button->SetKeyCode(GetKeyCodeByName(attributes.GetAttribute(std::wstring(L"keyCode")).c_str()) & 0xFFFF);
    if (attributes.HasAttribute(L"scalable"))
        button->SetScalable(attributes.GetAttribute(L"scalable", false));
    return button;
}

} // namespace Corvane
