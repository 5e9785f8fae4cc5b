#ifndef CORVANE_PLATFORM_MACOSX_ARROWCURSOR_H
#define CORVANE_PLATFORM_MACOSX_ARROWCURSOR_H

// The software arrow cursor: a 32 x 32 image with a white outline and a
// black inside, drawn by the engine over each frame when the custom cursor is
// on.

#include "Core/Source/Vector2.h"

namespace Corvane
{
class Image;
}

namespace MacOSX
{

// Built on first use. It lives until the process ends: a texture made for it
// must not outlive the renderer's registry of textures.
Corvane::Image const* GetArrowCursorImage();
// (1, 2): the arrow's tip.
Corvane::Vector2<int> GetArrowCursorHotSpot();

} // namespace MacOSX

#endif
