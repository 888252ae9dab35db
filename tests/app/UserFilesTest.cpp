// Where the shipped files are found, where the user's files go, and the
// recent files list.
#include "app/RecentFiles.h"
#include "app/UserFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace mardex::test {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) setenv(name, value, 1);
        else unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (old_) setenv(name_, old_->c_str(), 1);
        else unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(ShippedFiles, BesideTheExecutableFirstThenTheInstalledShareFolder)
{
    TempDir dir;
    const std::string build = dir / "build/bin", prefix = dir / "usr/bin", share = dir / "usr/share/mardex";
    const std::string bare = dir / "bare/bin";
    for (const auto& folder : {build, prefix, share, bare}) fs::create_directories(folder);
    WriteFile(build + "/mardex3.ini", "[Mardex]\r\n");
    WriteFile(share + "/mardex3.ini", "[Mardex]\r\n");
    const struct {
        std::string executableFolder, expected;
    } cases[] = {
        {build, build},    // a build tree keeps its files beside the programs
        {prefix, share},   // an installed program finds ../share/mardex
        {bare, bare},      // nothing anywhere: the executable's folder, as before
    };
    for (const auto& c : cases) EXPECT_EQ(ShippedFilesFolder(c.executableFolder), c.expected) << c.executableFolder;
}

TEST(UserFolders, FollowTheXdgVariablesElseTheHomeFolder)
{
    {
        ScopedEnv home("HOME", "/home/designer"), config("XDG_CONFIG_HOME", nullptr), state("XDG_STATE_HOME", nullptr);
        EXPECT_EQ(UserConfigFolder(), "/home/designer/.config/mardex");
        EXPECT_EQ(UserStateFolder(), "/home/designer/.local/state/mardex");
    }
    {
        ScopedEnv home("HOME", "/home/designer"), config("XDG_CONFIG_HOME", "/cfg"), state("XDG_STATE_HOME", "relative");
        EXPECT_EQ(UserConfigFolder(), "/cfg/mardex");
        EXPECT_EQ(UserStateFolder(), "/home/designer/.local/state/mardex");  // relative values are ignored
    }
}

TEST(UserSettings, CreatedOnceFromTheShippedDefaultAndThenLeftAlone)
{
    TempDir dir;
    ScopedEnv config("XDG_CONFIG_HOME", (dir / "config").c_str());
    WriteFile(dir / "mardex3.ini", "[Mardex]\r\nReportFolder = \r\n");
    EXPECT_EQ(ExistingUserSettings(), "");

    const std::string folder = PrepareUserSettings(dir.path().string());
    EXPECT_EQ(folder, dir / "config/mardex");
    EXPECT_EQ(ReadFile(folder + "/mardex3.ini"), "[Mardex]\r\nReportFolder = \r\n");

    WriteFile(folder + "/mardex3.ini", "[Mardex]\r\nReportFolder = /reports/\r\n");
    EXPECT_EQ(PrepareUserSettings(dir.path().string()), folder);
    EXPECT_EQ(ReadFile(folder + "/mardex3.ini"), "[Mardex]\r\nReportFolder = /reports/\r\n");
    EXPECT_EQ(ExistingUserSettings(), folder);
}

TEST(RecentFiles, NewestFirstEachOnceAtMostEight)
{
    using List = std::vector<std::string>;
    const struct {
        List before;
        std::string opened;
        List after;
    } cases[] = {
        {{}, "/a.mdx", {"/a.mdx"}},
        {{"/a.mdx", "/b.mdx"}, "/b.mdx", {"/b.mdx", "/a.mdx"}},
        {{"/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8"}, "/9", {"/9", "/1", "/2", "/3", "/4", "/5", "/6", "/7"}},
    };
    for (const auto& c : cases) EXPECT_EQ(WithRecentFile(c.before, c.opened), c.after) << c.opened;
    EXPECT_EQ(WithoutRecentFile({"/a.mdx", "/gone.mdx", "/b.mdx"}, "/gone.mdx"), (List{"/a.mdx", "/b.mdx"}));
}

} // namespace
} // namespace mardex::test
