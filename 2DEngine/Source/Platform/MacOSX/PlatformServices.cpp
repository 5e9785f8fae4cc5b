#include "2DEngine/Source/Platform/MacOSX/PlatformServices.h"

#include "Core/Source/Log.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Platform/MacOSX/DesktopServices.h"
#include "2DEngine/Source/Platform/MacOSX/MacOSXPlatform.h"

namespace Corvane
{
namespace Platform
{

std::wstring GetFileExtension(std::wstring const& path)
{
    std::wstring const slashed = ConvertToForwardSlashes(path);
    size_t const dot = slashed.rfind(L'.');
    if (dot == std::wstring::npos)
        return std::wstring();
    return slashed.substr(dot);
}

std::wstring GetFilePath(std::wstring const& path)
{
    std::wstring const slashed = ConvertToForwardSlashes(path);
    size_t const slash = slashed.rfind(L'/');
    if (slash == std::wstring::npos)
        return slashed;
    return slashed.substr(0, slash);
}

std::wstring GetFileName(std::wstring const& path)
{
    std::wstring const slashed = ConvertToForwardSlashes(path);
    size_t const slash = slashed.rfind(L'/');
    size_t const start = slash == std::wstring::npos ? 0 : slash + 1;
    size_t const dot = slashed.rfind(L'.');
    if (dot == std::wstring::npos || dot < start)
        return slashed.substr(start);
    return slashed.substr(start, dot - start);
}

void ModalNotification(std::wstring const& message, std::wstring const& title)
{
    MacOSX::Platform const* const platform = MacOSX::GetPlatform();
    MacOSX::ShowMessageBox(MacOSX::kMessageBox_Caution, title, message,
                           platform ? platform->GetWindowRef() : nullptr);
}

} // namespace Platform

void LaunchDocument(std::wstring const& path)
{
    Internal::LogWrite("Document to open: %ls\n", path.c_str());
}

} // namespace Corvane
