// libFuzzer target for HereToThere levels read through the resource manager:
// any manifest bytes must load or be refused, never crash, hang or read out of
// bounds; every level read must then be placed on the playfield with each of
// the twelve slots filled exactly once, whatever its animals and counts.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "Core/Source/MemoryStream.h"
#include "Core/Source/Random.h"
#include "Core/Source/Singleton.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/HereToThere/HereToThereHousePlacement.h"
#include "qdl/Source/Game/HereToThere/HereToThereLevelResourceFactory.h"

using namespace Corvane;

namespace
{

class CheckingSite : public HereToThereHouseSite
{
public:
    void placeHouse(int slot, HereToThereObjectColor, HereToThereObjectShape, int road) override
    {
        take(slot);
        if (road != slot / kNumHereToThereHouseSlotsPerRoad)
            std::abort();
    }
    void placeDummyHouse(int slot) override { take(slot); }

    void take(int slot)
    {
        if (slot < 0 || slot >= kNumHereToThereHouseSlots || !slots.insert(slot).second)
            std::abort();
    }

    std::set<int> slots;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    Random::Engine_Setup();
    GetResourceManager()->AddResourceFactory(L"HereToThereLevel", new HereToThereLevelResourceFactory());
    MemoryStream stream(L"Fuzz");
    stream.Write(data, size);
    stream.Seek(kSeekBegin, 0);
    try
    {
        GetResourceManager()->LoadFromStream(&stream, L"Fuzz");
    }
    catch (std::exception const&)
    {
        // A broken manifest is refused with its error; nothing of it is used.
    }
    for (IResourceDescriptor* descriptor : GetResourceManager()->GetResources<HereToThereLevel>())
    {
        HereToThereLevel const* const level = dynamic_cast<HereToThereLevel const*>(descriptor);
        if (!level)
            std::abort();
        CheckingSite site;
        placeHereToThereHouses(*level, site);
        if (site.slots.size() != static_cast<size_t>(kNumHereToThereHouseSlots))
            std::abort();
    }
    GetResourceManager()->Cleanup();
    Internal::DeleteAllSingletons();
    *GetLevelManager() = LevelManager();
    Random::Engine_Destroy();
    return 0;
}
