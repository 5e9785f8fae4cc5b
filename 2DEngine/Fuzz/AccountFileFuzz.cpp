// libFuzzer target for reading and rewriting an account file: any bytes on disk must give values
// or defaults, never a crash, a hang or a read out of bounds; every rewrite must give a document
// that reads back cleanly and holds the value just written; a damaged file is kept as ".bad"
// byte for byte.
#include "2DEngine/Source/Framework/Account.h"
#include "2DEngine/Source/Framework/AccountFile.h"
#include "Core/Source/DiskPartition.h"
#include "Core/Source/FileSystem.h"
#include "Core/Source/StringUtils.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace Corvane;

namespace
{
    std::string gFolder;

    void SetUpOnce()
    {
        if (!gFolder.empty())
            return;
        struct stat status;
        std::string pattern = std::string(stat("/dev/shm", &status) == 0 ? "/dev/shm" : "/tmp") + "/account-fuzz-XXXXXX";
        if (!mkdtemp(&pattern[0]))
            std::abort();
        gFolder = pattern;
        FileSystem* fileSystem = new FileSystem;
        fileSystem->AddFileSystemPartition(kFileSystemPartition_UserData,
                                           new MacOSX::FileSystemPartition(ConvertStringUTF8ToWide(gFolder)));
    }

    void WriteHostFile(std::string const& name, uint8_t const* data, size_t size)
    {
        FILE* file = std::fopen((gFolder + "/" + name).c_str(), "wb");
        if (!file)
            std::abort();
        if (size > 0 && std::fwrite(data, 1, size, file) != size)
            std::abort();
        std::fclose(file);
    }

    std::string ReadHostFile(std::string const& name)
    {
        std::string bytes;
        if (FILE* file = std::fopen((gFolder + "/" + name).c_str(), "rb"))
        {
            char piece[4096];
            size_t got;
            while ((got = std::fread(piece, 1, sizeof(piece), file)) > 0)
                bytes.append(piece, got);
            std::fclose(file);
        }
        return bytes;
    }

    // The rebuilt document reads back without damage and holds exactly what was asked.
    void CheckRebuild(AccountFile::Bytes const& input, AccountFile::eRebuild mode)
    {
        std::wstring const key = L"Corvane::AccountManager::Name";
        std::wstring const value = L"Fenn \U0001F600 <&\"'>";
        AccountFile::sRebuildResult const rebuilt = AccountFile::Rebuild(input, key, value, mode);
        AccountFile::sRebuildResult reread;
        std::wstring stored;
        bool const found = AccountFile::FindValue(rebuilt.document, key, &stored, &reread);
        if (reread.damaged)
            std::abort();
        if (mode == AccountFile::kRebuild_Write && (!found || stored != value))
            std::abort();
        if (mode == AccountFile::kRebuild_Delete && found)
            std::abort();
    }
}

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    SetUpOnce();
    AccountFile::Bytes const input(data, data + size);
    CheckRebuild(input, AccountFile::kRebuild_Write);
    CheckRebuild(input, AccountFile::kRebuild_Delete);

    // The whole road through the disk: read, write, delete.
    unlink((gFolder + "/1.act.bad").c_str());
    WriteHostFile("1.act", data, size);
    Account account(FileAddress(kFileSystemPartition_UserData, L".", L"1", L".act"), L"Fuzz", false);
    account.ReadValue(L"Corvane::AccountManager::Name");
    account.ReadValue(L"Corvane::AccountManager::IsCurrent", false);
    account.ReadValue(L"Level", 0);
    account.ReadValue(L"Volume", 0.5f);
    unsigned char binary[64];
    account.ReadBinary(L"Stickers", binary, sizeof(binary));
    if (!account.WriteValue(L"Level", 7))
        std::abort();
    if (account.ReadValue(L"Level", 0) != 7)
        std::abort();
    struct stat status;
    if (stat((gFolder + "/1.act.bad").c_str(), &status) == 0 &&
        ReadHostFile("1.act.bad") != std::string(reinterpret_cast<char const*>(data), size))
        std::abort();
    if (!account.DeleteValue(L"Level") || account.ReadValue(L"Level", 5) != 5)
        std::abort();
    return 0;
}
