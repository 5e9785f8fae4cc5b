#include "2DEngine/Source/Widgets/DesignerObjects.h"

#include <algorithm>
#include <exception>
#include <string>

#include "Core/Source/Error.h"
#include "Core/Source/Log.h"
#include "2DEngine/Source/Framework/Layout.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Drawing.h"

namespace Corvane
{

namespace
{

constexpr int kKeyLeft = 37;
constexpr int kKeyUp = 38;
constexpr int kKeyRight = 39;
constexpr int kKeyDown = 40;
constexpr int kKeyF9 = 120;
constexpr float kEdgeMargin = 5.0f;
constexpr float kLocationFrameSize = 10.0f;

ObjectDatabase* DatabaseOf(Object const* object)
{
    ObjectDatabase* const database = object->GetDatabase();
    return database ? database : GetObjectDatabase();
}

void ApplyWindowConfig(sWindowConfig const& config)
{
    try
    {
        Window::SetConfig(config);
    }
    catch (RuntimeError const& error)
    {
        Internal::LogWrite("The layout designer could not change the window: %s\n", error.what());
    }
    catch (std::exception const& error)
    {
        Internal::LogWrite("The layout designer could not change the window: %s\n", error.what());
    }
}

} // namespace

// ---- DesignerSurfaceObject

DesignerSurfaceObject::DesignerSurfaceObject(ObjectID layoutInstance)
    : mInstance(layoutInstance), mSavedConfig{kWindowMode_None, 1, 0, 0}, mOpened(false)
{
}

DesignerSurfaceObject::~DesignerSurfaceObject() {}

Label DesignerSurfaceObject::GetName() const
{
    return GetNameLabel();
}

Label DesignerSurfaceObject::GetNameLabel()
{
    static Label const label = Label::GetUniqueString("Corvane::DesignerSurface");
    return label;
}

void DesignerSurfaceObject::ReceiveMessage(ObjectMessage const& message)
{
    if (message.sender != kInvalidObjectID)
        return;
    if (message.message == ObjectDatabase::GetAddMessageName())
        Open();
    else if (message.message == ObjectDatabase::GetRemoveMessageName())
        Close();
}

void DesignerSurfaceObject::Open()
{
    ObjectDatabase* const database = DatabaseOf(this);
    if (!database || mOpened)
        return;
    mOpened = true;
    if (LayoutInstance* const instance = dynamic_cast<LayoutInstance*>(database->GetObject(mInstance)))
    {
        // A copy: adding objects must not disturb the instance's list while it is walked.
        std::vector<ObjectID> const ids = instance->GetObjectIDs();
        for (ObjectID id : ids)
            if (Object* const target = database->GetObject(id))
                database->AddObject(new DesignerObject(target));
    }
    database->AddObject(new PropertyListEditorObject());

    mSavedConfig = Window::GetConfig();
    if (mSavedConfig.mode != kWindowMode_None)
        ApplyWindowConfig(sWindowConfig{kWindowMode_Windowed, 2,
                                        mSavedConfig.width + static_cast<int32_t>(kPropertyColumnWidth),
                                        mSavedConfig.height});
}

void DesignerSurfaceObject::Close()
{
    ObjectDatabase* const database = DatabaseOf(this);
    if (!database || !mOpened)
        return;
    mOpened = false;
    database->DestroyNamedObject(PropertyListEditorObject::GetNameLabel());
    database->DestroyObjectsWithRole(DesignerObject::GetRoleLabel());
    // Left behind, a focused field would swallow keys and write into its target every frame.
    database->DestroyObjectsWithRole(PropertyEditorObject::GetRoleLabel());
    if (mSavedConfig.mode != kWindowMode_None)
        ApplyWindowConfig(mSavedConfig);
    Window::SetCursor(kCursor_Arrow);
}

MessageResult DesignerSurfaceObject::OnKeyDown(int key)
{
    if (key == kKeyF9)
        DestroySelf();
    return kMessageHandled;
}

MessageResult DesignerSurfaceObject::OnKeyUp(int)
{
    return kMessageHandled;
}

MessageResult DesignerSurfaceObject::OnTextInput(std::wstring const&)
{
    return kMessageHandled;
}

MessageResult DesignerSurfaceObject::OnMouseMove(int, int)
{
    Window::SetCursor(kCursor_Arrow);
    return kMessageHandled;
}

MessageResult DesignerSurfaceObject::OnMouseDown(MouseButton, int, int)
{
    ObjectDatabase* const database = DatabaseOf(this);
    if (!database)
        return kMessageHandled;
    database->SetFocus(nullptr);
    if (PropertyListEditorObject* const list =
            dynamic_cast<PropertyListEditorObject*>(database->GetNamedObject(PropertyListEditorObject::GetNameLabel())))
        list->Select(nullptr);
    return kMessageHandled;
}

MessageResult DesignerSurfaceObject::OnMouseUp(MouseButton, int, int)
{
    return kMessageHandled;
}

MessageResult DesignerSurfaceObject::OnMouseWheel(float, int, int)
{
    return kMessageHandled;
}

// ---- DesignerObject

DesignerObject::DesignerObject(Object* target)
    : mTarget(target ? target->GetID() : kInvalidObjectID),
      mAction(kAction_None),
      mGrab(0.0f, 0.0f),
      mScratch(0.0f, 0.0f, 0.0f, 0.0f),
      mScratchLocation(0.0f, 0.0f)
{
    if (target && target->GetName().IsValid())
        mName = Label::FromString(std::string(target->GetName().GetString()) + "::DesignerObject");
}

DesignerObject::~DesignerObject() {}

Label DesignerObject::GetRole() const
{
    return GetRoleLabel();
}

Label DesignerObject::GetRoleLabel()
{
    static Label const label = Label::GetUniqueString("Corvane::Designer");
    return label;
}

ObjectDatabase* DesignerObject::Database() const
{
    return DatabaseOf(this);
}

Object* DesignerObject::GetTarget() const
{
    ObjectDatabase* const database = Database();
    return database ? database->GetObject(mTarget) : nullptr;
}

PropertyListEditorObject* DesignerObject::PropertyList() const
{
    ObjectDatabase* const database = Database();
    return database ? dynamic_cast<PropertyListEditorObject*>(
                          database->GetNamedObject(PropertyListEditorObject::GetNameLabel()))
                    : nullptr;
}

std::vector<std::unique_ptr<PropertyEditorObject>> DesignerObject::CreatePropertyEditors() const
{
    return CreatePropertyEditorsFor(Database(), mTarget);
}

bool DesignerObject::IsSelected() const
{
    PropertyListEditorObject const* const list = PropertyList();
    return list && list->IsSelected(this);
}

void DesignerObject::Select()
{
    if (PropertyListEditorObject* const list = PropertyList())
        list->Select(this);
}

bool DesignerObject::HasCapture() const
{
    ObjectDatabase* const database = Database();
    return database && database->GetCapture() == this;
}

Vector2<float> const& DesignerObject::GetLocation() const
{
    if (ILocation const* const location = dynamic_cast<ILocation const*>(GetTarget()))
        return location->GetLocation();
    mScratchLocation = Vector2<float>(0.0f, 0.0f);
    return mScratchLocation;
}

void DesignerObject::SetLocation(Vector2<float> const& location)
{
    if (ILocation* const target = dynamic_cast<ILocation*>(GetTarget()))
        target->SetLocation(location);
}

Rect<float> const& DesignerObject::GetBounds() const
{
    Object* const target = GetTarget();
    if (IBounds const* const bounds = dynamic_cast<IBounds const*>(target))
        return bounds->GetBounds();
    if (ILocation const* const location = dynamic_cast<ILocation const*>(target))
    {
        Vector2<float> const& at = location->GetLocation();
        mScratch = Rect<float>(at.x, at.y, kLocationFrameSize, kLocationFrameSize);
        return mScratch;
    }
    mScratch = Rect<float>(0.0f, 0.0f, 5.0f, 5.0f);
    return mScratch;
}

void DesignerObject::SetBounds(Rect<float> const& rect)
{
    Object* const target = GetTarget();
    if (IBounds* const bounds = dynamic_cast<IBounds*>(target))
        bounds->SetBounds(rect);
    else if (ILocation* const location = dynamic_cast<ILocation*>(target))
        location->SetLocation(Vector2<float>(rect.x, rect.y));
}

bool DesignerObject::BoundsContains(float x, float y) const
{
    Rect<float> const& bounds = GetBounds();
    return x >= bounds.x && x < bounds.x + bounds.width && y >= bounds.y && y < bounds.y + bounds.height;
}

int DesignerObject::GetMouseMoveAction(Rect<float> const& rect, float x, float y) const
{
    if (x < rect.x || y < rect.y || x >= rect.x + rect.width || y >= rect.y + rect.height)
        return kAction_None;
    if (!dynamic_cast<IBounds*>(GetTarget()))
        return kAction_Move;
    float const right = rect.x + rect.width;
    float const bottom = rect.y + rect.height;
    bool const nearTop = y < rect.y + kEdgeMargin;
    bool const nearBottom = y > bottom - kEdgeMargin;
    bool const nearLeft = x < rect.x + kEdgeMargin;
    bool const nearRight = x > right - kEdgeMargin;
    if (nearTop && nearLeft)
        return kAction_TopLeft;
    if (nearTop && nearRight)
        return kAction_TopRight;
    if (nearBottom && nearLeft)
        return kAction_BottomLeft;
    if (nearBottom && nearRight)
        return kAction_BottomRight;
    if (nearTop)
        return kAction_Top;
    if (nearBottom)
        return kAction_Bottom;
    if (nearLeft)
        return kAction_Left;
    if (nearRight)
        return kAction_Right;
    return kAction_Move;
}

eCursor DesignerObject::GetCursorForAction(int action)
{
    switch (action)
    {
    case kAction_Move:
        return kCursor_Move;
    case kAction_TopLeft:
        return kCursor_SizeTopLeft;
    case kAction_Top:
    case kAction_Bottom:
        return kCursor_SizeVertical;
    case kAction_TopRight:
        return kCursor_SizeTopRight;
    case kAction_Right:
    case kAction_Left:
        return kCursor_SizeHorizontal;
    case kAction_BottomRight:
        return kCursor_SizeBottomRight;
    case kAction_BottomLeft:
        return kCursor_SizeBottomLeft;
    default:
        return kCursor_None;
    }
}

void DesignerObject::MoveControl(float dx, float dy)
{
    Vector2<float> const location = GetLocation();
    SetLocation(Vector2<float>(location.x + dx, location.y + dy));
}

MessageResult DesignerObject::OnMouseDown(MouseButton, int x, int y)
{
    float const fx = static_cast<float>(x);
    float const fy = static_cast<float>(y);
    if (!BoundsContains(fx, fy))
        return kMessageNotHandled;
    Select();
    if (ObjectDatabase* const database = Database())
    {
        database->SetFocus(this);
        database->SetCapture(this);
    }
    mAction = GetMouseMoveAction(GetBounds(), fx, fy);
    Vector2<float> const location = GetLocation();
    mGrab = Vector2<float>(fx - location.x, fy - location.y);
    return kMessageHandled;
}

MessageResult DesignerObject::OnMouseMove(int x, int y)
{
    float const fx = static_cast<float>(x);
    float const fy = static_cast<float>(y);
    if (!BoundsContains(fx, fy) && !HasCapture())
        return kMessageNotHandled;
    int const shown = mAction != kAction_None ? mAction : GetMouseMoveAction(GetBounds(), fx, fy);
    Window::SetCursor(GetCursorForAction(shown));
    if (mAction == kAction_None)
        return kMessageHandled;
    if (mAction == kAction_Move)
    {
        SetLocation(Vector2<float>(fx - mGrab.x, fy - mGrab.y));
        return kMessageHandled;
    }
    Rect<float> bounds = GetBounds();
    if (mAction == kAction_TopRight || mAction == kAction_Right || mAction == kAction_BottomRight)
        bounds.width = std::max(fx - bounds.x + 1.0f, 1.0f);
    if (mAction == kAction_BottomLeft || mAction == kAction_Left || mAction == kAction_TopLeft)
    {
        float const d = std::min(fx - bounds.x, bounds.width - 1.0f);
        bounds.x += d;
        bounds.width -= d;
    }
    if (mAction == kAction_BottomRight || mAction == kAction_Bottom || mAction == kAction_BottomLeft)
        bounds.height = std::max(fy - bounds.y + 1.0f, 1.0f);
    if (mAction == kAction_TopLeft || mAction == kAction_Top || mAction == kAction_TopRight)
    {
        float const d = std::min(fy - bounds.y, bounds.height - 1.0f);
        bounds.y += d;
        bounds.height -= d;
    }
    SetBounds(bounds);
    return kMessageHandled;
}

MessageResult DesignerObject::OnMouseUp(MouseButton, int x, int y)
{
    bool const captured = HasCapture();
    if (!BoundsContains(static_cast<float>(x), static_cast<float>(y)) && !captured)
        return kMessageNotHandled;
    if (captured)
        if (ObjectDatabase* const database = Database())
            database->SetCapture(nullptr);
    mAction = kAction_None;
    mGrab = Vector2<float>(0.0f, 0.0f);
    return kMessageHandled;
}

MessageResult DesignerObject::OnMouseWheel(float, int x, int y)
{
    return BoundsContains(static_cast<float>(x), static_cast<float>(y)) ? kMessageHandled : kMessageNotHandled;
}

MessageResult DesignerObject::OnKeyDown(int key)
{
    if (!IsSelected())
        return kMessageNotHandled;
    if (key == kKeyLeft)
        MoveControl(-1.0f, 0.0f);
    else if (key == kKeyRight)
        MoveControl(1.0f, 0.0f);
    else if (key == kKeyUp)
        MoveControl(0.0f, -1.0f);
    else if (key == kKeyDown)
        MoveControl(0.0f, 1.0f);
    return kMessageHandled;
}

MessageResult DesignerObject::OnKeyUp(int)
{
    return IsSelected() ? kMessageHandled : kMessageNotHandled;
}

MessageResult DesignerObject::OnTextInput(std::wstring const&)
{
    return IsSelected() ? kMessageHandled : kMessageNotHandled;
}

void DesignerObject::Draw()
{
    Graphics::sDrawState state = Graphics::GetDrawState();
    state.color = ColorF(0.75f, 0.75f, 0.75f, 1.0f);
    Rect<float> const bounds = GetBounds();
    Graphics::DrawLineRect(bounds, state, Graphics::GetCanvas());
    if (!IsSelected())
        return;
    state.color = ColorF(1.0f, 0.0f, 0.0f, 1.0f);
    Graphics::DrawLineRect(bounds, state, Graphics::GetCanvas());
}

// ---- Opening

ObjectID OpenLayoutDesigner(LayoutInstance* instance)
{
    ObjectDatabase* const database = GetObjectDatabase();
    if (!database || !instance || IsLayoutDesignerOpen())
        return kInvalidObjectID;
    return database->AddObject(new DesignerSurfaceObject(instance->GetID()));
}

bool IsLayoutDesignerOpen()
{
    ObjectDatabase* const database = GetObjectDatabase();
    return database && dynamic_cast<DesignerSurfaceObject*>(
                           database->GetNamedObject(DesignerSurfaceObject::GetNameLabel())) != nullptr;
}

} // namespace Corvane
