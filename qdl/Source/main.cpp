#include <exception>

#include "Core/Source/Error.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "qdl/Source/Game/Application.h"
#include "qdl/Source/Game/DesktopEngine.h"
#include "qdl/Source/Game/UnhandledException.h"

namespace
{

// Before main runs: the engine is to start the game on the desktop.
struct DesktopEngineInstaller
{
    DesktopEngineInstaller() { installDesktopEngine(); }
} const desktopEngine;

// The one application; building it registers it with the engine.
Application application;

} // namespace

int main()
{
    try
    {
        Corvane::MainLoop::Execute();
    }
    catch (Corvane::RuntimeError const& error)
    {
        reportUnhandledException(error);
    }
    catch (std::exception const& error)
    {
        reportUnhandledException(error);
    }
    return 0;
}
