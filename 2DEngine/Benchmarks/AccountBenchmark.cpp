// A 50 MB account file (a damaged or hand-grown one): what starting the game
// and quitting it cost in account work. Start reads a score of values once
// the file is parsed; quitting saves the window and audio settings, which are
// mostly stored already. The goal for both is within a second of what a small
// file costs, with the one parse of the file counted in the start: the start
// is measured for a small file (argument 0) and the large one (argument 50).
//
//   BUILD_DIR=build-bench scripts/build -DCORVANE_BENCHMARKS=ON
//   build-bench/tools/designer_benchmarks --benchmark_filter=Account

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "2DEngine/Source/Framework/Account.h"
#include "Core/Source/DiskPartition.h"
#include "Core/Source/FileSystem.h"
#include "Core/Source/StringUtils.h"

using namespace Corvane;

namespace
{


wchar_t const* const kSettings[] = {
    L"Corvane::Window::Mode", L"Corvane::Window::IsCustomCursorEnabled", L"EnglishLanguage", L"AccountID",
    L"StickerArrayLength", L"PondoButton_StickerCount", L"SloamButton_StickerCount", L"GrubbinButton_StickerCount",
    L"PondoButton_Progress", L"Corvane::Audio::MasterControls::Volume", L"Corvane::Audio::MusicControls::Volume",
    L"Corvane::Audio::SfxControls::Volume", L"Corvane::Audio::AmbientControls::Volume"};


// One folder for the run, removed at its end.
struct sBenchFolder
{
    std::string path;

    sBenchFolder()
    {
        char pattern[] = "/tmp/account-bench-XXXXXX";
        if (!mkdtemp(pattern))
            std::abort();
        path = pattern;
        FileSystem* const fileSystem = new FileSystem;
        fileSystem->AddFileSystemPartition(kFileSystemPartition_UserData,
                                           new MacOSX::FileSystemPartition(ConvertStringUTF8ToWide(path)));
    }

    ~sBenchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

// An account file of about the size in megabytes (0: a small one) holding the settings.
std::wstring writeAccount(size_t megabytes)
{
    static sBenchFolder folder;
    std::string const name = std::to_string(megabytes);
    std::string const path = folder.path + "/" + name + ".act";
    if (std::filesystem::exists(path))
        return ConvertStringUTF8ToWide(name);
    {
        std::ofstream file(path, std::ios::binary);
        file << "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<account>\r\n";
        file << "<record name=\"Corvane::AccountManager::Name\" value=\"Player\"/>\r\n";
        std::string const filler(64, 'x');
        size_t written = 0;
        for (int i = 0; written < (megabytes << 20); ++i)
        {
            std::string const record = "<record name=\"Filler" + std::to_string(i) + "\" value=\"" + filler + "\"/>\r\n";
            file << record;
            written += record.size();
        }
        for (wchar_t const* key : kSettings)
            file << "<record name=\"" << ConvertStringWideToUTF8String(key) << "\" value=\"0\"/>\r\n";
        file << "</account>\r\n";
    }
    return ConvertStringUTF8ToWide(name);
}

Account openAccount(size_t megabytes = 50)
{
    return Account(FileAddress(kFileSystemPartition_UserData, L".", writeAccount(megabytes), L".act"), L"Player", true);
}

void BM_AccountStartReads(benchmark::State& state)
{
    for (auto _ : state)
    {
        Account account = openAccount(static_cast<size_t>(state.range(0)));
        int total = 0;
        for (int pass = 0; pass < 2; ++pass)
            for (wchar_t const* key : kSettings)
                total += account.ReadValue(key, 0);
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_AccountStartReads)->Arg(0)->Arg(50)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_AccountQuitSavesUnchangedSettings(benchmark::State& state)
{
    Account account = openAccount();
    account.ReadValue(kSettings[0], 0);
    for (auto _ : state)
    {
        for (wchar_t const* key : kSettings)
            account.WriteValue(key, 0);
    }
}
BENCHMARK(BM_AccountQuitSavesUnchangedSettings)->Unit(benchmark::kMillisecond)->Iterations(3);

// The worst quit: every one of the ten settings changed since the start, saved one by one
// (argument 0: a write of the file each) or together as quitting saves them (1: one write).
void BM_AccountQuitSavesChangedSettings(benchmark::State& state)
{
    Account account = openAccount();
    // Parsed at the start, as in the game.
    account.ReadValue(kSettings[0], 0);
    int value = 0;
    for (auto _ : state)
    {
        ++value;
        Account::DeferredWrites const together(state.range(0) ? &account : nullptr);
        for (int i = 0; i < 10; ++i)
            account.WriteValue(kSettings[i], value);
    }
}
BENCHMARK(BM_AccountQuitSavesChangedSettings)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
