#include "qdl/Benchmarks/FrameBenchmark.h"

#include <string>

#include "2DEngine/Source/Framework/Platform.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLPlatform.h"

void BenchmarkFrames(benchmark::State& state, std::function<void(GameDriver::Driver&)> const& prepare,
                     std::function<bool(GameDriver::Child&)> const& reach)
{
    GameDriver::Driver driver;
    std::string reason;
    if (!driver.HasDisplay(&reason))
    {
        state.SkipWithError(("no display: " + reason).c_str());
        return;
    }
    if (prepare)
        prepare(driver);
    bool const whole = state.range(0) == kWholeFrames;
    driver.Play([&state, &reach, whole](GameDriver::Child& child) {
        if (whole)
            child.RunOnLoop([] {
                if (auto* graphics = dynamic_cast<MacOSX::OpenGLGraphicsPlatform*>(Corvane::GetGraphicsPlatform()))
                    graphics->SetRetainedFrames(false);
            });
        if (!reach(child))
        {
            state.SkipWithError("the screen was not reached");
            return;
        }
        for (auto _ : state)
            child.Frames(1);
    });
}
