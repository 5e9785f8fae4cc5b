#include "qdl/Benchmarks/DrawCounter.h"

#include <atomic>

#include <GL/gl.h>
#include <dlfcn.h>

#include "2DEngine/Source/Platform/MacOSX/OpenGLScreenCanvas.h"

namespace
{

std::atomic<uint64_t> gPixels(0);
std::atomic<uint64_t> gBatches(0);

template <class F>
F nextDefinition(char const* name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

} // namespace

sDrawCounts GetDrawCounts()
{
    sDrawCounts counts;
    // A part repainted over a picture of the layers beneath, or under an opaque picture, is not cleared first.
    counts.pixelsRepainted = gPixels.load() + Corvane::OpenGLScreenCanvas::PixelsRepaintedUncleared();
    counts.batches = gBatches.load();
    return counts;
}

extern "C" void glClear(GLbitfield mask)
{
    typedef void (*Clear)(GLbitfield);
    static Clear const clear = nextDefinition<Clear>("glClear");
    if (mask & GL_COLOR_BUFFER_BIT)
    {
        GLint box[4] = {0, 0, 0, 0};
        if (glIsEnabled(GL_SCISSOR_TEST))
            glGetIntegerv(GL_SCISSOR_BOX, box);
        else
            glGetIntegerv(GL_VIEWPORT, box);
        gPixels += uint64_t(box[2] > 0 ? box[2] : 0) * uint64_t(box[3] > 0 ? box[3] : 0);
    }
    clear(mask);
}

extern "C" void glBegin(GLenum mode)
{
    typedef void (*Begin)(GLenum);
    static Begin const begin = nextDefinition<Begin>("glBegin");
    ++gBatches;
    begin(mode);
}
