#include "2DEngine/Source/Platform/MacOSX/DesktopEngineSetup.h"

#include "2DEngine/Source/Framework/ApplicationMode.h"
#include "2DEngine/Source/Framework/EngineHooks.h"
#include "2DEngine/Source/Framework/Platform.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Graphics/ScreenDimming.h"
#include "2DEngine/Source/Graphics/WindowCursor.h"
#include "2DEngine/Source/Platform/MacOSX/MacOSXNetworkPlatform.h"

namespace MacOSX
{

void InstallEngineHooks()
{
    Corvane::MainLoop::Internal::sEngineHooks& hooks = Corvane::MainLoop::Internal::GetEngineHooks();
    hooks.createPlatform = [] { return Corvane::IPlatform::Create(); };
    hooks.setWindowConfig = &Corvane::Window::SetConfig;
    hooks.drawCustomCursor = &Corvane::Window::Internal::DrawCustomCursor;
    Corvane::Internal::SetDimScreenHook(&Corvane::Internal::DimScreen);
    Corvane::Window::Internal::SetGraphicsPlatformFactory(&Corvane::IGraphicsPlatform::Create);
    Internal::GetPlatformSetupHooks().createNetworkPlatform = &CreateNetworkPlatform;
}

namespace Internal
{

sPlatformSetupHooks MakeDefaultPlatformSetupHooks()
{
    sPlatformSetupHooks hooks;
    hooks.registerFontFactory = [] {
        Corvane::GetResourceManager()->AddResourceFactory(L"font", Corvane::CreateFontResourceFactory());
    };
    return hooks;
}

sPlatformSetupHooks& GetPlatformSetupHooks()
{
    static sPlatformSetupHooks hooks = MakeDefaultPlatformSetupHooks();
    return hooks;
}

} // namespace Internal
} // namespace MacOSX
