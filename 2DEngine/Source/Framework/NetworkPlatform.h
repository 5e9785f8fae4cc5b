#pragma once

// The network side of downloads: a read-only stream over the body of an HTTP GET. The
// desktop platform makes the one instance at set-up and registers it (RegisterSingleton,
// GetNetworkPlatform); the framework reaches HTTP only through this interface.

#include "Core/Source/Singleton.h"

#include <cstdint>

namespace Corvane
{
    class IStream;

    // Error code of an HTTP stream (and of a transfer) that failed to open or broke off.
    constexpr int kHTTPStreamError = -2;

    // The length of an HTTP stream whose response did not announce one; such a stream ends
    // at the end of the body.
    constexpr uint32_t kUnknownStreamLength = 0xFFFFFFFFu;

    class INetworkPlatform
    {
    public:
        virtual ~INetworkPlatform() {}
        // A new stream over the response body, or null when the request cannot be made. A
        // stream that could be made but whose response failed reports it through its
        // IErrorStatus (code kHTTPStreamError). The caller deletes the stream.
        virtual IStream* OpenHTTPStream(wchar_t const* url) = 0;
    };
}
