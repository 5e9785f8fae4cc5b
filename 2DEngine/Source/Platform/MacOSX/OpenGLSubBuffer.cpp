#include "2DEngine/Source/Platform/MacOSX/OpenGLSubBuffer.h"

#include <cstring>

#include <SDL2/SDL.h>
#include <GL/glx.h>

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

} // namespace GLLayer
} // namespace MacOSX
