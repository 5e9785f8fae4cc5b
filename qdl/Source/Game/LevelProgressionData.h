#pragma once

// The story: the steps of the "LevelProg" resource, filled by its factory while the
// manifest loads and walked by the level manager.

#include <cstdint>
#include <vector>

#include "Core/Source/Label.h"

struct LevelProgressionEntry
{
    enum eType : int32_t
    {
        kLevel = 0,
        kCutscene = 1,
        kVideo = 2
    };

    LevelProgressionEntry() : type(kLevel) {}
    LevelProgressionEntry(int32_t entryType, Corvane::Label entryID, Corvane::Label entryLevel = Corvane::Label())
        : type(entryType), id(entryID), level(entryLevel)
    {
    }

    int32_t type;
    // The game label of a Level, the id of a Cutscene or of a Video.
    Corvane::Label id;
    // The level a Level entry names, or the null label.
    Corvane::Label level;
};

class LevelProgressionData
{
public:
    LevelProgressionData() {}

    std::vector<LevelProgressionEntry> entries;
};
