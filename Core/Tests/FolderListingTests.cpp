#include "Core/Source/MacOSX/FolderListing.h"
#include "Core/Source/MacOSX/FolderWalk.h"

#include "Core/Tests/FileTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <thread>

using namespace MacOSX;

namespace
{
    // Dates the folder an hour back, as a folder not touched while the program runs, so that its
    // listing is kept.
    void Settle(std::string const& folder)
    {
        timespec times[2];
        clock_gettime(CLOCK_REALTIME, &times[0]);
        times[0].tv_sec -= 3600;
        times[1] = times[0];
        ASSERT_EQ(utimensat(AT_FDCWD, folder.c_str(), times, 0), 0) << folder;
    }

    // The folder ("." or "./sub") of the first file named key in any case, or "-" when none.
    std::string Find(FileTestSupport::ScratchFolder const& scratch, std::string const& key)
    {
        std::string folder;
        return FindFileInTree(scratch.Path(), scratch.Path(), true, key, &folder) ? folder : "-";
    }

    struct ChangeCase
    {
        char const* what;
        std::vector<char const*> files;
        std::function<void(FileTestSupport::ScratchFolder const&)> change;
        char const* key;
        char const* foundBefore;
        char const* foundAfter;
        std::vector<std::string> resolve; // a path to resolve after the change
        char const* resolvedAfter;        // what it resolves to, relative to the folder
    };
}

TEST(FolderListing, ChangesAfterAListingWasKeptAreSeen)
{
    using Scratch = FileTestSupport::ScratchFolder;
    std::vector<ChangeCase> const cases = {
        {"added", {"a.xml"}, [](Scratch const& s) { s.Write("New.XML", "n"); }, "new.xml", "-", ".", {"new.xml"}, "New.XML"},
        {"removed", {"Old.xml"}, [](Scratch const& s) { std::remove(s.Join("Old.xml").c_str()); }, "old.xml", ".",
         "-", {"OLD.xml"}, "OLD.xml"},
        {"renamed", {"Name.xml"},
         [](Scratch const& s) { std::rename(s.Join("Name.xml").c_str(), s.Join("NAME.xml").c_str()); }, "name.xml",
         ".", ".", {"name.xml"}, "NAME.xml"},
        {"added in a subfolder", {"Sub/a.xml"}, [](Scratch const& s) { s.Write("Sub/B.xml", "b"); }, "b.xml", "-",
         "./Sub", {"sub", "b.XML"}, "Sub/B.xml"},
    };
    for (ChangeCase const& test : cases)
    {
        SCOPED_TRACE(test.what);
        Scratch scratch;
        for (char const* file : test.files)
            scratch.Write(file, "x");
        struct stat status;
        if (stat(scratch.Join("Sub").c_str(), &status) == 0)
            Settle(scratch.Join("Sub"));
        Settle(scratch.Path());
        EXPECT_EQ(Find(scratch, test.key), test.foundBefore);
        unsigned long long const reads = GetFolderReadCount();
        EXPECT_EQ(Find(scratch, test.key), test.foundBefore);
        EXPECT_EQ(GetFolderReadCount(), reads) << "an unchanged settled folder is read again";

        test.change(scratch);
        EXPECT_EQ(Find(scratch, test.key), test.foundAfter);
        EXPECT_EQ(ResolveCaseless(scratch.Path(), test.resolve), scratch.Join(test.resolvedAfter));
    }
}

TEST(FolderListing, FreshFoldersAreReadAgainAndSearchesMeetFilesInWalkOrder)
{
    FileTestSupport::ScratchFolder scratch;
    for (char const* file : {"z/Item.png", "Item.PNG", "a/b/item.png", "other.png"})
        scratch.Write(file, "x");
    // A folder changed moments ago may change again within the same stamp: never kept.
    unsigned long long const reads = GetFolderReadCount();
    ASSERT_NE(ListFolder(scratch.Path()), nullptr);
    ASSERT_NE(ListFolder(scratch.Path()), nullptr);
    EXPECT_EQ(GetFolderReadCount(), reads + 2);
    EXPECT_EQ(ListFolder(scratch.Join("missing")), nullptr);
    EXPECT_EQ(ListFolder(scratch.Join("other.png")), nullptr);

    std::string firstWalked;
    WalkFolder(scratch.Path(), scratch.Path(), true, [&](std::string const& folder, std::string const& name) {
        if (FileNameKey(name) != "item.png")
            return false;
        firstWalked = folder;
        return true;
    });
    EXPECT_EQ(Find(scratch, "item.png"), firstWalked);
    std::string topOnly;
    ASSERT_TRUE(FindFileInTree(scratch.Path(), scratch.Path(), false, "item.png", &topOnly));
    EXPECT_EQ(topOnly, ".");
    EXPECT_EQ(Find(scratch, "none.png"), "-");
}

TEST(FolderListing, ThreadsResolvingTogetherWhileTheFolderChangesAgree)
{
    FileTestSupport::ScratchFolder scratch;
    for (int i = 0; i < 50; ++i)
        scratch.Write("File" + std::to_string(i) + ".xml", "x");
    Settle(scratch.Path());
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
    {
        threads.emplace_back([&scratch, &wrong, t] {
            for (int i = 0; i < 200; ++i)
            {
                std::string const name = "File" + std::to_string((i + t) % 50) + ".xml";
                if (ResolveCaseless(scratch.Path(), {FileNameKey(name)}) != scratch.Join(name))
                    ++wrong;
            }
        });
    }
    // Files added meanwhile change the folder under the readers; the names they look for stay.
    for (int i = 0; i < 20; ++i)
        scratch.Write("Extra" + std::to_string(i) + ".xml", "x");
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(wrong.load(), 0);
    EXPECT_EQ(Find(scratch, "extra19.xml"), ".");
}
