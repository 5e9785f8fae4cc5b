// libFuzzer target for the stacking game's level reader and the mode's set-up
// without a scene: any bytes as a level element must read without a crash, keep
// at most ten objects of Red and Blue and at most five of a colour, and plan
// every kept object onto a ground place of its own and at most two platforms.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <memory>
#include <set>

#include "Core/Source/MemoryStream.h"
#include "Core/Source/Random.h"
#include "Core/Source/XMLReader.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerLevelResourceFactory.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerMode.h"

using namespace Corvane;

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size);

namespace
{

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void checkLevel(TollerStackerLevel const& level)
{
    check(level.objects.size() <= static_cast<size_t>(TollerStackerLevel::kMaxObjects));
    int perColor[kNumStackObjectColors] = {0, 0};
    for (StackableObjectData const& object : level.objects)
    {
        check(object.color >= 0 && object.color < kNumStackObjectColors);
        check(object.type >= 0 && object.type < kNumStackObjectTypes);
        check(++perColor[object.color] <= TollerStackerLevel::kMaxObjectsPerColor);
    }
    sStackerPlan const plan = TollerStackerMode::planLevel(level);
    check(plan.objectPlaces.size() == level.objects.size());
    std::set<int> const places(plan.objectPlaces.begin(), plan.objectPlaces.end());
    check(places.size() == plan.objectPlaces.size());
    check(places.empty() || (*places.begin() >= 0 && *places.rbegin() < TollerStackerMode::kNumGroundPlaces));
    check(plan.platformColors.size() <= static_cast<size_t>(TollerStackerMode::kNumPlatformPlaces));
    check(std::is_sorted(plan.platformColors.begin(), plan.platformColors.end()));
}

} // namespace

// The random streams, the level manager and the interned names live for the
// whole run; made here so that no input is blamed for them.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Random::Engine_Setup();
    std::atexit([] { Random::Engine_Destroy(); });
    char const warm[] = "<TollerStackerLevel name=\"Warm\" difficulty=\"Easy\"><StackObject size=\"1\" color=\"Red\" type=\"Log\"/></TollerStackerLevel>";
    LLVMFuzzerTestOneInput(reinterpret_cast<uint8_t const*>(warm), sizeof(warm) - 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    char const* const text = reinterpret_cast<char const*>(data);
    uint32_t const length = static_cast<uint32_t>(size);
    try
    {
        ReadOnlyMemoryStream attributeStream(L"Fuzz", text, length);
        std::unique_ptr<IXMLReader> attributeReader(CreateXMLReader(&attributeStream));
        XMLElement const* const first = attributeReader->ReadElement();
        if (!first)
            return 0;
        XMLElement const element = *first;
        ReadOnlyMemoryStream stream(L"Fuzz", text, length);
        std::unique_ptr<IXMLReader> reader(CreateXMLReader(&stream));
        std::unique_ptr<IResourceDescriptor> resource(TollerStackerLevelResourceFactory().CreateResource(
            L"Fuzz", Label::GetUniqueString("TollerStacker_Fuzz"), element, *reader));
        TollerStackerLevel const* const level = dynamic_cast<TollerStackerLevel const*>(resource.get());
        check(level != nullptr);
        checkLevel(*level);
    }
    catch (std::exception const&)
    {
        // Malformed XML is the reader's to report; the resource manager logs it.
    }
    return 0;
}
