#ifndef CORVANE_PLATFORM_MACOSX_DESKTOPENGINESETUP_H
#define CORVANE_PLATFORM_MACOSX_DESKTOPENGINESETUP_H

// Connects the engine's set-up to the desktop: the main loop's platform,
// window, cursor and screen-dimming hooks, the window's graphics platform
// factory, and the platform set-up's calls into subsystems that are not part
// of it.

#include <functional>

namespace MacOSX
{

// Installs, in the main loop's engine hooks, the making of the desktop
// application platform, the window's configuration and the custom cursor's
// drawing, in the modes, the darkening behind an overlay, in the window,
// IGraphicsPlatform::Create, and in the platform's set-up, the making of the
// network platform. A program calls it before MainLoop::Execute.
void InstallEngineHooks();

namespace Internal
{

// Calls the platform's Setup makes that tests may replace. An empty hook is
// skipped.
struct sPlatformSetupHooks
{
    // Registers the "font" resource factory with the resource manager.
    std::function<void()> registerFontFactory;
    // Makes the network platform, which registers itself (installed with the
    // engine hooks).
    std::function<void()> createNetworkPlatform;
};

// The hooks in use; they start as MakeDefaultPlatformSetupHooks gives them.
sPlatformSetupHooks& GetPlatformSetupHooks();
// The font factory's registration; no network platform.
sPlatformSetupHooks MakeDefaultPlatformSetupHooks();

} // namespace Internal
} // namespace MacOSX

#endif
