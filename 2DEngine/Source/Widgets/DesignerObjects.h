#ifndef CORVANE_WIDGETS_DESIGNEROBJECTS_H
#define CORVANE_WIDGETS_DESIGNEROBJECTS_H

// The run-time layout designer: a surface over a loaded layout instance that
// widens the window by the property column, puts a frame over every object of
// the instance, and lets the developer select, drag, resize and nudge the
// objects and edit their properties in the column. F9 on the surface closes it
// and restores the window. Nothing is saved: the edits live in the running
// objects. Every designer object refers to others by ID.

#include <memory>
#include <vector>

#include "Core/Source/Label.h"
#include "Core/Source/Rect.h"
#include "Core/Source/Vector2.h"
#include "2DEngine/Source/Framework/Object.h"
#include "2DEngine/Source/Framework/Platform.h"
#include "2DEngine/Source/Framework/Roles.h"
#include "2DEngine/Source/Widgets/PropertyEditorObjects.h"

namespace Corvane
{

class LayoutInstance;

class DesignerSurfaceObject : public Object, public IDrawable, public IInputHandler
{
public:
    // The instance is looked up by its ID when the surface is added.
    explicit DesignerSurfaceObject(ObjectID layoutInstance);
    ~DesignerSurfaceObject() override;

    // "Corvane::DesignerSurface".
    Label GetName() const override;
    static Label GetNameLabel();
    // "Add" opens the designer, "Remove" closes it.
    void ReceiveMessage(ObjectMessage const& message) override;

    float GetLayer() const override { return kDesignerLayer; }
    void SetLayer(float) override {}
    void Draw() override {}

    // F9 closes the designer; every key is taken.
    MessageResult OnKeyDown(int key) override;
    MessageResult OnKeyUp(int key) override;
    MessageResult OnTextInput(std::wstring const& text) override;
    MessageResult OnMouseMove(int x, int y) override;
    // Clears the focus and the selection.
    MessageResult OnMouseDown(MouseButton button, int x, int y) override;
    MessageResult OnMouseUp(MouseButton button, int x, int y) override;
    MessageResult OnMouseWheel(float delta, int x, int y) override;
    bool CanFocus() const override { return false; }

    sWindowConfig const& GetSavedWindowConfig() const { return mSavedConfig; }

private:
    void Open();
    void Close();

    ObjectID mInstance;
    sWindowConfig mSavedConfig;
    bool mOpened;
};

// The frame over one edited object, its target, held by ID.
class DesignerObject : public Object, public IDrawable, public IInputHandler, public IBounds
{
public:
    // What a mouse press at a point of the frame does.
    enum eAction
    {
        kAction_None = 0,
        kAction_Move = 1,
        kAction_TopLeft = 2,
        kAction_Top = 3,
        kAction_TopRight = 4,
        kAction_Right = 5,
        kAction_BottomRight = 6,
        kAction_Bottom = 7,
        kAction_BottomLeft = 8,
        kAction_Left = 9
    };

    // The target must be live; its name gives the designer object's.
    explicit DesignerObject(Object* target);
    ~DesignerObject() override;

    using Object::GetRole;
    // "<target name>::DesignerObject", or null for a target without a name.
    Label GetName() const override { return mName; }
    // "Corvane::Designer".
    Label GetRole() const override;
    static Label GetRoleLabel();

    // New rows for the target's properties; the caller adds them.
    std::vector<std::unique_ptr<PropertyEditorObject>> CreatePropertyEditors() const;

    float GetLayer() const override { return kDesignerLayer; }
    void SetLayer(float) override {}
    // A grey outline, and a red one over it when selected.
    void Draw() override;

    MessageResult OnKeyDown(int key) override;
    MessageResult OnKeyUp(int key) override;
    MessageResult OnTextInput(std::wstring const& text) override;
    MessageResult OnMouseMove(int x, int y) override;
    MessageResult OnMouseDown(MouseButton button, int x, int y) override;
    MessageResult OnMouseUp(MouseButton button, int x, int y) override;
    MessageResult OnMouseWheel(float delta, int x, int y) override;
    bool CanFocus() const override { return true; }

    // Forwarded to the target: its bounds, a 10 by 10 square at a location
    // alone, or (0, 0, 5, 5) without either.
    Vector2<float> const& GetLocation() const override;
    void SetLocation(Vector2<float> const& location) override;
    Rect<float> const& GetBounds() const override;
    void SetBounds(Rect<float> const& bounds) override;
    bool BoundsContains(float x, float y) const override;

    // Null when the target is gone.
    Object* GetTarget() const;
    ObjectID GetTargetID() const { return mTarget; }
    bool IsSelected() const;
    void Select();
    bool HasCapture() const;
    // kAction_None outside the rectangle; only moves without bounds; corners
    // before edges within 5 pixels.
    int GetMouseMoveAction(Rect<float> const& rect, float x, float y) const;
    void MoveControl(float dx, float dy);
    int GetAction() const { return mAction; }
    // The cursor kind shown for an action.
    static eCursor GetCursorForAction(int action);

private:
    ObjectDatabase* Database() const;
    PropertyListEditorObject* PropertyList() const;

    ObjectID mTarget;
    Label mName;
    int mAction;
    Vector2<float> mGrab;
    mutable Rect<float> mScratch;
    mutable Vector2<float> mScratchLocation;
};

// Opens the designer over the instance in the context database: adds a
// surface, which frames the instance's objects and widens the window. Returns
// the surface's ID, or kInvalidObjectID when a designer is open already, there
// is no context database or no instance.
ObjectID OpenLayoutDesigner(LayoutInstance* instance);
// A surface is live in the context database.
bool IsLayoutDesignerOpen();

} // namespace Corvane

#endif
