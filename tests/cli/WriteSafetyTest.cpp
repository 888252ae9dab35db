// mardex-report never destroys what was there: a failed run leaves every
// file as it was, and inputs that are not files it can read are refused at once.
#include "support/TempDir.h"
#include "support/ToolRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

namespace mardex::test {
namespace {

namespace fs = std::filesystem;

const std::string Road = "[VERSION 2002]\r\n[ENGLISH]\r\nD\r\nP\r\nC\r\n[END AREA 1 S1]\r\n#BALANCE FACTOR\r\n1.00\r\n"
                         "#MEASURED IN EMBANKMENT\r\n 0 \r\n#STATION      CODE    CUTAREA       ADDEDCUT(vol.)     "
                         "FILLAREA     ADDEDFILL(vol.)\r\n00+00.000 - 27.00 0.00 0.00 0.00\r\n"
                         "01+00.000 - 27.00 0.00 0.00 0.00\r\n[LAST RECORD]\r\n";
const std::string Old = "the old file\r\n";

TEST(WriteSafety, FailedOrRefusedRunsLeaveEveryFileAsItWas)
{
    const struct {
        const char* what;
        std::string args;
        int status;
        std::string stderrPart;
    } cases[] = {
        {"no such sheet", "--sheet 5 --output keep.txt road.mdx", 1, "has no sheet 5"},
        {"a log without accumulated quantities", "--accumulated --output keep.txt english_log.log", 1,
         "Present Log file has no Accumulated Quantities"},
        {"--output naming a folder", "--output folder road.mdx", 1, "it is a folder"},
        {"a log's report elsewhere", "--output out/final.rpt english_log.log", 0, ""},
        {"a read-only target", "--save-as readonly.mdx road.mdx", 1, "the file is read-only"},
        {"a read-only report", "--output readonly.mdx road.mdx", 1, "the file is read-only"},
        {"the output is the document", "--output road.mdx road.mdx", 1, "names the document itself"},
        {"--save-as onto the document", "--save-as ./road.mdx road.mdx", 1, "names the document itself"},
        {"--output onto a log's companion", "--output english_log.mdx english_log.log", 1, "names the log's companion itself"},
        // The default report path of road.rpt (reached as a document through
        // a folder link named .mdx) is the document itself.
        {"the default report is the document", "link.mdx/road.rpt", 1, "would be the document itself"},
        {"a log's report linked to the log", "linked.log", 1, "the log's report would be the log itself"},
        {"the diagram onto a read-only file", "--mass-haul readonly.svg road.mdx", 1, "the file is read-only"},
        {"--report-csv onto the document", "--report-csv road.mdx road.mdx", 1, "names the document itself"},
        {"--haul-table onto the document", "--haul-table road.mdx road.mdx", 1, "names the document itself"},
        {"--report-csv of a log", "--report-csv keep.txt english_log.log", 1, "a GEOPAK log, not a sheet document"},
        {"a folder as the document", "folder.mdx", 1, "folder.mdx: it is a folder"},
        {"a pipe as the document", "pipe.mdx", 1, "pipe.mdx: it is not a regular file"},
        {"a pipe as the log", "pipe.log", 1, "pipe.log: it is not a regular file"},
        {"an over-large document", "big.mdx", 1, "big.mdx: the file has 67108865 bytes, more than any real one"},
        {"an over-large log", "big.log", 1, "big.log: the file has 104857601 bytes, more than any real one"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        WriteFile(dir / "road.mdx", Road);
        fs::copy_file(TestData("log_cases/basic_english.log"), dir / "english_log.log");
        for (const char* name : {"keep.txt", "english_log.rpt", "readonly.mdx", "readonly.svg"}) WriteFile(dir / name, Old);
        fs::permissions(dir / "readonly.mdx", fs::perms::owner_read | fs::perms::group_read);
        fs::permissions(dir / "readonly.svg", fs::perms::owner_read | fs::perms::group_read);
        WriteFile(dir / "road.rpt", Road);
        fs::create_directory_symlink(".", dir / "link.mdx");
        fs::copy_file(TestData("log_cases/basic_english.log"), dir / "linked.log");
        fs::create_symlink("linked.log", dir / "linked.rpt");
        fs::create_directory(dir / "folder");
        fs::create_directory(dir / "folder.mdx");
        fs::create_directory(dir / "out");
        ASSERT_EQ(mkfifo((dir / "pipe.mdx").c_str(), 0600), 0);
        ASSERT_EQ(mkfifo((dir / "pipe.log").c_str(), 0600), 0);
        fs::resize_file((WriteFile(dir / "big.mdx", ""), dir / "big.mdx"), (64u << 20) + 1);
        fs::resize_file((WriteFile(dir / "big.log", ""), dir / "big.log"), (100u << 20) + 1);

        const ToolRun run = RunTool(dir, c.args);
        EXPECT_EQ(run.status, c.status) << c.what << "\n" << run.err;
        EXPECT_NE(run.err.find(c.stderrPart), std::string::npos) << c.what << "\n" << run.err;
        EXPECT_EQ(ReadFile(dir / "road.mdx"), Road) << c.what;
        EXPECT_EQ(ReadFile(dir / "road.rpt"), Road) << c.what;
        EXPECT_EQ(ReadFile(dir / "linked.log"), ReadFile(TestData("log_cases/basic_english.log"))) << c.what;
        for (const char* name : {"keep.txt", "english_log.rpt", "readonly.mdx", "readonly.svg"}) EXPECT_EQ(ReadFile(dir / name), Old) << c.what;
        EXPECT_TRUE(fs::is_directory(dir / "folder")) << c.what;
        for (const auto& entry : fs::directory_iterator(dir.path()))
            EXPECT_EQ(entry.path().filename().string().find(".~mardex."), std::string::npos) << c.what;
    }
}

// A user settings file that is a pipe, a folder or a device is named in a
// message and not read (a pipe would block the start); the run goes on.
TEST(WriteSafety, SettingsThatAreNoFileAreNamedNotRead)
{
    const struct {
        const char* what;
        std::string says;
    } cases[] = {
        {"pipe", "it is not a regular file (a pipe or a device)"},
        {"folder", "it is a folder, not a file"},
        {"device", "it is not a regular file (a pipe or a device)"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        WriteFile(dir / "road.mdx", Road);
        const std::string folder = dir / "config/mardex";
        fs::create_directories(folder);
        const std::string settings = folder + "/mardex3.ini";
        if (std::string(c.what) == "pipe") ASSERT_EQ(mkfifo(settings.c_str(), 0600), 0);
        else if (std::string(c.what) == "folder") fs::create_directory(settings);
        else fs::create_symlink("/dev/zero", settings);
        const char* before = std::getenv("XDG_CONFIG_HOME");
        const std::string kept = before ? before : "";
        setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
        const ToolRun run = RunTool(dir, "--output out.rpt road.mdx");
        if (before) setenv("XDG_CONFIG_HOME", kept.c_str(), 1);
        else unsetenv("XDG_CONFIG_HOME");
        EXPECT_EQ(run.status, 0) << c.what << run.err;
        EXPECT_NE(run.err.find("the settings file " + settings + ": " + c.says), std::string::npos) << c.what << run.err;
    }
}

} // namespace
} // namespace mardex::test
