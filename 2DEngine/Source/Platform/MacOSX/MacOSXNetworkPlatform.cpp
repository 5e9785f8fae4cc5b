#include "2DEngine/Source/Platform/MacOSX/MacOSXNetworkPlatform.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <mutex>

#include "Core/Source/Log.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/StringUtils.h"

namespace MacOSX
{

// The curl side of one response: the body bytes received and not yet read,
// and how the transfer ended.
struct sHTTPConnection
{
    CURLM* multi = nullptr;
    CURL* easy = nullptr;
    bool added = false;
    std::string pending;
    size_t offset = 0;
    uint64_t received = 0;
    bool done = false;
    CURLcode result = CURLE_OK;
    char message[CURL_ERROR_SIZE] = {};

    ~sHTTPConnection()
    {
        if (added)
            curl_multi_remove_handle(multi, easy);
        if (easy)
            curl_easy_cleanup(easy);
        if (multi)
            curl_multi_cleanup(multi);
    }
};

namespace
{

// A transfer that stalls below one byte a second for this long is given up.
constexpr long kStallSeconds = 30;
constexpr long kConnectSeconds = 15;
constexpr long kMaxRedirects = 10;
constexpr int kPollMilliseconds = 100;

size_t OnBody(char* data, size_t size, size_t count, void* user)
{
    sHTTPConnection* connection = static_cast<sHTTPConnection*>(user);
    size_t const bytes = size * count;
    connection->pending.append(data, bytes);
    connection->received += bytes;
    return bytes;
}

void StartCurl()
{
    static std::once_flag started;
    std::call_once(started, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool IsKeptInURL(unsigned char byte)
{
    if (byte <= 0x20 || byte >= 0x7F)
        return false;
    return std::strchr("\"<>\\^`{|}", byte) == nullptr;
}

} // namespace

std::string EncodeURL(std::wstring const& url)
{
    static char const kHex[] = "0123456789ABCDEF";
    std::string const bytes = Corvane::ConvertStringWideToUTF8String(url);
    std::string encoded;
    for (unsigned char byte : bytes)
    {
        if (IsKeptInURL(byte))
        {
            encoded += char(byte);
            continue;
        }
        encoded += '%';
        encoded += kHex[byte >> 4];
        encoded += kHex[byte & 15];
    }
    return encoded;
}

// ---------------------------------------------------------------------------
// HTTPStream

HTTPStream::HTTPStream(std::wstring const& url, sHTTPConnection* connection)
    : mName(url), mConnection(connection), mEnd(false), mOpened(false), mLength(0), mPosition(0), mFirstByte(0),
      mFirstByteDelivered(true)
{
    mOpened = mConnection && curl_multi_add_handle(mConnection->multi, mConnection->easy) == CURLM_OK;
    if (!mOpened)
    {
        Fail();
        return;
    }
    mConnection->added = true;

    // The first body byte is the sign that the final response's headers are in.
    bool const hasByte = Pump();
    curl_off_t announced = -1;
    if (curl_easy_getinfo(mConnection->easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced) != CURLE_OK)
        announced = -1;
    if (announced >= curl_off_t(Corvane::kUnknownStreamLength))
    {
        Corvane::Internal::LogWrite("MacOSX::HTTPStream: '%ls' is too long to read.\n", mName.c_str());
        Fail();
        return;
    }
    mLength = announced >= 0 ? uint32_t(announced) : Corvane::kUnknownStreamLength;

    if (hasByte)
    {
        mFirstByte = static_cast<unsigned char>(mConnection->pending[mConnection->offset++]);
        mFirstByteDelivered = false;
        return;
    }
    // Over before any byte: an empty body is a file too, a failure is not.
    if (mConnection->result != CURLE_OK || (announced > 0))
    {
        Fail();
        return;
    }
    mLength = 0;
    mEnd = true;
}

HTTPStream::~HTTPStream()
{
    delete mConnection;
}

void HTTPStream::Fail()
{
    if (mConnection && mConnection->result != CURLE_OK)
        Corvane::Internal::LogWrite("MacOSX::HTTPStream: '%ls': %s\n", mName.c_str(),
                                    mConnection->message[0] ? mConnection->message
                                                            : curl_easy_strerror(mConnection->result));
    SetLastError(Corvane::kHTTPStreamError);
    mEnd = true;
    mFirstByteDelivered = true;
}

bool HTTPStream::Pump()
{
    sHTTPConnection& connection = *mConnection;
    while (connection.offset == connection.pending.size())
    {
        if (connection.done)
            return false;
        connection.pending.clear();
        connection.offset = 0;
        int running = 0;
        if (curl_multi_perform(connection.multi, &running) != CURLM_OK)
        {
            connection.done = true;
            connection.result = CURLE_RECV_ERROR;
            return false;
        }
        int left = 0;
        while (CURLMsg* message = curl_multi_info_read(connection.multi, &left))
        {
            if (message->msg == CURLMSG_DONE)
            {
                connection.done = true;
                connection.result = message->data.result;
            }
        }
        if (connection.offset == connection.pending.size() && !connection.done)
            curl_multi_poll(connection.multi, nullptr, 0, kPollMilliseconds, nullptr);
    }
    return true;
}

bool HTTPStream::IsEOF()
{
    return mEnd || Tell() >= GetLength();
}

size_t HTTPStream::Read(void* buffer, size_t count)
{
    if (count == 0)
        return 0;
    unsigned char* const out = static_cast<unsigned char*>(buffer);
    size_t copied = 0;
    if (!mFirstByteDelivered)
    {
        out[0] = mFirstByte;
        mFirstByteDelivered = true;
        copied = 1;
    }
    while (copied < count && !mEnd)
    {
        sHTTPConnection& connection = *mConnection;
        size_t const waiting = connection.pending.size() - connection.offset;
        if (waiting == 0)
        {
            if (Pump())
                continue;
            mEnd = true;
            bool const shortBody = mLength != Corvane::kUnknownStreamLength && connection.received < mLength;
            if (connection.result != CURLE_OK || shortBody)
                Fail();
            break;
        }
        size_t const take = std::min(waiting, count - copied);
        std::memcpy(out + copied, connection.pending.data() + connection.offset, take);
        connection.offset += take;
        copied += take;
    }
    mPosition += uint32_t(copied);
    return copied;
}

size_t HTTPStream::ReadOptimized(void*&, size_t)
{
    CORVANE_THROW("MacOSX::HTTPStream does not implement ReadOptimized.");
}

size_t HTTPStream::Write(const void*, size_t)
{
    CORVANE_THROW("MacOSX::HTTPStream does not implement Write.");
}

void HTTPStream::Seek(Corvane::SeekOrigin, int64_t)
{
    CORVANE_THROW("MacOSX::HTTPStream does not implement Seek.");
}

// ---------------------------------------------------------------------------
// NetworkPlatform

NetworkPlatform::NetworkPlatform()
{
    StartCurl();
    Corvane::RegisterSingleton(this);
}

NetworkPlatform::~NetworkPlatform()
{
    Corvane::UnregisterSingleton(this);
}

Corvane::IStream* NetworkPlatform::OpenHTTPStream(wchar_t const* url)
{
    if (!url || !url[0])
        return nullptr;
    std::string const address = EncodeURL(url);

    sHTTPConnection* connection = new sHTTPConnection();
    connection->easy = curl_easy_init();
    connection->multi = curl_multi_init();
    if (!connection->easy || !connection->multi ||
        curl_easy_setopt(connection->easy, CURLOPT_URL, address.c_str()) != CURLE_OK ||
        curl_easy_setopt(connection->easy, CURLOPT_FOLLOWLOCATION, 1L) != CURLE_OK)
    {
        delete connection;
        return nullptr;
    }
    CURL* const easy = connection->easy;
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
    // A redirect must never lead to a local file or another protocol.
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    // An error page is not the file asked for.
    curl_easy_setopt(easy, CURLOPT_FAILONERROR, 1L);
    // Download threads must not be woken by signals.
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, kConnectSeconds);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
    curl_easy_setopt(easy, CURLOPT_NOPROXY, "localhost,127.0.0.1,::1");
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, connection->message);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &OnBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, connection);
    return new HTTPStream(url, connection);
}

Corvane::IStream* NetworkPlatform::OpenHTTPStream(char const* url)
{
    if (!url)
        return nullptr;
    return OpenHTTPStream(Corvane::ConvertStringASCIIToWide(url).c_str());
}

void CreateNetworkPlatform()
{
    if (Corvane::GetNetworkPlatform())
        return;
    Corvane::AutoDeleteSingleton(new NetworkPlatform());
}

} // namespace MacOSX
