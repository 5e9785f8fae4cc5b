#ifndef CORVANE_GRAPHICS_SCREENDIMMING_H
#define CORVANE_GRAPHICS_SCREENDIMMING_H

// The default darkening behind an overlay mode, which needs the drawing
// facade and so lives with graphics rather than with the application modes.

namespace Corvane
{
namespace Internal
{

// Covers the screen canvas's bounds with black at half opacity, on the
// current canvas, leaving the current context as it was. Nothing without a
// graphics platform or a screen canvas. Installed as the modes' dim-screen
// hook; the mode checks the platform's capabilities before calling it.
void DimScreen();

} // namespace Internal
} // namespace Corvane

#endif
