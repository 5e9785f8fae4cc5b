#ifndef CORVANE_CORE_TESTS_STDERRCAPTURE_H
#define CORVANE_CORE_TESTS_STDERRCAPTURE_H

// Standard error, where the log writes, captured for the life of the object, so
// that tests can check what the code under test logged.

#include <gtest/gtest.h>

#include <string>

namespace TestSupport
{

class StderrCapture
{
public:
    StderrCapture() { ::testing::internal::CaptureStderr(); }
    // Ends the capture even when nothing took it: gtest allows only one at a time.
    ~StderrCapture()
    {
        if (!mTaken)
            ::testing::internal::GetCapturedStderr();
    }
    StderrCapture(StderrCapture const&) = delete;
    StderrCapture& operator=(StderrCapture const&) = delete;

    // Everything written since the capture began; call once.
    std::string Take()
    {
        mTaken = true;
        return ::testing::internal::GetCapturedStderr();
    }

private:
    bool mTaken = false;
};

} // namespace TestSupport

#endif
