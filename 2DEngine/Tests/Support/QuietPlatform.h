#pragma once

// An application platform for tests that has no window and answers every
// call with nothing: registered while it lives, always active, an 800x600
// render rectangle. Tests derive from it and override only what they watch.

#include "2DEngine/Source/Framework/Platform.h"
#include "Core/Source/Singleton.h"

namespace Corvane
{
namespace Testing
{
class QuietPlatform : public IPlatform
{
public:
    QuietPlatform() { RegisterSingleton(static_cast<IPlatform*>(this)); }
    ~QuietPlatform() override { UnregisterSingleton(static_cast<IPlatform*>(this)); }

    void Setup() override {}
    void Destroy() override {}
    bool EnforceSingleInstance() override { return false; }
    void CreateWindow(sWindowConfig const&) override {}
    void DestroyWindow() override {}
    void EnsureWindowVisible() override {}
    void EnableHardwareCursor(bool) override {}
    void SetHardwareCursor(eCursor) override {}
    IImage const* GetCustomCursorImage(eCursor) const override { return nullptr; }
    Vector2<int> GetCustomCursorHotSpot(eCursor) const override { return Vector2<int>(0, 0); }
    void GetSupportedWindowConfig(sWindowConfig*) override {}
    bool IsActive() const override { return true; }
    bool IsQuitPending() const override { return false; }
    bool IsEventPending() const override { return false; }
    bool IsRepaintPending() const override { return false; }
    void ClearPendingRepaint() override {}
    void HandleEvents(IInputEventSink*) override {}
    void WaitForEvent() override {}
    void CaptureMouse() override {}
    void ReleaseMouse() override {}
    void* GetBundle() const override { return nullptr; }
    sPlatformRect GetRenderRect() const override { return sPlatformRect{0, 0, 600, 800}; }
    sPlatformRect GetRenderClipRect() const override { return GetRenderRect(); }
};
} // namespace Testing
} // namespace Corvane
