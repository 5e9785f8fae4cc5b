#include "2DEngine/Source/Platform/MacOSX/OpenGLSubBuffer.h"

#include <cstring>

#include <SDL2/SDL.h>
#include <GL/glx.h>
#include <X11/Xutil.h>

namespace MacOSX
{
namespace GLLayer
{

namespace
{

using CopySubBufferFunction = void (*)(Display*, GLXDrawable, int, int, int, int);

enum class eSupport
{
    kUnknown,
    kNo,
    kYes
};

eSupport gSupport = eSupport::kUnknown;
CopySubBufferFunction gCopySubBuffer = nullptr;

bool HasExtension(char const* list, char const* name)
{
    if (!list)
        return false;
    std::size_t const length = std::strlen(name);
    for (char const* found = std::strstr(list, name); found; found = std::strstr(found + length, name))
    {
        bool const starts = found == list || found[-1] == ' ';
        bool const ends = found[length] == '\0' || found[length] == ' ';
        if (starts && ends)
            return true;
    }
    return false;
}

// A channel of an X pixel, by the visual's mask, scaled to eight bits.
unsigned char Channel(unsigned long pixel, unsigned long mask)
{
    if (mask == 0)
        return 0;
    int shift = 0;
    while (!((mask >> shift) & 1))
        ++shift;
    unsigned long const maximum = mask >> shift;
    unsigned long const value = (pixel & mask) >> shift;
    return static_cast<unsigned char>(value * 255 / maximum);
}

} // namespace

bool CanCopySubBuffer()
{
    if (gSupport != eSupport::kUnknown)
        return gSupport == eSupport::kYes;
    gSupport = eSupport::kNo;
    Display* const display = glXGetCurrentDisplay();
    if (!display || glXGetCurrentDrawable() == 0)
        return false;
    if (!HasExtension(glXQueryExtensionsString(display, XDefaultScreen(display)), "GLX_MESA_copy_sub_buffer"))
        return false;
    gCopySubBuffer = reinterpret_cast<CopySubBufferFunction>(
        glXGetProcAddressARB(reinterpret_cast<GLubyte const*>("glXCopySubBufferMESA")));
    if (gCopySubBuffer)
        gSupport = eSupport::kYes;
    return gSupport == eSupport::kYes;
}

void CopySubBuffer(int x, int y, int width, int height)
{
    if (!CanCopySubBuffer() || width <= 0 || height <= 0)
        return;
    gCopySubBuffer(glXGetCurrentDisplay(), glXGetCurrentDrawable(), x, y, width, height);
}

void ResetSubBufferSupport()
{
    gSupport = eSupport::kUnknown;
    gCopySubBuffer = nullptr;
}

bool ReadWindowPixels(int x, int y, int width, int height, unsigned char* rgba)
{
    Display* const display = glXGetCurrentDisplay();
    GLXDrawable const window = glXGetCurrentDrawable();
    if (!display || window == 0 || width <= 0 || height <= 0 || x < 0 || y < 0)
        return false;
    // XGetImage fails with an X error (fatal by default) on a rectangle outside
    // the window or off the screen.
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable)
        return false;
    if (x + width > attributes.width || y + height > attributes.height)
        return false;
    int rootX = 0;
    int rootY = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, attributes.root, x, y, &rootX, &rootY, &child);
    Screen* const screen = attributes.screen;
    if (rootX < 0 || rootY < 0 || rootX + width > WidthOfScreen(screen) || rootY + height > HeightOfScreen(screen))
        return false;

    XImage* const image = XGetImage(display, window, x, y, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    if (!image)
        return false;
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
        {
            unsigned long const pixel = XGetPixel(image, column, row);
            unsigned char* const out = rgba + (std::size_t(row) * std::size_t(width) + std::size_t(column)) * 4;
            out[0] = Channel(pixel, image->red_mask);
            out[1] = Channel(pixel, image->green_mask);
            out[2] = Channel(pixel, image->blue_mask);
            out[3] = 255;
        }
    XDestroyImage(image);
    return true;
}

} // namespace GLLayer
} // namespace MacOSX
