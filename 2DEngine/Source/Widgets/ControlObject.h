#ifndef CORVANE_WIDGETS_CONTROLOBJECT_H
#define CORVANE_WIDGETS_CONTROLOBJECT_H

// The base of the interactive widget objects: a drawable with bounds, a text
// colour, an enabled flag, a font, a visible flag and input handlers, which
// answers hit tests by its bounds (right and bottom edges outside) and a pixel
// test of its own, and reaches focus and capture through the context object
// database.

#include "Core/Source/Label.h"
#include "2DEngine/Source/Framework/Object.h"
#include "2DEngine/Source/Framework/Roles.h"
#include "2DEngine/Source/Graphics/DrawState.h"

namespace Corvane
{

class SoundList;

class ControlObject : public Object,
                      public DrawableComponent,
                      public BoundsComponent,
                      public ColorComponent,
                      public EnableComponent,
                      public FontComponent,
                      public VisibleComponent,
                      public InputHandlerComponent
{
public:
    explicit ControlObject(Label name);
    ControlObject(Label name, float layer);
    ~ControlObject() override;

    Label GetName() const override { return mName; }

    void Enable(bool enable) override { EnableComponent::Enable(enable); }
    // Inside the bounds (left and top edges in, right and bottom out) and passing
    // AlphaContains at the point truncated toward zero.
    bool BoundsContains(float x, float y) const override;
    // True here; controls with images test their pixels.
    virtual bool AlphaContains(int x, int y) const;

    // Focus and capture live in the context object database.
    bool HasFocus() const;
    void Focus();
    bool HasCapture() const;
    void Capture();
    // Clears the capture, whoever holds it.
    void ReleaseCapture();

    // The sound events of the controls.
    static Label HotEvent();
    static Label DownEvent();
    static Label CheckedEvent();
    static Label UncheckedEvent();
    static Label SnapEvent();
    // Sent by the database to the object that loses the focus.
    static Label LostFocusMessage();

protected:
    // Broadcasts the message with this control as sender; nothing without a database.
    void SendControlMessage(Label message) const;
    // Nothing without a list or without the event in it.
    static void PlayControlSound(SoundList const* sounds, Label event);
    // A copy of the current draw state carrying the control's font and colour.
    Graphics::sDrawState TextDrawState() const;

private:
    Label mName;
};

} // namespace Corvane

#endif
