#include "qdl/Source/Game/DesktopEngine.h"

#include "2DEngine/Source/Framework/ResourceManager.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Platform/MacOSX/DesktopEngineSetup.h"
#include "2DEngine/Source/Widgets/ObjectFactory.h"

void installDesktopEngine()
{
    MacOSX::InstallEngineHooks();
    Corvane::InstallWidgetEngineHooks();
    MacOSX::Internal::sPlatformSetupHooks& platform = MacOSX::Internal::GetPlatformSetupHooks();
    if (!platform.registerFontFactory)
        platform.registerFontFactory = [] {
            Corvane::GetResourceManager()->AddResourceFactory(L"font", Corvane::CreateFontResourceFactory());
        };
}
