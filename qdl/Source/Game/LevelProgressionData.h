#pragma once

// The story: the steps of the "LevelProg" resource, filled by its factory while the
// manifest loads and walked by the level manager.
class LevelProgressionData
{
public:
    LevelProgressionData() {}
};
