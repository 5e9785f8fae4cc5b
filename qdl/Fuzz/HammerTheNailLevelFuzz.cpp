// libFuzzer target for HammerTheNail's level reader through the resource
// manager: any manifest text must load or be refused with an exception, never
// crash, hang or read out of bounds, and every level made holds only known
// tool types and colours. (Which levels the level manager draws is not checked
// here: a name registered by an earlier input stays registered, as it does
// when the game reloads a manifest, and the mode places four tools at most.)
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <string>

#include "Core/Source/MemoryStream.h"
#include "Core/Source/Singleton.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "qdl/Source/Game/HammerTheNail/HammerTheNailLevelResourceFactory.h"

using namespace Corvane;

namespace
{
bool Known(FixItTool const& tool)
{
    return tool.first >= 0 && tool.first < kNumFixItToolTypes && tool.second >= 0 &&
           tool.second < kNumFixItToolColors;
}

void Check()
{
    for (IResourceDescriptor* descriptor : GetResourceManager()->GetResources<HammerTheNailLevel>())
    {
        HammerTheNailLevel const* const level = dynamic_cast<HammerTheNailLevel const*>(descriptor);
        if (!level)
            std::abort();
        for (FixItTool const& tool : level->tools)
            if (!Known(tool))
                std::abort();
        for (NailData const& nail : level->nails)
            if (!Known(FixItTool(nail.type, nail.color)))
                std::abort();
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    static bool const registered = [] {
        GetResourceManager()->AddResourceFactory(L"HammerTheNailLevel", new HammerTheNailLevelResourceFactory());
        return true;
    }();
    (void)registered;
    MemoryStream stream(L"HammerTheNailFuzz");
    stream.Write(data, size);
    stream.Seek(kSeekBegin, 0);
    try
    {
        GetResourceManager()->LoadFromStream(&stream, L"HammerTheNailFuzz");
    }
    catch (std::exception const&)
    {
    }
    Check();
    GetResourceManager()->Unload(L"HammerTheNailFuzz");
    return 0;
}
