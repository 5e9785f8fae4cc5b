#include "qdl/Source/Game/UnhandledException.h"

#include <cstdlib>
#include <cxxabi.h>
#include <typeinfo>

#include "Core/Source/Error.h"
#include "Core/Source/Log.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Platform/MacOSX/PlatformServices.h"

using namespace Corvane;

namespace
{

void showAlert(std::wstring const& text)
{
    Corvane::Platform::ModalNotification(text, L"Unhandled Exception");
}

// Exception texts are narrow UTF-8.
std::wstring widen(std::string const& text)
{
    return ConvertStringUTF8ToWide(text);
}

// The readable name of the error's own type, as the build's type information gives it.
std::string typeName(std::exception const& error)
{
    char const* const mangled = typeid(error).name();
    int status = 0;
    char* const readable = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    std::string const name = (status == 0 && readable) ? readable : mangled;
    std::free(readable);
    return name;
}

} // namespace

std::wstring getUnhandledExceptionAlertText(RuntimeError const& error)
{
    return L"Function:\t" + widen(error.GetFunction()) + L"\n" + L"File:\t" + widen(error.GetFile()) + L"\n" +
           L"Line:\t" + std::to_wstring(error.GetLine()) + L"\n\n" + widen(error.what());
}

std::wstring getUnhandledExceptionAlertText(std::exception const& error)
{
    return widen(error.what());
}

void reportUnhandledException(RuntimeError const& error)
{
    Internal::LogWrite("Unhandled Exception: ");
    Internal::LogWrite("%s\n", typeName(error).c_str());
    Internal::LogWrite("\tFunction:\t%s\n", error.GetFunction().c_str());
    Internal::LogWrite("\tFile:\t%s\n", error.GetFile().c_str());
    Internal::LogWrite("\tLine:\t%d\n", error.GetLine());
    Internal::LogWrite("\tMessage:\t%s\n", error.what());
    showAlert(getUnhandledExceptionAlertText(error));
}

void reportUnhandledException(std::exception const& error)
{
    Internal::LogWrite("Unhandled Exception: ");
    Internal::LogWrite("%s\n", typeName(error).c_str());
    Internal::LogWrite("\tMessage:\t%s\n", error.what());
    showAlert(getUnhandledExceptionAlertText(error));
}
