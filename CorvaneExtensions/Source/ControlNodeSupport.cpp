#include "CorvaneExtensions/Source/ControlNodeSupport.h"

#include "CorvaneExtensions/AudioPlatform/BASS/SoundList.h"

#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Graphics/Brush.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/ImageList.h"

using namespace Corvane;

namespace ControlNodes
{

bool IsActivationKey(int key)
{
    return key == kKeyEnter || key == kKeySpace || key == kKeyGamePadA;
}

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

} // namespace ControlNodes
