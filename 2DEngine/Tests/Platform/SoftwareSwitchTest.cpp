#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <SDL2/SDL.h>

#include "2DEngine/Source/Framework/SystemServices.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLContextLayer.h"

namespace
{
    class CommandLineServices : public Corvane::ISystemServices
    {
    public:
        explicit CommandLineServices(std::wstring const& line) : mLine(line) {}
        uint64_t GetTimeUS() override { return 0; }
        void Sleep(uint32_t) override {}
        std::wstring GetCommandLine() override { return mLine; }

    private:
        std::wstring mLine;
    };

    class SoftwareSwitchTest : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            char const* const before = std::getenv("LIBGL_ALWAYS_SOFTWARE");
            hadValue = before != nullptr;
            if (hadValue)
                saved = before;
            unsetenv("LIBGL_ALWAYS_SOFTWARE");
        }
        void TearDown() override
        {
            Corvane::Internal::SetSystemServices(nullptr);
            if (hadValue)
                setenv("LIBGL_ALWAYS_SOFTWARE", saved.c_str(), 1);
            else
                unsetenv("LIBGL_ALWAYS_SOFTWARE");
        }

        bool hadValue = false;
        std::string saved;
    };
}

TEST_F(SoftwareSwitchTest, SwitchOnTheCommandLineAsksForTheSoftwareRenderer)
{
    CommandLineServices services(L"-nivel Señal -software");
    Corvane::Internal::SetSystemServices(&services);
    bool const inTime = SDL_WasInit(SDL_INIT_VIDEO) == 0;
    EXPECT_EQ(inTime, MacOSX::ApplySoftwareSwitch());
    char const* const value = std::getenv("LIBGL_ALWAYS_SOFTWARE");
    if (inTime)
        EXPECT_STREQ("1", value);
    else
        EXPECT_EQ(nullptr, value);
}

TEST_F(SoftwareSwitchTest, WithoutTheSwitchNothingChanges)
{
    CommandLineServices services(L"-fullscreen -softwar");
    Corvane::Internal::SetSystemServices(&services);
    EXPECT_FALSE(MacOSX::ApplySoftwareSwitch());
    EXPECT_EQ(nullptr, std::getenv("LIBGL_ALWAYS_SOFTWARE"));
}
