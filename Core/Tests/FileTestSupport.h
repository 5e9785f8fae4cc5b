#pragma once

// Shared by the file-system tests: a scratch folder on the host disk, removed afterwards.

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace FileTestSupport
{
    class ScratchFolder
    {
    public:
        ScratchFolder()
        {
            // Memory-backed when the machine has it: the tests create and remove many files.
            struct stat status;
            bool const shared = stat("/dev/shm", &status) == 0 && S_ISDIR(status.st_mode) && access("/dev/shm", W_OK) == 0;
            std::string pattern = std::string(shared ? "/dev/shm" : "/tmp") + "/corvane-files-XXXXXX";
            char* made = mkdtemp(&pattern[0]);
            EXPECT_NE(made, nullptr);
            mPath = made ? made : "/tmp";
        }
        ~ScratchFolder()
        {
            std::string const command = "rm -rf '" + mPath + "'";
            if (std::system(command.c_str()) != 0)
                ADD_FAILURE() << "could not remove " << mPath;
        }
        ScratchFolder(ScratchFolder const&) = delete;
        ScratchFolder& operator=(ScratchFolder const&) = delete;

        std::string const& Path() const { return mPath; }
        std::wstring WidePath() const { return std::wstring(mPath.begin(), mPath.end()); }
        std::string Join(std::string const& relative) const { return mPath + "/" + relative; }

        // Makes the folders along the way.
        void Write(std::string const& relative, std::string const& contents) const
        {
            std::string const full = Join(relative);
            for (size_t slash = full.find('/', mPath.size() + 1); slash != std::string::npos;
                 slash = full.find('/', slash + 1))
                mkdir(full.substr(0, slash).c_str(), 0755);
            std::ofstream out(full, std::ios::binary | std::ios::trunc);
            out << contents;
        }
        std::string Read(std::string const& relative) const
        {
            std::ifstream in(Join(relative), std::ios::binary);
            return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        bool Exists(std::string const& relative) const
        {
            struct stat status;
            return lstat(Join(relative).c_str(), &status) == 0;
        }

    private:
        std::string mPath;
    };
}
