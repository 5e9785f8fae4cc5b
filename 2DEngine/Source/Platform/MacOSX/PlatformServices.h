#ifndef CORVANE_PLATFORM_MACOSX_PLATFORMSERVICES_H
#define CORVANE_PLATFORM_MACOSX_PLATFORMSERVICES_H

// Path pieces, the caution alert and the document hook that code above the
// platform may use. Paths are wide strings; back slashes count as forward ones.

#include <string>

namespace Corvane
{
namespace Platform
{

// From the last '.' (included) to the end; empty when there is no '.'.
std::wstring GetFileExtension(std::wstring const& path);
// Everything before the last '/'; the whole path when there is none.
std::wstring GetFilePath(std::wstring const& path);
// The name without folder and extension; a '.' that only stands in a folder
// name does not cut the name.
std::wstring GetFileName(std::wstring const& path);

// A caution alert with the message and the title and one button; waits until
// it is dismissed (or logs it, see AreMessageBoxesLogged).
void ModalNotification(std::wstring const& message, std::wstring const& title);

} // namespace Platform

// Hands a document's path to the system to open. It opens nothing: it only
// logs the path.
void LaunchDocument(std::wstring const& path);

} // namespace Corvane

#endif
