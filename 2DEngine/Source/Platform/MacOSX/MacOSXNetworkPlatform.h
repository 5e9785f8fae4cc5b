#ifndef CORVANE_PLATFORM_MACOSX_MACOSXNETWORKPLATFORM_H
#define CORVANE_PLATFORM_MACOSX_MACOSXNETWORKPLATFORM_H

// HTTP for downloads, over libcurl: a GET that follows redirects, read as a
// read-only stream whose length is the response's "Content-Length". The curl
// handles stay behind this header.

#include <cstdint>
#include <string>

#include "2DEngine/Source/Framework/NetworkPlatform.h"
#include "Core/Source/Error.h"
#include "Core/Source/Stream.h"

namespace MacOSX
{

struct sHTTPConnection;

// The body of one GET response. A response that fails (no connection, an HTTP
// error status, a body shorter than announced) stores kHTTPStreamError and
// ends the stream.
class HTTPStream : public Corvane::IStream, public Corvane::IErrorStatus
{
public:
    // Takes the prepared connection and waits until the response's first body
    // byte (or its end) has arrived.
    HTTPStream(std::wstring const& url, sHTTPConnection* connection);
    ~HTTPStream() override;
    HTTPStream(HTTPStream const&) = delete;
    HTTPStream& operator=(HTTPStream const&) = delete;

    std::wstring GetName() const override { return mName; }
    unsigned GetCapabilities() const override { return Corvane::kStreamCanRead; }
    // Corvane::kUnknownStreamLength when the response announced none.
    uint32_t GetLength() override { return mLength; }
    bool IsEOF() override;
    // Waits for the body until count bytes or its end; a failed read ends the
    // stream without counting anything.
    size_t Read(void* buffer, size_t count) override;
    // Not offered: each throws RuntimeError.
    size_t ReadOptimized(void*& pointer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    void Seek(Corvane::SeekOrigin origin, int64_t offset) override;
    uint32_t Tell() override { return mPosition; }

private:
    // Runs the transfer until body bytes wait or it is over; false when it is
    // over with nothing left to read.
    bool Pump();
    void Fail();

    std::wstring mName;
    sHTTPConnection* mConnection;
    bool mEnd;
    bool mOpened;
    uint32_t mLength;
    uint32_t mPosition;
    unsigned char mFirstByte;
    bool mFirstByteDelivered;
};

class NetworkPlatform : public Corvane::INetworkPlatform
{
public:
    // Registers itself as the network platform.
    NetworkPlatform();
    ~NetworkPlatform() override;
    NetworkPlatform(NetworkPlatform const&) = delete;
    NetworkPlatform& operator=(NetworkPlatform const&) = delete;

    // Null when the address cannot be made into a request; only http and https
    // are followed, also through redirects.
    Corvane::IStream* OpenHTTPStream(wchar_t const* url) override;
    // The ASCII text widened.
    Corvane::IStream* OpenHTTPStream(char const* url);
};

// Makes the network platform and hands it to the shutdown deletion; the
// desktop platform's set-up calls it.
void CreateNetworkPlatform();

// The address as a request line carries it: UTF-8, with spaces, control and
// non-ASCII characters percent-encoded; reserved characters and existing
// escapes are kept.
std::string EncodeURL(std::wstring const& url);

} // namespace MacOSX

#endif
