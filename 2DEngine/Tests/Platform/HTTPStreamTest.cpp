#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Core/Source/Error.h"
#include "Core/Source/Singleton.h"
#include "2DEngine/Source/Platform/MacOSX/MacOSXNetworkPlatform.h"
#include "2DEngine/Tests/Platform/LoopbackHTTPServer.h"

namespace
{
using namespace Corvane;
using HTTPTesting::LoopbackHTTPServer;
using HTTPTesting::sResponse;

class HTTPStreamTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(mServer.IsListening()); }

    std::unique_ptr<IStream> Open(std::string const& path)
    {
        std::string const url = mServer.GetBase() + path;
        return std::unique_ptr<IStream>(mNetwork.OpenHTTPStream(url.c_str()));
    }

    static bool Failed(IStream* stream)
    {
        IErrorStatus* status = dynamic_cast<IErrorStatus*>(stream);
        return status && status->HasErrorOccurred();
    }

    static std::string ReadAll(IStream* stream)
    {
        std::string bytes;
        char buffer[700];
        while (!stream->IsEOF())
        {
            size_t const n = stream->Read(buffer, sizeof buffer);
            if (n == 0)
                break;
            bytes.append(buffer, n);
        }
        return bytes;
    }

    LoopbackHTTPServer mServer;
    MacOSX::NetworkPlatform mNetwork;
};

} // namespace

// --- normal case ---

TEST_F(HTTPStreamTest, RegistersAsTheNetworkPlatform)
{
    EXPECT_EQ(&mNetwork, GetNetworkPlatform());
}

TEST_F(HTTPStreamTest, ReadsAnExactBodyWithItsAnnouncedLength)
{
    std::string const body = HTTPTesting::MakeBody(5000, 1);
    mServer.Set("/datos/ladrillo.png", HTTPTesting::Body(body));
    std::unique_ptr<IStream> stream = Open("/datos/ladrillo.png");
    ASSERT_NE(nullptr, stream);
    EXPECT_FALSE(Failed(stream.get()));
    EXPECT_EQ(5000u, stream->GetLength());
    EXPECT_EQ(unsigned(kStreamCanRead), stream->GetCapabilities());
    EXPECT_EQ(0u, stream->Tell());
    EXPECT_FALSE(stream->IsEOF());
    EXPECT_EQ(body, ReadAll(stream.get()));
    EXPECT_EQ(5000u, stream->Tell());
    EXPECT_TRUE(stream->IsEOF());
    EXPECT_FALSE(Failed(stream.get()));
    EXPECT_EQ(std::wstring(mServer.GetWideBase() + L"/datos/ladrillo.png"), stream->GetName());
}

TEST_F(HTTPStreamTest, TheFirstByteComesAloneThenTheRest)
{
    mServer.Set("/a.txt", HTTPTesting::Body("hola"));
    std::unique_ptr<IStream> stream = Open("/a.txt");
    ASSERT_NE(nullptr, stream);
    char buffer[8] = {};
    EXPECT_EQ(0u, stream->Read(buffer, 0));
    EXPECT_EQ(1u, stream->Read(buffer, 1));
    EXPECT_EQ('h', buffer[0]);
    EXPECT_EQ(1u, stream->Tell());
    EXPECT_EQ(3u, stream->Read(buffer, sizeof buffer));
    EXPECT_EQ(std::string("ola"), std::string(buffer, 3));
    EXPECT_TRUE(stream->IsEOF());
    EXPECT_EQ(0u, stream->Read(buffer, sizeof buffer));
    EXPECT_EQ(4u, stream->Tell());
}

TEST_F(HTTPStreamTest, FollowsARedirect)
{
    mServer.Set("/viejo.png", HTTPTesting::Redirect("/nuevo.png"));
    mServer.Set("/nuevo.png", HTTPTesting::Body("contenido nuevo"));
    std::unique_ptr<IStream> stream = Open("/viejo.png");
    ASSERT_NE(nullptr, stream);
    EXPECT_FALSE(Failed(stream.get()));
    EXPECT_EQ(15u, stream->GetLength());
    EXPECT_EQ("contenido nuevo", ReadAll(stream.get()));
    EXPECT_EQ(1, mServer.CountRequests("/nuevo.png"));
}

TEST_F(HTTPStreamTest, ABodyWithoutLengthEndsAtItsEnd)
{
    std::string const body = HTTPTesting::MakeBody(3000, 2);
    sResponse response = HTTPTesting::Body(body);
    response.sendLength = false;
    mServer.Set("/sin-longitud.bin", response);
    std::unique_ptr<IStream> stream = Open("/sin-longitud.bin");
    ASSERT_NE(nullptr, stream);
    EXPECT_EQ(kUnknownStreamLength, stream->GetLength());
    EXPECT_EQ(body, ReadAll(stream.get()));
    EXPECT_TRUE(stream->IsEOF());
    EXPECT_FALSE(Failed(stream.get()));
}

TEST_F(HTTPStreamTest, AnEmptyBodyIsAnEmptyStream)
{
    mServer.Set("/vacio.txt", HTTPTesting::Body(""));
    std::unique_ptr<IStream> stream = Open("/vacio.txt");
    ASSERT_NE(nullptr, stream);
    EXPECT_FALSE(Failed(stream.get()));
    EXPECT_EQ(0u, stream->GetLength());
    EXPECT_TRUE(stream->IsEOF());
}

// --- invalid input and failures ---

TEST_F(HTTPStreamTest, NotFoundIsAnErrorNotAFile)
{
    std::unique_ptr<IStream> stream = Open("/no-existe.png");
    ASSERT_NE(nullptr, stream);
    EXPECT_TRUE(Failed(stream.get()));
    EXPECT_EQ(kHTTPStreamError, dynamic_cast<IErrorStatus*>(stream.get())->GetLastError());
    EXPECT_TRUE(stream->IsEOF());
    char buffer[16];
    EXPECT_EQ(0u, stream->Read(buffer, sizeof buffer));
    EXPECT_EQ(0u, stream->Tell());
}

TEST_F(HTTPStreamTest, AShortBodyEndsWithAnError)
{
    sResponse response = HTTPTesting::Body(HTTPTesting::MakeBody(500, 3));
    response.announced = 1000;
    mServer.Set("/corto.bin", response);
    std::unique_ptr<IStream> stream = Open("/corto.bin");
    ASSERT_NE(nullptr, stream);
    EXPECT_EQ(1000u, stream->GetLength());
    std::string const got = ReadAll(stream.get());
    EXPECT_EQ(500u, got.size());
    EXPECT_TRUE(stream->IsEOF());
    EXPECT_TRUE(Failed(stream.get()));
}

TEST_F(HTTPStreamTest, NoServerIsAnError)
{
    int port = 0;
    {
        // A port that was just free and has no listener.
        LoopbackHTTPServer closed(0, 0);
        port = closed.GetPort();
    }
    std::string const url = "http://127.0.0.1:" + std::to_string(port) + "/x.png";
    std::unique_ptr<IStream> stream(mNetwork.OpenHTTPStream(url.c_str()));
    ASSERT_NE(nullptr, stream);
    EXPECT_TRUE(Failed(stream.get()));
    EXPECT_TRUE(stream->IsEOF());
}

TEST_F(HTTPStreamTest, OnlyHTTPIsFollowed)
{
    std::unique_ptr<IStream> local(mNetwork.OpenHTTPStream(L"file:///etc/hostname"));
    ASSERT_NE(nullptr, local);
    EXPECT_TRUE(Failed(local.get()));
    mServer.Set("/a-fichero.png", HTTPTesting::Redirect("file:///etc/hostname"));
    std::unique_ptr<IStream> redirected = Open("/a-fichero.png");
    ASSERT_NE(nullptr, redirected);
    EXPECT_TRUE(Failed(redirected.get()));
    EXPECT_EQ(nullptr, mNetwork.OpenHTTPStream(L""));
    EXPECT_EQ(nullptr, mNetwork.OpenHTTPStream(static_cast<char const*>(nullptr)));
}

TEST_F(HTTPStreamTest, ReadOnlyOperationsThrowTheirMessages)
{
    mServer.Set("/a.txt", HTTPTesting::Body("hola"));
    std::unique_ptr<IStream> stream = Open("/a.txt");
    ASSERT_NE(nullptr, stream);
    void* pointer = nullptr;
    char byte = 0;
    try
    {
        stream->ReadOptimized(pointer, 1);
        ADD_FAILURE() << "ReadOptimized did not throw";
    }
    catch (RuntimeError const& error)
    {
        EXPECT_STREQ("MacOSX::HTTPStream does not implement ReadOptimized.", error.what());
    }
    try
    {
        stream->Write(&byte, 1);
        ADD_FAILURE() << "Write did not throw";
    }
    catch (RuntimeError const& error)
    {
        EXPECT_STREQ("MacOSX::HTTPStream does not implement Write.", error.what());
    }
    try
    {
        stream->Seek(kSeekBegin, 0);
        ADD_FAILURE() << "Seek did not throw";
    }
    catch (RuntimeError const& error)
    {
        EXPECT_STREQ("MacOSX::HTTPStream does not implement Seek.", error.what());
    }
    // A refused operation leaves the stream as it was.
    EXPECT_EQ("hola", ReadAll(stream.get()));
}

// --- non-ASCII names ---

TEST_F(HTTPStreamTest, NonASCIIAddressesArePercentEncoded)
{
    EXPECT_EQ("http://h/Se%C3%B1al%20de%20stop.png?a=1&b=%41", MacOSX::EncodeURL(L"http://h/Se\u00f1al de stop.png?a=1&b=%41"));
    mServer.Set("/Se%C3%B1al.png", HTTPTesting::Body("se\xc3\xb1" "al"));
    std::wstring const url = mServer.GetWideBase() + L"/Se\u00f1al.png";
    std::unique_ptr<IStream> stream(mNetwork.OpenHTTPStream(url.c_str()));
    ASSERT_NE(nullptr, stream);
    EXPECT_EQ("se\xc3\xb1" "al", ReadAll(stream.get()));
}
