#ifndef CORVANE_FRAMEWORK_ENGINEHOOKS_H
#define CORVANE_FRAMEWORK_ENGINEHOOKS_H

// The calls that engine set-up, drawing and tear-down make into other
// subsystems, gathered in one table so that each subsystem installs its own
// when it is built and tests can record the order. An empty hook is skipped,
// except createPlatform: without a platform the engine cannot start.

#include <functional>

namespace Corvane
{

class IPlatform;
struct sWindowConfig;

namespace MainLoop
{
namespace Internal
{

struct sEngineHooks
{
    // Set-up, in the order the loop calls them.
    std::function<void()> setupRandom;
    // Makes the platform of the build when none is registered; the new
    // platform registers itself.
    std::function<IPlatform*()> createPlatform;
    // Registers the default file source when none is registered and hands the
    // registered one to the automatic singleton deletion.
    std::function<void()> registerDefaultFileSource;
    // Creates the window and the graphics platform.
    std::function<void(sWindowConfig const&)> setWindowConfig;
    std::function<void()> createConstantResourceFactories;
    std::function<void()> createLayoutFactories;

    // Every drawn frame while the platform is active.
    std::function<void()> drawCustomCursor;

    // Tear-down, in the order the loop calls them.
    std::function<void()> cleanupResourceManager;
    std::function<void()> cleanupDownloadManager;
    std::function<void()> cleanupFileSource;
    std::function<void()> deleteAllSingletons;
    std::function<void()> shutdownLabels;
    std::function<void()> destroyRandom;
};

// The hooks the loop uses. The defaults call what the core library and this
// framework provide (random streams, the default file source, the constant and
// layout factories, resource manager, download manager and file source
// clean-up, singleton deletion, label shutdown); the platform, window and
// cursor hooks start empty until their subsystems install them.
sEngineHooks& GetEngineHooks();
sEngineHooks MakeDefaultEngineHooks();

} // namespace Internal
} // namespace MainLoop
} // namespace Corvane

#endif
