#include "Core/Source/Random.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

using namespace Corvane;

namespace
{
    // The engine streams are process-wide; each test sets them up fresh and tears them down.
    class RandomEngine : public testing::Test
    {
    protected:
        void SetUp() override { Random::Engine_Setup(); }
        void TearDown() override { Random::Engine_Destroy(); }
    };

    // An independent reference: the standard MT19937 with the same seeding.
    float ReferenceFloat(std::mt19937& engine)
    {
        for (;;)
        {
            float value = static_cast<float>(static_cast<double>(engine()) * (1.0 / 4294967296.0));
            if (value < 1.0f)
                return value;
        }
    }
}

TEST(RandomStream, MatchesTheStandardMersenneTwisterSequences)
{
    for (uint32_t seed : {5489u, 0u, 1234567u, 0xFFFFFFFFu})
    {
        std::unique_ptr<IRandomNumberStream> stream(Random::CreateNewStream(seed));
        EXPECT_EQ(seed, stream->GetRandomSeed());
        std::mt19937 ints(seed);
        std::mt19937 floats(seed);
        for (int i = 0; i < 2000; ++i)
        {
            // Integers over 0..0x7FFFFFFF take the top 31 bits of each 32-bit draw.
            ASSERT_EQ(static_cast<int32_t>(ints() >> 1), stream->GetInt()) << seed << " " << i;
            ASSERT_EQ(ReferenceFloat(floats), stream->GetFloat()) << seed << " " << i;
        }
    }
}

TEST(RandomStream, KnownFirstValueForTheDefaultSeed)
{
    std::unique_ptr<IRandomNumberStream> stream(Random::CreateNewStream(5489));
    // The first MT19937 output for seed 5489 is 3499211612.
    EXPECT_EQ(static_cast<int32_t>(3499211612u >> 1), stream->GetInt());
}

TEST(RandomStream, IntegerAndFloatSequencesAreIndependent)
{
    std::unique_ptr<IRandomNumberStream> a(Random::CreateNewStream(99));
    std::unique_ptr<IRandomNumberStream> b(Random::CreateNewStream(99));
    for (int i = 0; i < 10; ++i)
        a->GetInt();
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(b->GetFloat(), a->GetFloat());
    // Floats drawn in between do not move the integer sequence either.
    for (int i = 0; i < 10; ++i)
        b->GetInt();
    EXPECT_EQ(b->GetInt(), a->GetInt());
}

TEST(RandomStream, FloatsStayBelowOne)
{
    std::unique_ptr<IRandomNumberStream> stream(Random::CreateNewStream(7));
    for (int i = 0; i < 100000; ++i)
    {
        float value = stream->GetFloat();
        ASSERT_GE(value, 0.0f);
        ASSERT_LT(value, 1.0f);
    }
}

TEST_F(RandomEngine, NamedStreamsExistAndStreamZeroIsCurrent)
{
    ASSERT_NE(nullptr, Random::GetNamedStream(0));
    ASSERT_NE(nullptr, Random::GetNamedStream(1));
    ASSERT_NE(nullptr, Random::GetNamedStream(2));
    EXPECT_EQ(nullptr, Random::GetNamedStream(3));
    EXPECT_EQ(nullptr, Random::GetNamedStream(-1));
    EXPECT_EQ(Random::GetNamedStream(0), Random::GetCurrentStream());
    EXPECT_NE(Random::GetNamedStream(0), Random::GetNamedStream(2));
}

TEST_F(RandomEngine, DestroyRemovesTheStreams)
{
    Random::Engine_Destroy();
    EXPECT_EQ(nullptr, Random::GetNamedStream(0));
    EXPECT_EQ(nullptr, Random::GetCurrentStream());
}

TEST_F(RandomEngine, IntRangeBoundsAreInclusive)
{
    std::vector<int> seen(4, 0);
    for (int i = 0; i < 2000; ++i)
    {
        EXPECT_EQ(0, Random::GetIntRange(0));
        EXPECT_EQ(5, Random::GetIntRange(5, 5));
        int value = Random::GetIntRange(3);
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 3);
        ++seen[value];
        int ranged = Random::GetIntRange(-2, 1);
        ASSERT_GE(ranged, -2);
        ASSERT_LE(ranged, 1);
    }
    for (int count : seen)
        EXPECT_GT(count, 0);
}

TEST_F(RandomEngine, HugeRangesNeverPassTheirBound)
{
    for (int i = 0; i < 5000; ++i)
    {
        ASSERT_LE(Random::GetIntRange(2147483647), 2147483647);
        int value = Random::GetIntRange(100, 2147483647);
        ASSERT_GE(value, 100);
        ASSERT_LE(Random::GetIntRange((1 << 25) - 1), (1 << 25) - 1);
    }
}

TEST_F(RandomEngine, EachFacadeCallDrawsOneFloat)
{
    // The fixture's fresh stream 0 has not been drawn from, so a stream with its seed is its twin.
    uint32_t seed = Random::GetCurrentStream()->GetRandomSeed();
    std::unique_ptr<IRandomNumberStream> twin(Random::CreateNewStream(seed));

    float f = twin->GetFloat();
    EXPECT_EQ(static_cast<int>(6.0f * f), Random::GetIntRange(5));
    f = twin->GetFloat();
    EXPECT_EQ(10 + static_cast<int>(11.0f * f), Random::GetIntRange(10, 20));
    f = twin->GetFloat();
    EXPECT_FLOAT_EQ(4.0f * f, Random::GetFloatRange(4.0f));
    f = twin->GetFloat();
    EXPECT_FLOAT_EQ(-1.0f + 3.0f * f, Random::GetFloatRange(-1.0f, 2.0f));
    f = twin->GetFloat();
    EXPECT_EQ(f < 0.5f, Random::GetCoinFlip());
    // The integer sequence was left alone.
    EXPECT_EQ(twin->GetInt(), Random::GetCurrentStream()->GetInt());
}

TEST_F(RandomEngine, ASeededSetupDrawsTheSameNumbersEachTime)
{
    std::vector<int> first;
    for (int run = 0; run < 2; ++run)
    {
        Random::Engine_SetupWithSeed(1234);
        std::vector<int> drawn;
        for (int i = 0; i < 8; ++i)
            drawn.push_back(Random::GetIntRange(1000000));
        drawn.push_back(Random::GetNamedStream(Random::kStream_Secondary)->GetInt());
        if (run == 0)
            first = drawn;
        else
            EXPECT_EQ(first, drawn);
    }
    Random::Engine_SetupWithSeed(1235);
    EXPECT_NE(first[0], Random::GetIntRange(1000000));
}

TEST(RandomFacade, DrawingBeforeSetupDoesNotCrash)
{
    Random::Engine_Destroy();
    int value = Random::GetIntRange(10);
    EXPECT_GE(value, 0);
    EXPECT_LE(value, 10);
    EXPECT_NE(nullptr, Random::GetCurrentStream());
    Random::Engine_Destroy();
}
