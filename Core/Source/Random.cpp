#include "Core/Source/Random.h"

#include <boost/random/mersenne_twister.hpp>
#include <boost/random/uniform_01.hpp>
#include <boost/random/uniform_int.hpp>

#include <ctime>
#include <map>
#include <vector>

namespace Corvane
{
    // Integers and floats come from two engines seeded alike, so drawing one kind never
    // shifts the sequence of the other.
    class BoostRandomNumberStream : public IRandomNumberStream
    {
    public:
        explicit BoostRandomNumberStream(uint32_t seed)
            : mIntEngine(seed), mIntDistribution(0, 0x7FFFFFFF), mFloatEngine(seed), mSeed(seed)
        {
        }

        uint32_t GetRandomSeed() const override { return mSeed; }

        int32_t GetInt() override { return mIntDistribution(mIntEngine); }

        float GetFloat() override
        {
            // A double just below 1 can round up to 1.0f; draw again rather than return it.
            for (;;)
            {
                float value = static_cast<float>(mFloatDistribution(mFloatEngine));
                if (value >= 0.0f && value < 1.0f)
                    return value;
            }
        }

    private:
        boost::mt19937 mIntEngine;
        boost::uniform_int<int32_t> mIntDistribution;
        boost::mt19937 mFloatEngine;
        boost::random::uniform_01<double> mFloatDistribution;
        uint32_t mSeed;
    };

    namespace Random
    {
        namespace
        {
            std::map<int, IRandomNumberStream*>& GetStreamTable()
            {
                static std::map<int, IRandomNumberStream*> table;
                return table;
            }

            std::vector<IRandomNumberStream*>& GetStreamStack()
            {
                static std::vector<IRandomNumberStream*> stack;
                return stack;
            }

            float DrawFloat()
            {
                // Drawing before engine set-up would otherwise dereference a missing stream.
                if (GetCurrentStream() == nullptr)
                    Engine_Setup();
                return GetCurrentStream()->GetFloat();
            }
        }

        void Engine_Setup()
        {
            Engine_SetupWithSeed(static_cast<uint32_t>(std::time(nullptr)));
        }

        void Engine_SetupWithSeed(uint32_t seed)
        {
            std::map<int, IRandomNumberStream*>& table = GetStreamTable();
            for (int number = kStream_Default; number <= kStream_UniqueFiles; ++number)
            {
                // A second set-up replaces the streams instead of leaking them.
                auto found = table.find(number);
                if (found != table.end())
                    delete found->second;
                table[number] = CreateNewStream(number == kStream_UniqueFiles ? static_cast<uint32_t>(std::time(nullptr)) : seed);
            }
            std::vector<IRandomNumberStream*>& stack = GetStreamStack();
            stack.clear();
            stack.reserve(32);
            stack.push_back(table[kStream_Default]);
        }

        void Engine_Destroy()
        {
            std::map<int, IRandomNumberStream*>& table = GetStreamTable();
            for (int number = kStream_Default; number <= kStream_UniqueFiles; ++number)
            {
                auto found = table.find(number);
                if (found == table.end())
                    continue;
                delete found->second;
                table.erase(found);
            }
            // The stack only borrowed those streams.
            GetStreamStack().clear();
        }

        IRandomNumberStream* CreateNewStream(uint32_t seed)
        {
            return new BoostRandomNumberStream(seed);
        }

        IRandomNumberStream* GetNamedStream(int number)
        {
            std::map<int, IRandomNumberStream*>& table = GetStreamTable();
            auto found = table.find(number);
            return found == table.end() ? nullptr : found->second;
        }

        IRandomNumberStream* GetCurrentStream()
        {
            std::vector<IRandomNumberStream*>& stack = GetStreamStack();
            return stack.empty() ? nullptr : stack.back();
        }

        int GetIntRange(int n)
        {
            float span = static_cast<float>(static_cast<int64_t>(n) + 1);
            int64_t value = static_cast<int64_t>(span * DrawFloat());
            // Above 2^24 the float product can round up to n + 1.
            return static_cast<int>(value > n ? n : value);
        }

        int GetIntRange(int low, int high)
        {
            float span = static_cast<float>(static_cast<int64_t>(high) - low + 1);
            int64_t value = low + static_cast<int64_t>(span * DrawFloat());
            if (low <= high && value > high)
                value = high;
            return static_cast<int>(value);
        }

        float GetFloatRange(float max)
        {
            return max * DrawFloat();
        }

        float GetFloatRange(float low, float high)
        {
            return low + (high - low) * DrawFloat();
        }

        bool GetCoinFlip()
        {
            return static_cast<int>(2.0f * DrawFloat()) == 0;
        }
    }
}
