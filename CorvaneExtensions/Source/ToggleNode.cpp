#include "CorvaneExtensions/Source/ToggleNode.h"

#include "CorvaneExtensions/Source/ControlNodeSupport.h"

#include "2DEngine/Source/Graphics/ImageList.h"

using namespace Corvane;
using namespace ControlNodes;

ToggleNode::ToggleNode(Label name, IImageList const* images, float width, wchar_t const* text, Font const* font)
    : SceneNode(name),
      TextComponent(text ? std::wstring(text) : std::wstring()),
      mChecked(false),
      mHot(false),
      mImages(images),
      mWidth(width),
      mAlphaSensitivity(25),
      mSounds(nullptr)
{
    FontComponent::SetFont(font);
    SetHitTest(true);
    mouseDownSignal.connect([this](SceneNode*, MouseButton, int, int) { HandleMouseDown(); });
    mouseUpSignal.connect([this](SceneNode*, MouseButton, int, int) { HandleMouseUp(); });
    capturedMouseUpSignal.connect([this](SceneNode*, MouseButton, int, int) { ReleaseCapture(); });
    mouseEnterSignal.connect([this](SceneNode*) { HandleMouseEnter(); });
    mouseExitSignal.connect([this](SceneNode*) { HandleMouseExit(); });
}

void ToggleNode::SetText(std::wstring const& text)
{
    TextComponent::SetText(text);
    UpdateBounds();
}

void ToggleNode::SetFont(Font const* font)
{
    FontComponent::SetFont(font);
    UpdateBounds();
}

bool ToggleNode::IsThreeSlice() const
{
    return ImageCount(mImages) >= 11;
}

void ToggleNode::UpdateBounds()
{
    SizeToImages(*this, mImages, IsThreeSlice(), mWidth);
}

void ToggleNode::HandleMouseDown()
{
    PressControl(*this, IsEnabled(), mHot, mSounds);
}

void ToggleNode::HandleMouseUp()
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

void ToggleNode::HandleMouseEnter()
{
    EnterControl(IsEnabled(), mHot, mSounds);
}

void ToggleNode::HandleMouseExit()
{
    if (IsEnabled())
        mHot = false;
}

MessageResult ToggleNode::OnKeyDown(int key)
{
    if (!HasFocus() || !IsActivationKey(key))
        return kMessageNotHandled;
    Click();
    return kMessageHandled;
}

bool ToggleNode::GlobalPointIntersects(Vector2<float> const& point) const
{
    return GlobalBoundsContains(point.x, point.y) &&
           AlphaContains(*this, mImages, IsThreeSlice(), mAlphaSensitivity, point);
}
