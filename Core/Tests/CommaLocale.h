#pragma once

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

// Switches LC_NUMERIC to a locale whose decimal point is a comma, as a Spanish player's is,
// for the lifetime of the object. The locale is built once, because test machines rarely
// have one installed. Active() is false when it could not be made.
class CommaLocale
{
public:
    CommaLocale()
    {
        char const* current = std::setlocale(LC_NUMERIC, nullptr);
        mSaved = current ? current : "C";
        std::string const& folder = Build();
        if (folder.empty())
            return;
        setenv("LOCPATH", folder.c_str(), 1);
        mActive = std::setlocale(LC_NUMERIC, "xx_COMMA") != nullptr;
    }

    ~CommaLocale()
    {
        std::setlocale(LC_NUMERIC, mSaved.c_str());
        unsetenv("LOCPATH");
    }

    bool Active() const { return mActive; }

private:
    // The folder of the built locale, empty when it could not be made. It is kept in the
    // working folder (the build tree under CTest) and reused by later runs.
    static std::string const& Build()
    {
        static bool tried = false;
        static std::string built;
        if (tried)
            return built;
        tried = true;
        char cwd[4096];
        if (getcwd(cwd, sizeof(cwd)) == nullptr)
            return built;
        std::string folder = std::string(cwd) + "/corvane-test-locale";
        if (access((folder + "/xx_COMMA/LC_NUMERIC").c_str(), R_OK) != 0)
        {
            // Built aside and renamed into place, as parallel test processes may race here.
            mkdir(folder.c_str(), 0755);
            std::string own = folder + "/build-" + std::to_string(getpid());
            std::string source = own + ".src";
            {
                std::ofstream file(source);
                file << "LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\ngrouping 3;3\nEND LC_NUMERIC\n";
            }
            std::string command = "localedef -c -i '" + source + "' -f ANSI_X3.4-1968 '" + own + "' >/dev/null 2>&1";
            int status = std::system(command.c_str());
            std::remove(source.c_str());
            if (status == -1 || rename(own.c_str(), (folder + "/xx_COMMA").c_str()) != 0)
                std::system(("rm -rf '" + own + "'").c_str());
            if (access((folder + "/xx_COMMA/LC_NUMERIC").c_str(), R_OK) != 0)
                return built;
        }
        built = folder;
        return built;
    }

    std::string mSaved;
    bool mActive = false;
};
