// The one writer every file goes through: what it refuses, and the
// temporary files an interrupted write leaves, removed at the next write.
#include "formats/AtomicFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace mardex::test {
namespace {

namespace fs = std::filesystem;

// The id of a process that has ended.
pid_t EndedProcess()
{
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

TEST(AtomicFile, TemporariesOfEndedProcessesGoAtTheNextWriteToTheirFolder)
{
    TempDir dir;
    const std::string stale = dir / (".~mardex." + std::to_string(EndedProcess()) + ".road.mdx.AbC123");
    const std::string running = dir / (".~mardex." + std::to_string(getpid()) + ".other.rpt.XyZ789");
    const std::string foreign = dir / ".road.mdx.AbC123";
    for (const auto& path : {stale, running, foreign}) WriteFile(path, "half");
    ASSERT_TRUE(WriteFileAtomically(dir / "road.rpt", "new").ok);
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(running));
    EXPECT_TRUE(fs::exists(foreign));
    EXPECT_EQ(ReadFile(dir / "road.rpt"), "new");
}

TEST(AtomicFile, TargetsThatMustNotBeReplacedAreRefusedAndKept)
{
    TempDir dir;
    WriteFile(dir / "readonly.rpt", "old");
    fs::permissions(dir / "readonly.rpt", fs::perms::owner_read);
    fs::create_directory(dir / "folder");
    const struct {
        std::string path;
        std::string error;
    } cases[] = {
        {dir / "readonly.rpt", "cannot write " + (dir / "readonly.rpt") + ": the file is read-only"},
        {dir / "folder", "cannot write " + (dir / "folder") + ": it is a folder"},
        {dir / std::string("folder\0x.rpt", 12), "cannot write " + (dir / "folder\\0x.rpt") + ": the name holds a NUL byte"},
        {"/dev/null", "cannot write /dev/null: it is not a regular file"},
        {dir / "no/such/folder.rpt", "cannot write " + (dir / "no/such/folder.rpt") + ": No such file or directory"},
    };
    for (const auto& c : cases) {
        const AtomicWriteResult r = WriteFileAtomically(c.path, "new");
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.error, c.error);
    }
    EXPECT_EQ(ReadFile(dir / "readonly.rpt"), "old");
    EXPECT_TRUE(fs::is_directory(dir / "folder"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

// As the kernel's protected_symlinks: in a folder that is sticky and
// writable by all, a link owned by another user (nor the folder's owner) is
// not followed; every other link is, replacing the file it names.
TEST(AtomicFile, LinksOfOtherUsersInSharedFoldersAreRefused)
{
    if (geteuid() != 0) GTEST_SKIP() << "giving a link to another user needs root";
    const uid_t other = 54321;
    const struct {
        const char* what;
        bool sticky;
        bool foreignLink;
        bool refused;
    } cases[] = {
        {"another user's link in a shared folder", true, true, true},
        {"our own link in a shared folder", true, false, false},
        {"another user's link in a plain folder", false, true, false},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string precious = dir / "precious.mdx";
        WriteFile(precious, "precious");
        const std::string shared = dir / "shared";
        fs::create_directory(shared);
        fs::permissions(shared, c.sticky ? fs::perms::all | fs::perms::sticky_bit
                                         : fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
        const std::string link = shared + "/one.rpt";
        fs::create_symlink(precious, link);
        if (c.foreignLink) {
            ASSERT_EQ(lchown(link.c_str(), other, other), 0);
        }
        const AtomicWriteResult written = WriteFileAtomically(link, "report");
        EXPECT_EQ(written.ok, !c.refused) << c.what << ": " << written.error;
        EXPECT_EQ(ReadFile(precious), c.refused ? "precious" : "report") << c.what;
        EXPECT_TRUE(fs::is_symlink(link)) << c.what;
        if (c.refused) {
            EXPECT_NE(written.error.find("a link of another user in a shared folder"), std::string::npos);
        }
    }
}

TEST(AtomicFile, PiecesReplaceTheTargetOnlyAtCommit)
{
    TempDir dir;
    const std::string target = dir / "road.rpt";
    const struct {
        long long failAfterBytes;
        bool commit;
        const char* after;  // the target's text once the writer is gone
        FlushToDisk flush = FlushToDisk::Yes;
    } cases[] = {{-1, true, "abcdef"}, {-1, false, "old"}, {4, true, "old"}, {0, true, "old"},
                 {-1, true, "abcdef", FlushToDisk::No}, {-1, false, "old", FlushToDisk::No},
                 {4, true, "old", FlushToDisk::No}};
    for (const auto& c : cases) {
        WriteFile(target, "old");
        {
            PiecewiseAtomicWriter writer(target, c.failAfterBytes, c.flush);
            const bool written = writer.Append("abc") && writer.Append("def");
            EXPECT_EQ(written, c.failAfterBytes < 0) << c.failAfterBytes;
            EXPECT_EQ(ReadFile(target), "old");
            if (c.commit) {
                EXPECT_EQ(writer.Commit(), c.failAfterBytes < 0);
            }
            if (c.failAfterBytes >= 0) {
                EXPECT_EQ(writer.error(), "cannot write " + target + ": No space left on device");
            }
        }
        EXPECT_EQ(ReadFile(target), c.after) << c.failAfterBytes << c.commit << static_cast<int>(c.flush);
        // No temporary file is left beside it.
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
    }
    // A report written where there is none yet.
    fs::remove(target);
    ASSERT_TRUE(WriteFileAtomically(target, "first", -1, FlushToDisk::No).ok);
    EXPECT_EQ(ReadFile(target), "first");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

} // namespace
} // namespace mardex::test
