// The game's screens look the same whether each frame is drawn whole or only
// where it changed: the same play, run twice over the stepped clock, keeps
// pictures at the same frames, byte for byte.

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/Platform.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLPlatform.h"
#include "qdl/Tests/Driver/GameDriver.h"

using GameDriver::Child;

namespace
{

// Keeps a picture of the next frame under a name.
using Snap = std::function<void(std::string const&)>;

std::string ReadBytes(std::string const& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Plays the script with kept frames, then again drawing every frame whole, and
// compares the pictures the two plays kept.
void ExpectSamePictures(std::function<void(Child&, Snap const&)> const& script)
{
    std::vector<std::string> names;
    for (bool const kept : {true, false})
    {
        GameDriver::Driver driver;
        std::string reason;
        if (!driver.HasDisplay(&reason))
            GTEST_SKIP() << reason;
        std::string const folder = ::testing::TempDir();
        driver.Play([&](Child& child) {
            child.RunOnLoop([kept] {
                if (auto* graphics = dynamic_cast<MacOSX::OpenGLGraphicsPlatform*>(Corvane::GetGraphicsPlatform()))
                    graphics->SetRetainedFrames(kept);
            });
            script(child, [&](std::string const& name) {
                if (kept)
                    names.push_back(name);
                EXPECT_TRUE(child.SaveScreenshot(folder + (kept ? "kept-" : "whole-") + name + ".png")) << name;
            });
        });
    }
    ASSERT_FALSE(names.empty());
    std::string const folder = ::testing::TempDir();
    for (std::string const& name : names)
    {
        std::string const kept = ReadBytes(folder + "kept-" + name + ".png");
        EXPECT_FALSE(kept.empty()) << name;
        EXPECT_TRUE(kept == ReadBytes(folder + "whole-" + name + ".png")) << name << " differs";
        std::remove((folder + "kept-" + name + ".png").c_str());
        std::remove((folder + "whole-" + name + ".png").c_str());
    }
}

} // namespace

TEST(KeptFramesPlay, TheTitleAndTheQuitQuestionLookTheSame)
{
    ExpectSamePictures([](Child& child, Snap const& snap) {
        ASSERT_TRUE(child.WaitForScreen("TitleMode"));
        ASSERT_TRUE(child.MoveMouseTo(560, 420));
        ASSERT_TRUE(child.Frames(30));
        snap("title");
        // The sign turns into the play button under the mouse.
        ASSERT_TRUE(child.MoveMouseTo("TitleMainMenu/UI/PlayButton"));
        ASSERT_TRUE(child.Frames(3));
        snap("title-hover");
        // Pictures are taken once the popup has settled: where it is while it
        // slides depends on the frame it was clicked in, which two plays need
        // not share.
        ASSERT_TRUE(child.Click("QuitButton"));
        ASSERT_TRUE(child.Frames(60));
        snap("quit");
    });
}
