#pragma once

// What the mini-games' level fuzz targets share. Each input is one manifest,
// read through the resource manager as the game loads its levels: any bytes
// must load or be refused with an error, never crash, hang or read out of
// bounds. The target then checks every record of its level type the input made
// (and may run the mode's set-up that needs no window on it); the manifest is
// unloaded and must leave no resource behind. Each input starts with an empty
// level manager, so what the manager lists is what this input registered. A
// failed check aborts, which libFuzzer reports with the input.
//
// A target is a few lines: a check of one record, and
//     LEVEL_FUZZ_TARGET(PaintItLevel, PaintItLevelResourceFactory, checkLevel)
// which registers the reader under the record's element name and reads every
// input with it. Run e.g. `qdl/paint_the_house_level_fuzz <corpus-dir> qdl/Fuzz/seeds/paintthehouse`.

#include <cstddef>
#include <cstdint>
#include <functional>

#include "Core/Source/Label.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "qdl/Source/Game/GameModeTypes.h"

namespace LevelFuzz
{

// A finding: aborts the run when the condition does not hold.
void check(bool condition);

// Once per run, before the first input: the random streams (for the modes'
// set-up), and the reader under the element name the game registers it with.
void registerReader(wchar_t const* element, Corvane::IResourceFactory* factory);

// Reads the input as a manifest, calls `checkMade` with what it made, then
// unloads it. Returns 0, libFuzzer's value for an input that was run.
int readInput(uint8_t const* data, size_t size, std::function<void()> const& checkMade);

// Whether the level manager lists the level for the game at any difficulty,
// so that the game may draw it.
bool isOffered(GameModeType type, Corvane::Label level);

// Every record of that type the input made, with its name.
template <class Level>
void forEachLevel(std::function<void(Level const& level, Corvane::Label name)> const& checkLevel)
{
    for (Corvane::IResourceDescriptor* descriptor : Corvane::GetResourceManager()->GetResources<Level>())
    {
        Level const* const level = dynamic_cast<Level const*>(descriptor);
        check(level != nullptr);
        checkLevel(*level, descriptor->GetName());
    }
}

template <class Level>
int readLevels(uint8_t const* data, size_t size, void (*checkLevel)(Level const& level, Corvane::Label name))
{
    return readInput(data, size, [checkLevel] { forEachLevel<Level>(checkLevel); });
}

} // namespace LevelFuzz

// The libFuzzer entry points of a target whose reader makes `Level` records
// from `<Level>` elements, each checked by `checkLevel(Level const&, Label)`.
#define LEVEL_FUZZ_TARGET(Level, Factory, checkLevel)                                        \
    extern "C" int LLVMFuzzerInitialize(int*, char***)                                       \
    {                                                                                        \
        LevelFuzz::registerReader(L"" #Level, new Factory());                                \
        return 0;                                                                            \
    }                                                                                        \
    extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)                  \
    {                                                                                        \
        return LevelFuzz::readLevels<Level>(data, size, checkLevel);                         \
    }
