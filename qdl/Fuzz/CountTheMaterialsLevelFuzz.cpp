// libFuzzer target for the counting game's level reader, through the resource
// manager as the game loads its manifest: any bytes must load or be refused
// with an error, never crash, hang or read out of bounds; every level made
// keeps at most five piles, and every level offered to the game asks for a
// known material and lays out only known ones.
//
// The level manager keeps a level's name once offered, also after its manifest
// is unloaded; so a later input's broken level of the same name is not judged.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "Core/Source/MemoryStream.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsLevelResourceFactory.h"

using namespace Corvane;

namespace
{

void SetUpOnce()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    GetResourceManager()->AddResourceFactory(L"CountTheMaterialsLevel", new CountTheMaterialsLevelResourceFactory());
}

// Every level offered to the game so far; the level manager keeps a name once offered.
std::vector<Label> Offered()
{
    std::vector<Label> offered;
    for (int d = 0; d < kNumGameModeDifficulties; ++d)
    {
        std::vector<Label> const& levels =
            GetLevelManager()->getLevels(kGameModeType_CountTheMaterials, static_cast<GameModeDifficulty>(d));
        offered.insert(offered.end(), levels.begin(), levels.end());
    }
    return offered;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    SetUpOnce();
    wchar_t const* const manifest = L"CountTheMaterialsFuzz";
    MemoryStream stream(manifest);
    if (size > 0)
        stream.Write(data, size);
    std::vector<Label> const before = Offered();
    stream.Seek(kSeekBegin, 0);
    try
    {
        GetResourceManager()->LoadFromStream(&stream, manifest);
    }
    catch (std::exception const&)
    {
        return 0;
    }
    for (IResourceDescriptor* descriptor : GetResourceManager()->GetResources<CountTheMaterialsLevel>())
    {
        CountTheMaterialsLevel const* const level = dynamic_cast<CountTheMaterialsLevel const*>(descriptor);
        if (!level || level->materials.size() > static_cast<size_t>(CountTheMaterialsLevel::kMaxPiles))
            std::abort();
        // Only a name this input offered for the first time was judged by this load.
        std::vector<Label> const after = Offered();
        Label const name = descriptor->GetName();
        if (std::find(before.begin(), before.end(), name) != before.end() ||
            std::find(after.begin(), after.end(), name) == after.end())
            continue;
        if (!level->hasRequest || !isBuildingMaterial(level->requestedMaterial))
            std::abort();
        for (MaterialData const& pile : level->materials)
            if (!isBuildingMaterial(pile.type))
                std::abort();
    }
    GetResourceManager()->Unload(manifest);
    return 0;
}
