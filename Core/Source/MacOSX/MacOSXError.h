#ifndef CORVANE_CORE_MACOSX_MACOSXERROR_H
#define CORVANE_CORE_MACOSX_MACOSXERROR_H

#include "Core/Source/Error.h"

#include <string>

namespace MacOSX
{

// An operating-system failure of the platform layer; the message carries the status.
class MacOSXError : public Corvane::RuntimeError
{
public:
    MacOSXError(int status, std::string const& message, char const* file, int line, char const* function);

    int GetStatus() const { return mStatus; }

    // "<message> (Mac OS X Error <status>)"
    static std::string FormatError(int status, std::string const& message);

private:
    int mStatus;
};

} // namespace MacOSX

// Throws a MacOSX::MacOSXError carrying the status and the raising file, line and function.
#define MACOSX_THROW(status, message) \
    throw ::MacOSX::MacOSXError((status), (message), __FILE__, __LINE__, __PRETTY_FUNCTION__)

#endif
