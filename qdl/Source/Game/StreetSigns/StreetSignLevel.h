#pragma once

// The level record of StreetSigns: the requested sign attributes (colour or
// shape names as labels, in document order; the game asks for the first) and
// the signs standing on the playfield, each a colour and a shape. Made empty
// by the resource wrapper, then filled by the game's level factory while the
// manifest loads; not changed afterwards.

#include <vector>

#include "Core/Source/Label.h"
#include "qdl/Source/Game/StreetSigns/StreetSignsConstants.h"

struct StreetSignData
{
    StreetSignColor color;
    StreetSignShape shape;
};

class StreetSignLevel
{
public:
    // The largest container of the playfield has twelve places.
    static int const kMaxSigns = 12;

    StreetSignLevel() {}

    std::vector<Corvane::Label> attRequests;
    std::vector<StreetSignData> signEntries;
};
