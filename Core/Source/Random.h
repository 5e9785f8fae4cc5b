#pragma once

#include <cstdint>

namespace Corvane
{
    // One independent sequence of random numbers.
    class IRandomNumberStream
    {
    public:
        virtual uint32_t GetRandomSeed() const = 0;
        // Uniform over 0 to 0x7FFFFFFF inclusive.
        virtual int32_t GetInt() = 0;
        // Uniform over [0, 1); never 1.
        virtual float GetFloat() = 0;
        virtual ~IRandomNumberStream() {}
    };

    namespace Random
    {
        // Stream 2 names unique files; 0 is the current stream between set-up and tear-down.
        enum eNamedStream
        {
            kStream_Default = 0,
            kStream_Secondary = 1,
            kStream_UniqueFiles = 2
        };

        // Creates streams 0, 1 and 2, each seeded with the calendar time in seconds, and makes
        // stream 0 current.
        void Engine_Setup();
        // The same with streams 0 and 1 seeded with `seed`, so that each run draws the same
        // numbers; stream 2 still takes the time, so file names stay unique across runs.
        void Engine_SetupWithSeed(uint32_t seed);
        // Deletes the named streams; nothing may be drawn afterwards.
        void Engine_Destroy();

        // A new stream with that seed; the caller owns it. Equal seeds give equal sequences.
        IRandomNumberStream* CreateNewStream(uint32_t seed);
        // Null for a number that names no stream.
        IRandomNumberStream* GetNamedStream(int number);
        IRandomNumberStream* GetCurrentStream();

        // Each of these draws exactly one float from the current stream.
        // 0 to n inclusive.
        int GetIntRange(int n);
        // low to high inclusive.
        int GetIntRange(int low, int high);
        // [0, max).
        float GetFloatRange(float max);
        float GetFloatRange(float low, float high);
        bool GetCoinFlip();
    }
}
