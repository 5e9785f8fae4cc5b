#pragma once

// What the OpenGL path hands the rasteriser, counted in the benchmark program
// only: the pixels cleared for repainting (a kept frame clears each part it
// repaints, a whole frame the whole window), or copied from a picture of the
// layers beneath where a part is not cleared, and the primitive batches issued.
// The program's own glClear and glBegin stand before the GL library's, which
// they call.

#include <cstdint>

struct sDrawCounts
{
    uint64_t pixelsRepainted = 0;
    uint64_t batches = 0;
};

sDrawCounts GetDrawCounts();
