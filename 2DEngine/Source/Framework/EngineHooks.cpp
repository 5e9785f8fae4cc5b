#include "2DEngine/Source/Framework/EngineHooks.h"

#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/DownloadManager.h"
#include "2DEngine/Source/Framework/FileSource.h"
#include "2DEngine/Source/Framework/Layout.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "Core/Source/Label.h"
#include "Core/Source/Random.h"
#include "Core/Source/Singleton.h"

namespace Corvane
{
namespace MainLoop
{
namespace Internal
{

sEngineHooks MakeDefaultEngineHooks()
{
    sEngineHooks hooks;
    hooks.setupRandom = &Random::Engine_Setup;
    hooks.registerDefaultFileSource = &RegisterDefaultFileSource;
    hooks.createConstantResourceFactories = &CreateConstantResourceFactories;
    hooks.createLayoutFactories = &CreateLayoutFactories;
    hooks.cleanupResourceManager = [] { GetResourceManager()->Cleanup(); };
    hooks.cleanupDownloadManager = &CleanupDownloadManager;
    hooks.cleanupFileSource = &CleanupFileSource;
    hooks.deleteAllSingletons = &Corvane::Internal::DeleteAllSingletons;
    hooks.shutdownLabels = &Label::Shutdown;
    hooks.destroyRandom = &Random::Engine_Destroy;
    return hooks;
}

sEngineHooks& GetEngineHooks()
{
    static sEngineHooks hooks = MakeDefaultEngineHooks();
    return hooks;
}

} // namespace Internal
} // namespace MainLoop
} // namespace Corvane
