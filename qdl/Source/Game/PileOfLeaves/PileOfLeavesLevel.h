#pragma once

// A level of the leaf-blowing game: how many tools hide under the leaves, the
// radius around the pointer inside which leaves are blown aside, how many
// leaves are scattered over the play area and how many are heaped on each tool.

class PileOfLeavesLevel
{
public:
    PileOfLeavesLevel() {}

    int numTools = 0;
    int cursorRadius = 100;
    int areaCover = 0;
    int toolCover = 0;
};
