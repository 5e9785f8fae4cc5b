#pragma once

// The level record of this mini-game: made empty by the resource wrapper, then
// filled by the game's level factory while the manifest loads.
class PaintItLevel
{
public:
    PaintItLevel() {}
};
