#include "Core/Source/DiskPartition.h"
#include "Core/Source/FileAddress.h"
#include "Core/Source/StringUtils.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/stat.h>

// Finding a resource by name alone in a folder the size of the game's content folder, as every
// resource the game loads is found: with the folder's listing kept, a lookup costs a stat and an
// index lookup instead of reading the whole folder.
namespace
{
    int const kFiles = 1600;

    class ContentFolder
    {
    public:
        ContentFolder()
        {
            char pattern[] = "/tmp/corvane-lookup-XXXXXX";
            mPath = mkdtemp(pattern);
            for (int i = 0; i < kFiles; ++i)
                std::ofstream(mPath + "/Resource" + std::to_string(i) + ".xml") << "x";
            // An hour old, as a content folder is by the time the game runs.
            timespec times[2];
            clock_gettime(CLOCK_REALTIME, &times[0]);
            times[0].tv_sec -= 3600;
            times[1] = times[0];
            utimensat(AT_FDCWD, mPath.c_str(), times, 0);
        }
        ~ContentFolder() { std::system(("rm -rf '" + mPath + "'").c_str()); }
        std::string const& Path() const { return mPath; }

    private:
        std::string mPath;
    };

    void FindResourceByNameAnyCase(benchmark::State& state)
    {
        ContentFolder folder;
        MacOSX::FileSystemPartition partition(Corvane::ConvertStringUTF8ToWide(folder.Path()));
        Corvane::FileAddress probe(L"resource0", L".xml");
        if (!partition.FindFile(&probe))
            state.SkipWithError("the content folder's files are not found");
        int index = 0;
        for (auto _ : state)
        {
            Corvane::FileAddress address(L"RESOURCE" + std::to_wstring(index), L".XML");
            benchmark::DoNotOptimize(partition.FindFile(&address));
            index = (index + 977) % kFiles;
        }
    }
    BENCHMARK(FindResourceByNameAnyCase);
}
