// A save that fails leaves the previous file as it was, says so, and never
// reports success.
#include "DocumentFixture.h"

#include "app/HeaderFields.h"
#include "formats/AtomicFile.h"
#include "app/DocumentWriter.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace mardex::test {
namespace {

namespace fs = std::filesystem;

int FilesIn(const fs::path& folder)
{
    int n = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++n;
    return n;
}

struct ChangedNamedDocument : ::testing::Test {
    FileWriter failing;  // a writer a test may give the session: outlives it
    Program p;
    std::string target;
    const std::string old = "old contents\r\n";

    void SetUp() override
    {
        target = p.Path("road1.mdx");
        WriteFile(target, old);
        p.s.doc.CurrentFileName = target;
        p.s.form.Caption = "MARDEX :" + target;
        SetDescriText(p.s, 0, "changed");
        ASSERT_TRUE(p.s.doc.DataChanged);
    }
};

TEST_F(ChangedNamedDocument, AReadOnlyTargetIsRefusedWithoutAQuestionAndKept)
{
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read);
    p.ask.Then(Says("Program Error: cannot write " + target +
                    ": the file is read-only; the file was not saved occured in Write2002VersionFile"));
    mnuFileSave_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_EQ(ReadFile(target), old);
    EXPECT_TRUE(p.s.doc.DataChanged);
    EXPECT_EQ(p.s.doc.CurrentFileName, target);
}

TEST_F(ChangedNamedDocument, WriteErrorInTheMiddleLeavesTheOldFileAndKeepsDataChanged)
{
    p.s.writer = &failing;
    for (long long after : {0LL, 1LL, 17LL, 100LL}) {
        failing.failAfterBytes = after;
        p.ask.Then(Asks(" OVERWRITE EXISTING FILE " + target + " ?", Answer::Yes));
        p.ask.Then(Says(""));
        mnuFileSave_Click(p.s);
        EXPECT_TRUE(p.ask.sawAll());
        ASSERT_FALSE(p.ask.shown.empty());
        const std::string& message = p.ask.shown.back();
        EXPECT_NE(message.find("cannot write " + target), std::string::npos) << message;
        EXPECT_NE(message.find(" occured in Write2002VersionFile"), std::string::npos);
        for (const auto& text : p.ask.shown) EXPECT_EQ(text.find("IS SAVED SUCCESSFULLY"), std::string::npos);
        EXPECT_EQ(ReadFile(target), old);
        EXPECT_TRUE(p.s.doc.DataChanged);
        EXPECT_EQ(p.s.doc.CurrentFileName, target);
        EXPECT_EQ(FilesIn(p.dir.path()), 2) << "no temporary file is left (mardex3.ini and road1.mdx)";
    }
}

TEST_F(ChangedNamedDocument, SavingIntoAFolderThatDoesNotExistFailsAndKeepsTheName)
{
    const std::string missing = p.Path("no/such/folder/x.mdx");
    p.ask.Then(Picks(missing));
    p.ask.Then(Says(""));
    mnuFileSaveAs_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_NE(p.ask.shown.back().find("cannot write " + missing), std::string::npos);
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_EQ(p.s.doc.CurrentFileName, target);
    EXPECT_EQ(p.s.form.Caption, "MARDEX :" + target);
    EXPECT_TRUE(p.s.doc.DataChanged);
}

TEST_F(ChangedNamedDocument, WithoutInjectionTheSameSaveSucceedsAndKeepsThePermissions)
{
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    p.ask.Then(Asks(" OVERWRITE EXISTING FILE " + target + " ?", Answer::Yes));
    p.ask.Then(Says(" FILE : " + target + " IS SAVED SUCCESSFULLY"));
    mnuFileSave_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_EQ(ReadFile(target), SheetDocumentText(p.s));
    EXPECT_FALSE(p.s.doc.DataChanged);
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(AtomicFile, ReplacesWholeOrNotAtAll)
{
    TempDir dir;
    const std::string path = dir / "f.txt";
    WriteFile(path, "before");
    EXPECT_FALSE(WriteFileAtomically(path, "after, longer", 3).ok);
    EXPECT_EQ(ReadFile(path), "before");
    const AtomicWriteResult ok = WriteFileAtomically(path, "after, longer");
    EXPECT_TRUE(ok.ok) << ok.error;
    EXPECT_EQ(ReadFile(path), "after, longer");
    EXPECT_EQ(FilesIn(dir.path()), 1);
}

TEST(AtomicFile, ALinkedFileIsReplacedThroughItsLink)
{
    TempDir dir;
    const std::string real = dir / "real.mdx", link = dir / "link.mdx";
    WriteFile(real, "before");
    fs::create_symlink(real, link);
    ASSERT_TRUE(WriteFileAtomically(link, "after").ok);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFile(real), "after");
}

} // namespace
} // namespace mardex::test
