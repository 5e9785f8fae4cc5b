// libFuzzer target for the delivery game's level reader and the mode's set-up
// without a scene: any bytes as a level element must read without a crash and
// keep only patterns of the symbols 0 to 2 with at least one symbol; for every
// pattern kept, the six carts continue it and the five choices, all different,
// hold the type cart 6 needs.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <memory>
#include <set>
#include <vector>

#include "Core/Source/MemoryStream.h"
#include "Core/Source/Random.h"
#include "Core/Source/XMLReader.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryLevelResourceFactory.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryMode.h"

using namespace Corvane;

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size);

namespace
{

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void checkLevel(TrundelsDeliveryLevel const& level)
{
    // Any order of the thirteen types, as the mode draws one.
    std::vector<TrundelsDeliveryType> mapping;
    for (int type = 0; type < kNumTrundelsDeliveryTypes; ++type)
        mapping.push_back((type * 5 + 3) % kNumTrundelsDeliveryTypes);
    for (std::vector<int> const& pattern : level.patterns)
    {
        check(!pattern.empty());
        for (int const symbol : pattern)
            check(symbol >= 0 && symbol <= 2);
        std::vector<TrundelsDeliveryType> const carts = TrundelsDeliveryMode::cartTypes(pattern, mapping);
        check(carts.size() == static_cast<size_t>(TrundelsDeliveryMode::kNumCarts));
        for (size_t cart = 0; cart < carts.size(); ++cart)
            check(carts[cart] == mapping[static_cast<size_t>(pattern[cart % pattern.size()])]);
        std::vector<TrundelsDeliveryType> const choices = TrundelsDeliveryMode::choiceTypes(mapping);
        check(std::set<TrundelsDeliveryType>(choices.begin(), choices.end()).size() == choices.size());
        check(std::find(choices.begin(), choices.end(), carts.back()) != choices.end());
        // A wrong choice is always named by one of the three lines.
        for (TrundelsDeliveryType const choice : choices)
            check(wrongChoiceLine(choice, carts.back()) != nullptr);
    }
}

} // namespace

// The random streams, the level manager and the interned names live for the
// whole run; made here so that no input is blamed for them.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Random::Engine_Setup();
    std::atexit([] { Random::Engine_Destroy(); });
    char const warm[] = "<TrundelsDeliveryLevel name=\"Warm\" difficulty=\"Easy\"><Pattern order=\"AB\"/></TrundelsDeliveryLevel>";
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
        std::unique_ptr<IResourceDescriptor> resource(TrundelsDeliveryLevelResourceFactory().CreateResource(
            L"Fuzz", Label::GetUniqueString("TrundelsDelivery_Fuzz"), element, *reader));
        TrundelsDeliveryLevel const* const level = dynamic_cast<TrundelsDeliveryLevel const*>(resource.get());
        check(level != nullptr);
        checkLevel(*level);
    }
    catch (std::exception const&)
    {
        // Malformed XML is the reader's to report; the resource manager logs it.
    }
    return 0;
}
