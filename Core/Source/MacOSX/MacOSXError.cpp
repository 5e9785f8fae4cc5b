#include "Core/Source/MacOSX/MacOSXError.h"

namespace MacOSX
{

MacOSXError::MacOSXError(int status, std::string const& message, char const* file, int line, char const* function)
    : Corvane::RuntimeError(FormatError(status, message), file, line, function)
    , mStatus(status)
{
}

std::string MacOSXError::FormatError(int status, std::string const& message)
{
    return message + " (Mac OS X Error " + std::to_string(status) + ")";
}

} // namespace MacOSX
