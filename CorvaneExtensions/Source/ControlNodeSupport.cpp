#include "CorvaneExtensions/Source/ControlNodeSupport.h"

#include "2DEngine/Source/Framework/ContentNumbers.h"

#include "CorvaneExtensions/AudioPlatform/BASS/SoundList.h"

#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Graphics/Brush.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Graphics/ImageList.h"

#include <cmath>

using namespace Corvane;

namespace ControlNodes
{

Label ReadResourceLabel(IAttributeContainer const& attributes, wchar_t const* name)
{
    std::wstring const text = attributes.GetAttribute(std::wstring(name));
    if (text.empty())
        return Label();
    return Label::FromString(text);
}

void SendNodeMessage(SceneNode const& node, Label message)
{
    if (ObjectDatabase* database = GetObjectDatabase())
        database->SendMessage(ObjectMessage(node.GetID(), message));
}

void PlayNodeSound(SoundList const* sounds, Label event)
{
    if (sounds)
        sounds->PlaySound(event);
}

Label HotEvent()
{
    static Label const label = Label::GetUniqueString("Hot");
    return label;
}

Label DownEvent()
{
    static Label const label = Label::GetUniqueString("Down");
    return label;
}

Label ReleaseEvent()
{
    static Label const label = Label::GetUniqueString("Release");
    return label;
}

Label CheckedEvent()
{
    static Label const label = Label::GetUniqueString("Checked");
    return label;
}

Label UncheckedEvent()
{
    static Label const label = Label::GetUniqueString("Unchecked");
    return label;
}

Label SnapEvent()
{
    static Label const label = Label::GetUniqueString("Snap");
    return label;
}

Label LostFocusMessage()
{
    static Label const label = Label::GetUniqueString("LostFocus");
    return label;
}

Graphics::sDrawState NodeDrawState(SceneNode const& node)
{
    Graphics::sDrawState state = Graphics::GetDrawState();
    state.tint.a = node.GlobalGetAlpha();
    if (node.GetUseClipRect())
        state.clip = node.GetClipRect();
    return state;
}

Vector2<float> NodeDrawPosition(SceneNode const& node, Vector2<float> const& offset)
{
    Vector2<float> const location = node.GlobalGetLocation();
    return Vector2<float>(location.x + offset.x, location.y + offset.y);
}

bool AlphaContains(SceneNode const& node, IImageList const* images, bool threeSlice, int sensitivity,
                   Vector2<float> const& point)
{
    if (sensitivity == 0 || !images || images->GetNumImages() == 0)
        return true;
    Vector2<float> const origin = node.GlobalGetLocation();
    int const x = static_cast<int>(point.x) - static_cast<int>(origin.x);
    int const y = static_cast<int>(point.y) - static_cast<int>(origin.y);
    int const alpha = threeSlice ? Graphics::GetThreeBrushPixelAlpha(images, 0, x, y, node.GetWidth())
                                 : images->GetImagePixelAlpha(0, x, y);
    return alpha > sensitivity;
}

int StateIndex(SceneNode const& node, bool enabled, bool hot, bool focusImages)
{
    return ControlLogic::StateIndex(enabled, node.HasCapture(), hot, node.HasFocus(), focusImages);
}

void PressControl(SceneNode& node, bool enabled, bool& hot, SoundList const* sounds)
{
    if (!enabled)
        return;
    hot = true;
    node.Capture();
    PlayNodeSound(sounds, DownEvent());
}

void EnterControl(bool enabled, bool& hot, SoundList const* sounds)
{
    if (!enabled)
        return;
    hot = true;
    PlayNodeSound(sounds, HotEvent());
}

void SizeToImages(SceneNode& node, IImageList const* images, bool threeSlice, float frameWidth)
{
    int const count = ImageCount(images);
    node.SetWidth(count == 0 ? 0.0f : threeSlice ? frameWidth : static_cast<float>(images->GetImageWidth(0)));
    node.SetHeight(count == 0 ? 0.0f : static_cast<float>(images->GetImageHeight(0)));
}

void DrawControlImage(SceneNode const& node, IImageList const* images, bool threeSlice, int index,
                      Vector2<float> const& position, Graphics::sDrawState const& state)
{
    if (threeSlice)
        Graphics::DrawThreeBrush(images, index, position.x, position.y, node.GetWidth(), state, Graphics::GetCanvas());
    else if (images)
        Graphics::DrawImageList(images, index, position.x, position.y, state, Graphics::GetCanvas());
}

void DrawControlCaption(SceneNode const& node, std::wstring const& text, Font const* font,
                        Vector2<float> const& position, Graphics::sDrawState const& state, bool centred)
{
    if (text.empty() || !font)
        return;
    Graphics::sDrawState caption = state;
    caption.font = font;
    caption.color = node.GlobalGetColor();
    caption.hAlign = centred ? kHAlignment_Center : kHAlignment_Left;
    caption.vAlign = kVAlignment_Middle;
    float const x = centred ? std::floor(position.x + node.GetWidth() / 2.0f + 0.5f)
                            : position.x + node.GetWidth() + kCaptionGap;
    Graphics::DrawText(text.c_str(), x, std::floor(position.y + node.GetHeight() / 2.0f + 0.5f), caption,
                       Graphics::GetCanvas());
}

void ReadControlAttributes(IAttributeContainer const& attributes, ControlNodeDescriptor& descriptor)
{
    descriptor.images = ReadResourceLabel(attributes, L"images");
    descriptor.width = ReadNumber(attributes, L"width", 0.0f, NumberRanges::kSize);
    descriptor.text = attributes.GetAttribute(std::wstring(L"text"));
    descriptor.font = ReadResourceLabel(attributes, L"font");
    descriptor.alphaSensitivity = ReadNumber(attributes, L"alphaSensitivity", 25, NumberRanges::kCount);
    descriptor.sounds = ReadResourceLabel(attributes, L"sounds");
    if (attributes.HasAttribute(L"textResource"))
        descriptor.textResource = ReadResourceLabel(attributes, L"textResource");
}

sControlResources::sControlResources(ControlNodeDescriptor const& descriptor)
    : images(descriptor.images), font(descriptor.font), sounds(descriptor.sounds)
{
}

} // namespace ControlNodes
