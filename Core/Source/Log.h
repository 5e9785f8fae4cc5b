#ifndef CORVANE_CORE_LOG_H
#define CORVANE_CORE_LOG_H

#include <cstdarg>
#include <cstddef>

namespace Corvane
{

// Writes the text to the standard error stream as given: no newline, no prefix.
// Never throws. A null text writes nothing.
void Log(char const* text);

namespace Internal
{
// printf-style logging (wide strings with "%ls"). Output is bounded to 1,023
// characters; longer texts are cut there. An empty result writes nothing.
void LogWrite(char const* format, ...) __attribute__((format(printf, 1, 2)));

// printf into a bounded buffer (always terminated, cut when too long), the same
// whatever the user's locale: numbers use the C locale's decimal point, and wide
// arguments never make the call fail. Every character above 127 becomes one '?'.
// Returns the length of the text in the buffer.
std::size_t FormatASCII(char* buffer, std::size_t size, char const* format, va_list arguments)
    __attribute__((format(printf, 3, 0)));
} // namespace Internal

} // namespace Corvane

#endif
