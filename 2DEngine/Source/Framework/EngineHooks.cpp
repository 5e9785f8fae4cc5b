#include "2DEngine/Source/Framework/EngineHooks.h"

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
