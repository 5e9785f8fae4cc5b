#ifndef CORVANE_CORE_LOG_H
#define CORVANE_CORE_LOG_H

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
} // namespace Internal

} // namespace Corvane

#endif
