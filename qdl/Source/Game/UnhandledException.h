#pragma once

// What the program does with an error that escapes the main loop: the log
// lines ("Unhandled Exception: " with the error's type, function, file, line
// and message) and an alert headed "Unhandled Exception" shown through the
// platform's message box, which waits until it is dismissed.

#include <stdexcept>
#include <string>

namespace Corvane
{
class RuntimeError;
}

// "Function:\t<function>\nFile:\t<file>\nLine:\t<line>\n\n<message>".
std::wstring getUnhandledExceptionAlertText(Corvane::RuntimeError const& error);
// The message alone.
std::wstring getUnhandledExceptionAlertText(std::exception const& error);

void reportUnhandledException(Corvane::RuntimeError const& error);
void reportUnhandledException(std::exception const& error);
