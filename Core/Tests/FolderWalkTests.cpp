#include "Core/Source/MacOSX/FolderWalk.h"

#include "Core/Tests/FileTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using namespace MacOSX;

namespace
{
    // Sets an environment variable for one test and puts the old value back.
    class ScopedVariable
    {
    public:
        ScopedVariable(char const* name, char const* value) : mName(name)
        {
            char const* old = std::getenv(name);
            mHad = old != nullptr;
            if (mHad)
                mOld = old;
            if (value)
                setenv(name, value, 1);
            else
                unsetenv(name);
        }
        ~ScopedVariable()
        {
            if (mHad)
                setenv(mName, mOld.c_str(), 1);
            else
                unsetenv(mName);
        }

    private:
        char const* mName;
        bool mHad = false;
        std::string mOld;
    };
}

TEST(FolderWalk, UserDataFollowsXDGAndFallsBackToTheHomeFolder)
{
    {
        ScopedVariable data("XDG_DATA_HOME", "/srv/data");
        EXPECT_EQ(GetUserDataFolder(L"Corvane", L"Quarrydale"), L"/srv/data/Corvane/Quarrydale");
    }
    {
        ScopedVariable data("XDG_DATA_HOME", "relative/ignored");
        ScopedVariable home("HOME", "/home/niña");
        EXPECT_EQ(GetUserDataFolder(L"Corvane", L"Quarrydale"), L"/home/niña/.local/share/Corvane/Quarrydale");
    }
}

TEST(FolderWalk, KeysFoldOnlyASCIILetters)
{
    EXPECT_EQ(FileNameKey("Logo.PNG"), "logo.png");
    EXPECT_EQ(FileNameKey("CAMIÓN.png"), "camiÓn.png");
    EXPECT_NE(FileNameKey("CAMIÓN.png"), FileNameKey("camión.png"));
}

TEST(FolderWalk, SplitFolderDropsDotsAndEmptyComponents)
{
    EXPECT_EQ(SplitFolder("./a//b\\c/."), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(SplitFolder(".").empty());
    EXPECT_TRUE(SplitFolder("").empty());
}

TEST(FolderWalk, NonRecursiveWalksSeeOnlyTheirFolderAndResolutionFindsAnyCase)
{
    FileTestSupport::ScratchFolder folder;
    folder.Write("top.xml", "t");
    folder.Write("sub/deep.xml", "d");
    std::vector<std::string> seen;
    auto collect = [&seen](std::string const& where, std::string const& name) {
        seen.push_back(where + "|" + name);
        return false;
    };
    EXPECT_TRUE(WalkFolder(folder.Path(), folder.Path(), false, collect));
    EXPECT_EQ(seen, (std::vector<std::string>{".|top.xml"}));
    seen.clear();
    EXPECT_TRUE(WalkFolder(folder.Path(), folder.Path(), true, collect));
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<std::string>{"./sub|deep.xml", ".|top.xml"}));
    EXPECT_EQ(ResolveCaseless(folder.Path(), {"SUB", "Deep.XML"}), folder.Join("sub/deep.xml"));
    EXPECT_EQ(ResolveCaseless(folder.Path(), {"new", "File.xml"}), folder.Join("new/File.xml"));
}
