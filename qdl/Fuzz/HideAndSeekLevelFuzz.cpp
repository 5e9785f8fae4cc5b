// libFuzzer target for the hide-and-seek level reader through the resource manager: any manifest
// text must give levels or nothing, never a crash, a hang or a read out of bounds; every level
// made is registered at most under Easy, Medium or Hard, and unloading the manifest removes it.
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "Core/Source/Label.h"
#include "Core/Source/MemoryStream.h"
#include "Core/Source/Random.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekLevel.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekLevelResourceFactory.h"

#include <cstdint>
#include <cstdlib>
#include <exception>
#include <vector>

using namespace Corvane;

namespace
{
    void SetUpOnce()
    {
        static bool done = false;
        if (done)
            return;
        done = true;
        Random::Engine_Setup();
        // The random streams live for the whole run and go with it.
        std::atexit([] { Random::Engine_Destroy(); });
        GetResourceManager()->AddResourceFactory(L"HideAndSeekLevel", new HideAndSeekLevelResourceFactory());
    }

    // Reads every field of every level the manifest made, so that a bad record shows under ASan.
    void CheckLevels()
    {
        for (IResourceDescriptor* descriptor : GetResourceManager()->GetResources<HideAndSeekLevel>())
        {
            HideAndSeekLevel const* const level = dynamic_cast<HideAndSeekLevel const*>(descriptor);
            if (!level)
                std::abort();
            long long sum = static_cast<long long>(level->numHides) + level->numPreviewHides + level->showTail;
            for (HideAndSeekObstacleData const& obstacle : level->obstacles)
                sum += obstacle.imageID;
            volatile float const speed = level->runSpeed;
            (void)speed;
            (void)sum;
        }
    }
} // namespace

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    SetUpOnce();
    {
        MemoryStream stream(L"HideAndSeekFuzz");
        stream.Write(data, size);
        stream.Seek(kSeekBegin, 0);
        try
        {
            GetResourceManager()->LoadFromStream(&stream, L"HideAndSeekFuzz");
        }
        catch (std::exception const&)
        {
            // A manifest the XML reader refuses; what was read before stays loaded until the unload.
        }
    }
    CheckLevels();
    GetResourceManager()->Unload(L"HideAndSeekFuzz");
    if (!GetResourceManager()->GetResources<HideAndSeekLevel>().empty())
        std::abort();
    return 0;
}
