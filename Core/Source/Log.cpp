#include "Core/Source/Log.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace Corvane
{

void Log(char const* text)
{
    if (text == nullptr || *text == 0)
        return;
    // One fwrite keeps a message from interleaving with another thread's.
    std::fwrite(text, 1, std::strlen(text), stderr);
}

namespace Internal
{

void LogWrite(char const* format, ...)
{
    if (format == nullptr)
        return;
    char buffer[1024];
    va_list arguments;
    va_start(arguments, format);
    int const written = std::vsnprintf(buffer, sizeof(buffer), format, arguments);
    va_end(arguments);
    if (written <= 0)
        return;
    Log(buffer);
}

} // namespace Internal

} // namespace Corvane
