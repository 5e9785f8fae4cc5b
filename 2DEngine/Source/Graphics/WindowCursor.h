#ifndef CORVANE_GRAPHICS_WINDOWCURSOR_H
#define CORVANE_GRAPHICS_WINDOWCURSOR_H

// Drawing the window's software cursor, which needs the drawing facade and so
// lives with graphics rather than with the window's configuration.

namespace Corvane
{
namespace Window
{
namespace Internal
{

// Draws the custom cursor image at the main loop's last mouse position, less
// the hot spot, with the current draw state on the current canvas; nothing
// when the custom cursor is off, there is no image, or the mouse is outside.
// Called by the main loop's draw while the platform is active.
void DrawCustomCursor();

} // namespace Internal
} // namespace Window
} // namespace Corvane

#endif
