#include "Core/Source/FileStream.h"

#include "Core/Source/Error.h"
#include "Core/Source/StringUtils.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <pthread.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace Corvane;
using MacOSX::FileStream;

namespace
{
    class FileStreamTest : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            const char* base = std::getenv("TMPDIR");
            std::string pattern = std::string(base && *base ? base : "/tmp") + "/filestream-XXXXXX";
            ASSERT_NE(nullptr, ::mkdtemp(&pattern[0]));
            mFolder = pattern;
        }

        void TearDown() override
        {
            std::string command = "rm -rf '" + mFolder + "'";
            ASSERT_EQ(0, std::system(command.c_str()));
        }

        std::wstring Path(const std::wstring& name) const
        {
            return ConvertStringUTF8ToWide(mFolder) + L"/" + name;
        }

        std::string ReadAll(const std::wstring& path) const
        {
            std::ifstream file(ConvertStringWideToUTF8String(path), std::ios::binary);
            return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        }

        void WriteAll(const std::wstring& path, const std::string& data) const
        {
            std::ofstream file(ConvertStringWideToUTF8String(path), std::ios::binary);
            file << data;
        }

        std::string mFolder;
    };

    std::string OpenFailure(const std::wstring& path, FileAccess access, FileCreation creation)
    {
        try
        {
            FileStream stream(path, access, creation);
        }
        catch (const RuntimeError& error)
        {
            return error.what();
        }
        return "opened";
    }
}

// Normal case

TEST_F(FileStreamTest, WritesReadsSeeksAndMeasures)
{
    std::wstring path = Path(L"data.bin");
    {
        FileStream stream(path, kFileWrite, kFileCreateAlways);
        EXPECT_EQ(6u, stream.GetCapabilities());
        EXPECT_EQ(10u, stream.Write("0123456789", 10));
        stream.Sync();
    }
    EXPECT_EQ("0123456789", ReadAll(path));

    FileStream stream(path, kFileRead, kFileOpenExisting);
    EXPECT_EQ(5u, stream.GetCapabilities());
    EXPECT_EQ(path, stream.GetName());
    stream.Seek(kSeekBegin, 4);
    EXPECT_EQ(10u, stream.GetLength());
    // Measuring the length keeps the position.
    EXPECT_EQ(4u, stream.Tell());
    char buffer[16] = {};
    EXPECT_EQ(6u, stream.Read(buffer, sizeof buffer));
    EXPECT_STREQ("456789", buffer);
    EXPECT_TRUE(stream.IsEOF());
    stream.Seek(kSeekEnd, -3);
    EXPECT_EQ(7u, stream.Tell());
    stream.Seek(kSeekCurrent, -7);
    EXPECT_EQ(0u, stream.Tell());
}

TEST_F(FileStreamTest, CreationModes)
{
    std::wstring path = Path(L"modes.txt");
    WriteAll(path, "old contents");
    {
        // Open-or-create keeps what is there.
        FileStream stream(path, kFileReadWrite, kFileOpenAlways);
        EXPECT_EQ(7u, stream.GetCapabilities());
        EXPECT_EQ(12u, stream.GetLength());
        stream.Write("new", 3);
    }
    EXPECT_EQ("new contents", ReadAll(path));
    {
        // Create truncates.
        FileStream stream(path, kFileWrite, kFileCreateAlways);
        stream.Write("x", 1);
    }
    EXPECT_EQ("x", ReadAll(path));
    {
        FileStream stream(Path(L"fresh.txt"), kFileWrite, kFileOpenAlways);
        stream.Write("y", 1);
    }
    EXPECT_EQ("y", ReadAll(Path(L"fresh.txt")));
    struct stat info;
    ASSERT_EQ(0, ::stat(ConvertStringWideToUTF8String(Path(L"fresh.txt")).c_str(), &info));
    EXPECT_EQ(0600u, info.st_mode & 0600u);
    EXPECT_EQ(0u, info.st_mode & 0111u);
}

TEST_F(FileStreamTest, LargeWritesAndReadsAreComplete)
{
    std::wstring path = Path(L"large.bin");
    std::string data(3 * 1024 * 1024 + 17, '\0');
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = char(i * 31 + 7);
    {
        FileStream stream(path, kFileWrite, kFileCreateNew);
        EXPECT_EQ(data.size(), stream.Write(data.data(), data.size()));
    }
    FileStream stream(path, kFileRead, kFileOpenExisting);
    std::string back(data.size() + 10, '\0');
    EXPECT_EQ(data.size(), stream.Read(&back[0], back.size()));
    back.resize(data.size());
    EXPECT_EQ(data, back);
}

TEST_F(FileStreamTest, ReadsOfAPipeLoopOverShortCountsAndInterruptions)
{
    std::wstring path = Path(L"pipe");
    std::string utf8 = ConvertStringWideToUTF8String(path);
    ASSERT_EQ(0, ::mkfifo(utf8.c_str(), 0600));

    // Without SA_RESTART a signal makes a blocked read fail with EINTR.
    struct sigaction action = {};
    struct sigaction previous = {};
    action.sa_handler = [](int) {};
    sigemptyset(&action.sa_mask);
    ASSERT_EQ(0, ::sigaction(SIGUSR1, &action, &previous));

    pthread_t reader = ::pthread_self();
    std::thread writer([&] {
        int descriptor = ::open(utf8.c_str(), O_WRONLY);
        if (descriptor < 0)
            return;
        ssize_t ignored = ::write(descriptor, "abc", 3);
        ::usleep(2000);
        ::pthread_kill(reader, SIGUSR1);
        ::usleep(2000);
        ignored = ::write(descriptor, "defg", 4);
        ::usleep(1000);
        ignored = ::write(descriptor, "hij", 3);
        (void)ignored;
        ::close(descriptor);
    });
    std::string received(16, '\0');
    size_t count = 0;
    {
        FileStream stream(path, kFileRead, kFileOpenExisting);
        count = stream.Read(&received[0], 10);
    }
    writer.join();
    ::sigaction(SIGUSR1, &previous, nullptr);
    received.resize(count);
    EXPECT_EQ("abcdefghij", received);
}

// Invalid input

TEST_F(FileStreamTest, CreatingANewFileFailsWhenItExists)
{
    std::wstring path = Path(L"exists.txt");
    WriteAll(path, "keep me");
    EXPECT_EQ("Could not open file " + ConvertStringWideToUTF8String(path),
              OpenFailure(path, kFileWrite, kFileCreateNew));
    // A failure leaves state unchanged.
    EXPECT_EQ("keep me", ReadAll(path));
}

TEST_F(FileStreamTest, OpeningAMissingFileFails)
{
    std::wstring path = Path(L"missing.txt");
    EXPECT_EQ("Could not open file " + ConvertStringWideToUTF8String(path),
              OpenFailure(path, kFileRead, kFileOpenExisting));
    EXPECT_EQ("Could not open file " + ConvertStringWideToUTF8String(path),
              OpenFailure(path, kFileReadWrite, kFileOpenExisting));
}

TEST_F(FileStreamTest, ASecondWriterIsRefusedAndDoesNotTruncate)
{
    std::wstring path = Path(L"locked.txt");
    FileStream first(path, kFileWrite, kFileCreateAlways);
    first.Write("written", 7);
    EXPECT_EQ("Could not open file " + ConvertStringWideToUTF8String(path),
              OpenFailure(path, kFileWrite, kFileCreateAlways));
    EXPECT_EQ("written", ReadAll(path));
    // Readers are not locked out.
    FileStream reader(path, kFileRead, kFileOpenExisting);
    EXPECT_EQ(7u, reader.GetLength());
}

TEST_F(FileStreamTest, SystemFailuresCarryTheSystemsMessage)
{
    std::wstring path = Path(L"readonly.txt");
    WriteAll(path, "abc");
    FileStream stream(path, kFileRead, kFileOpenExisting);
    try
    {
        stream.Write("x", 1);
        FAIL() << "writing a read-only stream must throw";
    }
    catch (const RuntimeError& error)
    {
        EXPECT_EQ("Could not write file " + ConvertStringWideToUTF8String(path) + ": Bad file descriptor",
                  std::string(error.what()));
    }
    try
    {
        stream.Seek(kSeekBegin, -10);
        FAIL() << "seeking before the start must throw";
    }
    catch (const RuntimeError& error)
    {
        EXPECT_EQ("Could not seek in file " + ConvertStringWideToUTF8String(path) + ": Invalid argument",
                  std::string(error.what()));
    }
    // The failed calls left the position alone.
    EXPECT_EQ(0u, stream.Tell());
    EXPECT_EQ("abc", ReadAll(path));
}

TEST_F(FileStreamTest, UnsupportedCallsThrowTheirMessages)
{
    std::wstring path = Path(L"plain.txt");
    WriteAll(path, "abc");
    FileStream stream(path, kFileRead, kFileOpenExisting);
    void* pointer = nullptr;
    try
    {
        stream.ReadOptimized(pointer, 1);
        FAIL();
    }
    catch (const RuntimeError& error)
    {
        EXPECT_STREQ("MacOSX::FileStream does not implement ReadOptimized.", error.what());
    }
    try
    {
        stream.Seek(static_cast<SeekOrigin>(3), 0);
        FAIL();
    }
    catch (const RuntimeError& error)
    {
        EXPECT_STREQ("Invalid value for Corvane::SeekOrigin", error.what());
    }
}

// Non-ASCII names

TEST_F(FileStreamTest, OpensFilesWithSpanishNames)
{
    std::wstring path = Path(L"Señor Pingüino.act");
    {
        FileStream stream(path, kFileWrite, kFileCreateNew);
        stream.Write("ñ", 2);
    }
    EXPECT_EQ("ñ", ReadAll(path));
    FileStream stream(path, kFileRead, kFileOpenExisting);
    EXPECT_EQ(path, stream.GetName());
    EXPECT_EQ(2u, stream.GetLength());
}
