#include "2DEngine/Source/Framework/ApplicationMode.h"

#include "2DEngine/Source/Framework/MainLoop.h"

namespace Corvane
{

namespace
{
Internal::DimScreenHook gDimScreenHook = nullptr;
} // namespace

ApplicationMode::ApplicationMode()
{
}

ApplicationMode::~ApplicationMode()
{
}

void ApplicationMode::ReceiveMessage(ObjectMessage const&)
{
}

MessageResult ApplicationMode::OnKeyDown(int key)
{
    return ObjectDatabase::OnKeyDown(key);
}

MessageResult ApplicationMode::OnKeyUp(int key)
{
    return ObjectDatabase::OnKeyUp(key);
}

MessageResult ApplicationMode::OnMouseMove(int x, int y)
{
    return ObjectDatabase::OnMouseMove(x, y);
}

MessageResult ApplicationMode::OnMouseDown(MouseButton button, int x, int y)
{
    return ObjectDatabase::OnMouseDown(button, x, y);
}

MessageResult ApplicationMode::OnMouseUp(MouseButton button, int x, int y)
{
    return ObjectDatabase::OnMouseUp(button, x, y);
}

MessageResult ApplicationMode::OnMouseWheel(float delta, int x, int y)
{
    return ObjectDatabase::OnMouseWheel(delta, x, y);
}

MessageResult ApplicationMode::OnMouseLeave()
{
    return ObjectDatabase::OnMouseLeave();
}

MessageResult ApplicationMode::OnTextInput(std::wstring const& text)
{
    return ObjectDatabase::OnTextInput(text);
}

void ApplicationMode::Update(float dt)
{
    ObjectDatabase::Update(dt);
}

void ApplicationMode::Draw()
{
    ObjectDatabase::Draw();
}

void ApplicationMode::DrawBackground()
{
    IGraphicsPlatform* const graphics = GetGraphicsPlatform();
    if (!graphics || (graphics->GetCaps() & kGraphicsPlatformCaps_Hardware) == 0)
        return;
    if (gDimScreenHook)
        gDimScreenHook();
}

ObjectDatabase* ApplicationMode::GetObjectDatabase()
{
    return this;
}

ApplicationMode* ApplicationMode::FindModeOfDatabase(ObjectDatabase const* database)
{
    if (!database)
        return nullptr;
    // A mode being destroyed is already off the stack but is the context mode.
    ApplicationMode* const context = MainLoop::GetContextMode();
    if (context && static_cast<ObjectDatabase const*>(context) == database)
        return context;
    for (int depth = 0;; ++depth)
    {
        ApplicationMode* const mode = MainLoop::GetTopMostMode(depth);
        if (!mode)
            return nullptr;
        if (static_cast<ObjectDatabase const*>(mode) == database)
            return mode;
    }
}

namespace Internal
{

void SetDimScreenHook(DimScreenHook hook)
{
    gDimScreenHook = hook;
}

DimScreenHook GetDimScreenHook()
{
    return gDimScreenHook;
}

} // namespace Internal
} // namespace Corvane
