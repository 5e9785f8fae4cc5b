// libFuzzer target for the ToolShed and StreetSigns level readers together (a
// manifest may hold both): a record holds no tool, box or sign without a
// picture, at most six boxes and twelve signs.
#include "qdl/Fuzz/LevelFuzzHarness.h"
#include "qdl/Source/Game/StreetSigns/StreetSignLevelResourceFactory.h"
#include "qdl/Source/Game/ToolShed/ToolShedLevelResourceFactory.h"

using LevelFuzz::check;

namespace
{

void checkToolShed(ToolShedLevel const& level, Corvane::Label)
{
    check(level.toolBoxes.size() <= static_cast<size_t>(ToolShedLevel::kMaxToolBoxes));
    for (auto const* list : {&level.toolEntries, &level.toolBoxes})
        for (ToolShedToolData const& tool : *list)
            check(tool.toolType >= 0 && tool.toolType < kNumToolShedToolTypes && tool.color >= 0 &&
                  tool.color < kNumToolShedToolColors);
}

void checkStreetSigns(StreetSignLevel const& level, Corvane::Label name)
{
    check((!level.attRequests.empty() && !level.signEntries.empty()) ||
          !LevelFuzz::isOffered(kGameModeType_StreetSigns, name));
    check(level.signEntries.size() <= static_cast<size_t>(StreetSignLevel::kMaxSigns));
    for (StreetSignData const& sign : level.signEntries)
        check(sign.color >= 0 && sign.color < kNumStreetSignColors && sign.shape >= 0 &&
              sign.shape < kNumStreetSignShapes);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    LevelFuzz::registerReader(L"ToolShedLevel", new ToolShedLevelResourceFactory());
    LevelFuzz::registerReader(L"StreetSignLevel", new StreetSignLevelResourceFactory());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    return LevelFuzz::readInput(data, size, [] {
        LevelFuzz::forEachLevel<ToolShedLevel>(checkToolShed);
        LevelFuzz::forEachLevel<StreetSignLevel>(checkStreetSigns);
    });
}
