// The developer's layout designer program over the build's content: a
// manifest or layout that is not there is named and the program fails; the
// gallery opens in the designer, and the program quits with it open.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace
{

struct sRun
{
    int status = -1;
    std::string output;
};

// Runs the shell command with the output of both streams collected.
sRun RunShell(std::string const& command)
{
    sRun run;
    FILE* const pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    size_t read = 0;
    while ((read = fread(buffer, 1, sizeof(buffer), pipe)) > 0)
        run.output.append(buffer, read);
    int const status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string Designer(std::string const& arguments)
{
    return "XDG_DATA_HOME=$PWD/layout-designer-home SDL_AUDIODRIVER=dummy CORVANE_LOG_MESSAGE_BOXES=1 '" +
           std::string(QDL_LAYOUT_DESIGNER_EXECUTABLE) + "' " + arguments;
}

} // namespace

TEST(LayoutDesignerProgram, AMissingManifestOrLayoutIsNamedAndFails)
{
    sRun const manifest = RunShell(Designer("NoSuchManifest WidgetGallery"));
    EXPECT_EQ(1, manifest.status) << manifest.output;
    EXPECT_NE(std::string::npos, manifest.output.find("The manifest \"NoSuchManifest\" could not be loaded."))
        << manifest.output;

    sRun const layout = RunShell(Designer("Loading NoSuchLayout"));
    EXPECT_EQ(1, layout.status) << layout.output;
    EXPECT_NE(std::string::npos, layout.output.find("The manifest \"Loading\" has no layout \"NoSuchLayout\"."))
        << layout.output;

    sRun const usage = RunShell(Designer("Loading"));
    EXPECT_NE(0, usage.status);
    EXPECT_NE(std::string::npos, usage.output.find("[manifest layout]")) << usage.output;
}

TEST(LayoutDesignerProgram, OpensTheGalleryAndQuitsWithTheDesignerOpen)
{
    // A termination request ends the program as a normal quit does.
    sRun const run = RunShell("(" + Designer("") + " & pid=$!; sleep 4; kill -TERM $pid; wait $pid)");
    EXPECT_EQ(0, run.status) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("Loading resource file: WidgetGallery")) << run.output;
    EXPECT_EQ(std::string::npos, run.output.find("rror")) << run.output;
}
