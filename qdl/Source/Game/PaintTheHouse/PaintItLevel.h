#pragma once

// A level of the fence-painting game: colour patterns written with the letters
// A, B and C, kept as the symbols 0, 1 and 2, first stripe first. The reader
// keeps no empty pattern, so every pattern here has at least one symbol.

#include <vector>

class PaintItLevel
{
public:
    PaintItLevel() {}

    std::vector<std::vector<int> > patterns;
};
