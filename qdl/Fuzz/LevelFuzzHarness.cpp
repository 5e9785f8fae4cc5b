#include "qdl/Fuzz/LevelFuzzHarness.h"

#include <cstdlib>
#include <exception>

#include "Core/Source/MemoryStream.h"
#include "Core/Source/Random.h"
#include "qdl/Source/Game/LevelManager.h"

using namespace Corvane;

namespace LevelFuzz
{

namespace
{
wchar_t const* const kManifest = L"LevelFuzz";
} // namespace

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void registerReader(wchar_t const* element, IResourceFactory* factory)
{
    static bool const randomReady = [] {
        Random::Engine_Setup();
        std::atexit([] { Random::Engine_Destroy(); });
        return true;
    }();
    (void)randomReady;
    GetResourceManager()->AddResourceFactory(element, factory);
}

int readInput(uint8_t const* data, size_t size, std::function<void()> const& checkMade)
{
    *GetLevelManager() = LevelManager();
    {
        ReadOnlyMemoryStream stream(kManifest, data, static_cast<uint32_t>(size));
        try
        {
            GetResourceManager()->LoadFromStream(&stream, kManifest);
        }
        catch (std::exception const&)
        {
            // Refused with its error, as the game logs it; what was read before the error stays
            // loaded until the unload, and is checked like the rest.
        }
    }
    checkMade();
    GetResourceManager()->Unload(kManifest);
    check(GetResourceManager()->GetLoadCount(kManifest) == 0);
    for (IResourceDescriptor* descriptor : GetResourceManager()->GetResources<IResourceDescriptor>())
        check(descriptor->GetManifest() != kManifest);
    return 0;
}

bool isOffered(GameModeType type, Label level)
{
    for (int d = 0; d < kNumGameModeDifficulties; ++d)
        for (Label const offered : GetLevelManager()->getLevels(type, static_cast<GameModeDifficulty>(d)))
            if (offered == level)
                return true;
    return false;
}

} // namespace LevelFuzz
