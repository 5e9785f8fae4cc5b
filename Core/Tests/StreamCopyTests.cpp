#include "Core/Source/MemoryStream.h"

#include "Core/Source/Error.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Corvane;

namespace
{
    struct RecordingProgress : public IDataTransferProgress
    {
        void OnDataTransferInit(unsigned long) override { ++inits; }
        void OnDataTransferProgress(float fraction, unsigned long bytes) override
        {
            fractions.push_back(fraction);
            passes.push_back(bytes);
        }
        void OnDataTransferComplete() override { ++completes; }
        void OnDataTransferError(int code) override { errors.push_back(code); }
        bool ShouldAbort() override { return abortAfter >= 0 && int(passes.size()) >= abortAfter; }

        std::vector<float> fractions;
        std::vector<unsigned long> passes;
        std::vector<int> errors;
        int inits = 0;
        int completes = 0;
        int abortAfter = -1;
    };

    // A memory stream that counts its reads.
    class CountingStream : public MemoryStream
    {
    public:
        CountingStream() : MemoryStream(L"counting") {}
        size_t Read(void* buffer, size_t count) override
        {
            requests.push_back(count);
            return MemoryStream::Read(buffer, count);
        }
        std::vector<size_t> requests;
    };

    // A target that takes a few bytes per call and fails after a limit, like a full disk.
    class FailingTarget : public MemoryStream, public IErrorStatus
    {
    public:
        FailingTarget(size_t perCall, size_t limit) : MemoryStream(L"failing"), mPerCall(perCall), mLimit(limit) {}
        size_t Write(const void* buffer, size_t count) override
        {
            if (GetLength() >= mLimit)
            {
                SetLastError(-28);
                return 0;
            }
            size_t n = count < mPerCall ? count : mPerCall;
            return MemoryStream::Write(buffer, n);
        }

    private:
        size_t mPerCall;
        size_t mLimit;
    };

    // A target that silently takes nothing.
    class StuckTarget : public MemoryStream
    {
    public:
        StuckTarget() : MemoryStream(L"stuck") {}
        size_t Write(const void*, size_t) override { return 0; }
    };

    void Fill(IStream& stream, size_t count)
    {
        std::vector<unsigned char> bytes(count);
        for (size_t i = 0; i < count; ++i)
            bytes[i] = static_cast<unsigned char>(i * 7);
        stream.Write(bytes.data(), count);
        stream.Seek(kSeekBegin, 0);
    }
}

// Normal case

TEST(StreamCopy, CopiesInPassesOf1024WithRisingProgress)
{
    CountingStream source;
    Fill(source, 3000);
    MemoryStream target(L"target");
    RecordingProgress progress;
    EXPECT_EQ(3000u, StreamCopy(&source, &target, &progress));
    EXPECT_EQ((std::vector<size_t>{1024, 1024, 952}), source.requests);
    EXPECT_EQ((std::vector<unsigned long>{1024, 1024, 952}), progress.passes);
    ASSERT_EQ(3u, progress.fractions.size());
    EXPECT_LT(progress.fractions[0], progress.fractions[1]);
    EXPECT_FLOAT_EQ(1.0f, progress.fractions[2]);
    EXPECT_EQ(source.GetData(), target.GetData());
    // The caller reports start and end itself.
    EXPECT_EQ(0, progress.inits);
    EXPECT_EQ(0, progress.completes);
    EXPECT_TRUE(progress.errors.empty());
}

TEST(StreamCopy, StopsAtTheCountOrTheSourcesEnd)
{
    CountingStream source;
    Fill(source, 100);
    MemoryStream target(L"target");
    EXPECT_EQ(0u, StreamCopy(&source, &target, 0, nullptr));
    EXPECT_TRUE(source.requests.empty());
    EXPECT_EQ(40u, StreamCopy(&source, &target, 40, nullptr));
    EXPECT_EQ(60u, StreamCopy(&source, &target, 5000, nullptr));
    EXPECT_EQ(100u, target.GetLength());
    EXPECT_EQ(source.GetData(), target.GetData());
}

TEST(StreamCopy, RewritesTheRestOfAShortWrite)
{
    MemoryStream source(L"source");
    Fill(source, 50);
    FailingTarget target(7, 1000);
    EXPECT_EQ(50u, StreamCopy(&source, &target, nullptr));
    EXPECT_EQ(source.GetData(), target.GetData());
}

TEST(StreamCopy, AbortsBetweenPasses)
{
    MemoryStream source(L"source");
    Fill(source, 5000);
    MemoryStream target(L"target");
    RecordingProgress progress;
    progress.abortAfter = 2;
    EXPECT_EQ(2048u, StreamCopy(&source, &target, &progress));
    EXPECT_EQ(2048u, target.GetLength());
}

// Invalid input

TEST(StreamCopy, ReportsTheTargetsErrorAndWhatWasWritten)
{
    MemoryStream source(L"source");
    Fill(source, 3000);
    FailingTarget target(1024, 1500);
    RecordingProgress progress;
    EXPECT_EQ(2048u, StreamCopy(&source, &target, &progress));
    EXPECT_EQ((std::vector<int>{-28}), progress.errors);
}

TEST(StreamCopy, ATargetThatTakesNothingDoesNotHang)
{
    MemoryStream source(L"source");
    Fill(source, 3000);
    StuckTarget target;
    RecordingProgress progress;
    EXPECT_EQ(0u, StreamCopy(&source, &target, &progress));
    EXPECT_EQ(1u, progress.passes.size());
}

TEST(DataTransferProgressQuery, FractionOfTheSize)
{
    struct Query : public IDataTransferProgressQuery
    {
        unsigned GetDataTransferSize() const override { return size; }
        unsigned GetDataTransferNumBytesCopied() const override { return copied; }
        unsigned size = 0;
        unsigned copied = 0;
    } query;
    EXPECT_EQ(0.0f, query.GetDataTransferPctComplete());
    query.size = 400;
    query.copied = 100;
    EXPECT_FLOAT_EQ(0.25f, query.GetDataTransferPctComplete());
    query.size = 4000000000u;
    query.copied = 4000000000u;
    EXPECT_FLOAT_EQ(1.0f, query.GetDataTransferPctComplete());
}
