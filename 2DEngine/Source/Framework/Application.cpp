#include "2DEngine/Source/Framework/Application.h"

namespace Corvane
{

namespace
{
// Constant-initialised, so the game's static application may register itself
// during static initialisation.
IApplication* gApplication = nullptr;
} // namespace

IApplication* GetApplication()
{
    return gApplication;
}

wchar_t const* GetApplicationWindowTitle(sApplicationDescriptor const& descriptor)
{
    if (descriptor.windowTitle)
        return descriptor.windowTitle;
    return descriptor.productName ? descriptor.productName : L"";
}

BaseApplication::BaseApplication()
    : mDescriptor(GetDefaultDescriptor())
{
    gApplication = this;
}

BaseApplication::~BaseApplication()
{
    if (gApplication == this)
        gApplication = nullptr;
}

sApplicationDescriptor const& BaseApplication::GetDescriptor() const
{
    return mDescriptor;
}

sApplicationConfig const& BaseApplication::GetConfig() const
{
    return GetDefaultConfig();
}

sWindowConfig const& BaseApplication::GetDefaultWindowConfig() const
{
    return GetEngineDefaultWindowConfig();
}

unsigned long BaseApplication::GetDefaultGraphicsPlatformCaps() const
{
    return kGraphicsPlatformCaps_Hardware;
}

sApplicationDescriptor const& BaseApplication::GetDefaultDescriptor()
{
    static sApplicationDescriptor const descriptor = {
        L"[Company Name]", L"[Product Name]", L"[Copyright]", L"[User Version]", L"[Full Version]",
        {0, 0, 0, 0}, nullptr};
    return descriptor;
}

sApplicationConfig const& BaseApplication::GetDefaultConfig()
{
    static sApplicationConfig const config = {true, false};
    return config;
}

sWindowConfig const& BaseApplication::GetEngineDefaultWindowConfig()
{
    static sWindowConfig const config = {kWindowMode_FullScreen, 1, 800, 600};
    return config;
}

} // namespace Corvane
