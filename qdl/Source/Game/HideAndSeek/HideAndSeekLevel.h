#pragma once

// One level of the hide-and-seek game: the obstacle pictures that stand on the
// playfield (in document order; the mode shuffles them), how often the cat must
// be found, how many obstacles it runs to per hide (the last one is its hiding
// place), how fast it runs and whether its tail shows where it hides. Filled by
// the game's level factory while the manifest loads, read-only afterwards.

#include <vector>

struct HideAndSeekObstacleData
{
    // The frame of the obstacle's picture in the obstacle image lists.
    int imageID;
};

class HideAndSeekLevel
{
public:
    HideAndSeekLevel() : numHides(0), numPreviewHides(0), runSpeed(0.0f), showTail(true) {}

    std::vector<HideAndSeekObstacleData> obstacles;
    int numHides;
    int numPreviewHides;
    // Playfield units per second.
    float runSpeed;
    bool showTail;
};
