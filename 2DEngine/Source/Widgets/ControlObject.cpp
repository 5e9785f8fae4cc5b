#include "2DEngine/Source/Widgets/ControlObject.h"

#include "CorvaneExtensions/AudioPlatform/BASS/SoundList.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Graphics/Context.h"

namespace Corvane
{

ControlObject::ControlObject(Label name) : mName(name) {}

ControlObject::ControlObject(Label name, float layer) : mName(name)
{
    DrawableComponent::SetLayer(layer);
}

ControlObject::~ControlObject() {}

bool ControlObject::BoundsContains(float x, float y) const
{
    Rect<float> const& bounds = GetBounds();
    if (!(x >= bounds.x && x < bounds.x + bounds.width && y >= bounds.y && y < bounds.y + bounds.height))
        return false;
    return AlphaContains(static_cast<int>(x), static_cast<int>(y));
}

bool ControlObject::AlphaContains(int, int) const
{
    return true;
}

bool ControlObject::HasFocus() const
{
    ObjectDatabase* const database = GetObjectDatabase();
    return database && database->GetFocus() == this;
}

void ControlObject::Focus()
{
    if (ObjectDatabase* const database = GetObjectDatabase())
        database->SetFocus(this);
}

bool ControlObject::HasCapture() const
{
    ObjectDatabase* const database = GetObjectDatabase();
    return database && database->GetCapture() == this;
}

void ControlObject::Capture()
{
    if (ObjectDatabase* const database = GetObjectDatabase())
        database->SetCapture(this);
}

void ControlObject::ReleaseCapture()
{
    if (ObjectDatabase* const database = GetObjectDatabase())
        database->SetCapture(nullptr);
}

Label ControlObject::HotEvent()
{
    static Label const label = Label::GetUniqueString("Hot");
    return label;
}

Label ControlObject::DownEvent()
{
    static Label const label = Label::GetUniqueString("Down");
    return label;
}

Label ControlObject::CheckedEvent()
{
    static Label const label = Label::GetUniqueString("Checked");
    return label;
}

Label ControlObject::UncheckedEvent()
{
    static Label const label = Label::GetUniqueString("Unchecked");
    return label;
}

Label ControlObject::SnapEvent()
{
    static Label const label = Label::GetUniqueString("Snap");
    return label;
}

Label ControlObject::LostFocusMessage()
{
    static Label const label = Label::GetUniqueString("LostFocus");
    return label;
}

void ControlObject::SendControlMessage(Label message) const
{
    if (ObjectDatabase* const database = GetObjectDatabase())
        database->SendMessage(ObjectMessage(GetID(), message));
}

void ControlObject::PlayControlSound(SoundList const* sounds, Label event)
{
    if (sounds)
        sounds->PlaySound(event);
}

Graphics::sDrawState ControlObject::TextDrawState() const
{
    Graphics::sDrawState state = Graphics::GetDrawState();
    state.font = GetFont();
    state.color = GetColor();
    return state;
}

} // namespace Corvane
