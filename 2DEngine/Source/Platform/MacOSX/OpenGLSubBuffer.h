#ifndef CORVANE_PLATFORM_MACOSX_OPENGLSUBBUFFER_H
#define CORVANE_PLATFORM_MACOSX_OPENGLSUBBUFFER_H

// Showing part of the back buffer without swapping, where the OpenGL driver
// can (Mesa's copy of a sub-buffer on X11). A window that is never swapped
// keeps its whole last frame in the back buffer, so only what changed need be
// drawn again and shown. Kept apart from the rest of the platform: the X11
// headers define macros that clash with the engine's names.

namespace MacOSX
{
namespace GLLayer
{

// Whether the current context can show a part of its back buffer. Asked once
// per context; false without a current X11 context.
bool CanCopySubBuffer();
// Copies the rectangle (window pixels, origin at the bottom left as OpenGL
// counts) of the back buffer to the window, flushing the drawing first.
void CopySubBuffer(int x, int y, int width, int height);
// Forgets the answer (a new context).
void ResetSubBufferSupport();

// Reads the window of the current context as the display shows it, whatever
// the back buffer holds: the rectangle in window pixels from the top left, as
// RGBA rows from the top (alpha 255). False without a current X11 context or
// when the rectangle is not wholly inside the window and the screen.
bool ReadWindowPixels(int x, int y, int width, int height, unsigned char* rgba);

} // namespace GLLayer
} // namespace MacOSX

#endif
