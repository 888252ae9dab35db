#include "app/DesignFileDialogs.h"

#include "app/Session.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace mardex::test {
namespace {

namespace fs = std::filesystem;

class DesignFileDialog : public ::testing::Test {
protected:
    DesignFileDialog()
    {
        WriteFile(seed, "SEED");
        WriteFile(dir / "a.dgn", "A");
        WriteFile(dir / "B.DGN", "B");
        WriteFile(dir / "notes.txt", "N");
        fs::create_directories(dir / "sub");
        dlg.Form_Load(seed, dir.path().string());
    }

    TempDir dir;
    ScriptedPrompter ask;
    Session s{ask};
    std::string seed = dir / "seed.dgn";
    DesignFileDialogModel& dlg = s.stickup.designFileDialog;
};

TEST_F(DesignFileDialog, LoadShowsTheSeedAndTheFolderFilteredByTheCombo)
{
    EXPECT_EQ(dlg.Label6, seed);
    EXPECT_EQ(dlg.chooser.pattern, "*.dgn");
    EXPECT_EQ(dlg.chooser.files, (std::vector<std::string>{"B.DGN", "a.dgn", "seed.dgn"}));
    EXPECT_EQ(dlg.chooser.fileName, "");
    EXPECT_EQ(dlg.chooser.SubFolders(), std::vector<std::string>{"sub"});
    const std::string folder = dir.path().string();
    EXPECT_EQ(dlg.chooser.Label3, folder.size() > 30 ? folder.substr(folder.size() - 30) : folder);
    EXPECT_EQ(dlg.chooser.Label3.size(), std::min<std::size_t>(30, folder.size()));

    dlg.chooser.SetPattern("*.*");
    EXPECT_EQ(dlg.chooser.files.size(), 4u);
    dlg.chooser.SetFolder(dir / "sub");
    EXPECT_TRUE(dlg.chooser.files.empty());
}

TEST_F(DesignFileDialog, FileClickTakesTheNameAndKeepsTheEntrySelected)
{
    dlg.chooser.ClickFile("a.dgn");
    EXPECT_EQ(dlg.chooser.fileName, "a.dgn");
    ASSERT_GE(dlg.chooser.selected, 0);
    EXPECT_EQ(dlg.chooser.files[dlg.chooser.selected], "a.dgn");
}

TEST(FilePattern, MatchesLikeTheFileList)
{
    EXPECT_TRUE(MatchesFilePattern("road.dgn", "*.dgn"));
    EXPECT_TRUE(MatchesFilePattern("ROAD.DGN", "*.dgn"));
    EXPECT_FALSE(MatchesFilePattern("road.dgn.bak", "*.dgn"));
    EXPECT_TRUE(MatchesFilePattern("README", "*.*"));
    EXPECT_TRUE(MatchesFilePattern("r1.dgn", "r?.dgn"));
    EXPECT_FALSE(MatchesFilePattern("r10.dgn", "r?.dgn"));
}

TEST_F(DesignFileDialog, OkCopiesTheSeedOntoANewTarget)
{
    dlg.chooser.fileName = "12340ew.dgn";
    EXPECT_TRUE(dlg.Command1_Click(s));
    EXPECT_EQ(s.stickup.DesignFilePath, dir / "12340ew.dgn");
    EXPECT_TRUE(s.stickup.TargetChosen);
    EXPECT_EQ(ReadFile(dir / "12340ew.dgn"), "SEED");
    EXPECT_EQ(ReadFile(seed), "SEED");
}

TEST_F(DesignFileDialog, ExistingTargetAndNoLeavesTheDialogOpenAndCreatesNothing)
{
    dlg.chooser.ClickFile("a.dgn");
    ask.Then(Asks("Do you want to overwrite existing *.dgn file?", Answer::No));
    EXPECT_FALSE(dlg.Command1_Click(s));
    EXPECT_EQ(ReadFile(dir / "a.dgn"), "A");
    EXPECT_TRUE(s.stickup.DesignFilePath.empty());
    EXPECT_EQ(ask.boxes.back().title, "warning");
    EXPECT_EQ(ask.boxes.back().buttons, Buttons::YesNo);

    ask.Then(Asks("Do you want to overwrite existing *.dgn file?", Answer::Yes));
    EXPECT_TRUE(dlg.Command1_Click(s));
    EXPECT_EQ(ReadFile(dir / "a.dgn"), "SEED");
    EXPECT_TRUE(ask.sawAll());
}

TEST_F(DesignFileDialog, MissingSeedAsksToRetryUntilCancel)
{
    dlg.Label6 = "L:\\data\\seed\\seedv8\\kernel.dgn";
    dlg.chooser.fileName = "new.dgn";
    ask.Then(Asks(SeedCopyQuestion, Answer::OK));
    ask.Then(Asks(SeedCopyQuestion, Answer::OK));
    ask.Then(Asks(SeedCopyQuestion, Answer::Cancel));
    EXPECT_FALSE(dlg.Command1_Click(s));
    EXPECT_EQ(ask.boxes.back().title, "Warning");
    EXPECT_EQ(ask.boxes.back().buttons, Buttons::OKCancel);
    EXPECT_FALSE(fs::exists(dir / "new.dgn"));
    EXPECT_FALSE(s.stickup.TargetChosen);
    EXPECT_TRUE(ask.sawAll());
}

TEST_F(DesignFileDialog, RetryAfterTheSeedAppearsSucceeds)
{
    const std::string later = dir / "later.dgn";
    dlg.Label6 = later;
    dlg.chooser.fileName = "new.dgn";
    ask.Then(Asks(SeedCopyQuestion, Answer::OK));
    // The user fixes the problem while the question is shown.
    struct Fixer : Prompter {
        ScriptedPrompter& inner;
        std::string path;
        Fixer(ScriptedPrompter& i, std::string p) : inner(i), path(std::move(p)) {}
        Answer Ask(const MessageBox& b) override
        {
            WriteFile(path, "LATER");
            return inner.Ask(b);
        }
        std::string Input(const std::string& a, const std::string& b, const std::string& c) override { return inner.Input(a, b, c); }
        std::optional<std::string> ChooseFile(const FileDialogRequest& r) override { return inner.ChooseFile(r); }
    } fixer(ask, later);
    Session other{fixer};
    EXPECT_TRUE(dlg.Command1_Click(other));
    EXPECT_EQ(ReadFile(dir / "new.dgn"), "LATER");
}

TEST_F(DesignFileDialog, TheSeedItselfIsNeverTheTarget)
{
    dlg.chooser.ClickFile("seed.dgn");
    ask.Then(Asks("Do you want to overwrite existing *.dgn file?", Answer::Yes));
    ask.Then(Asks(SeedCopyQuestion, Answer::Cancel));
    EXPECT_FALSE(dlg.Command1_Click(s));
    EXPECT_EQ(ReadFile(seed), "SEED");
    EXPECT_TRUE(ask.sawAll());
}

TEST_F(DesignFileDialog, Correction29_SeedLabelClickBeforeAChoiceKeepsTheDefault)
{
    dlg.Label6_Click(s);
    EXPECT_EQ(dlg.Label6, seed);

    auto& chooser = s.stickup.seedFileDialog;
    chooser.Form_Load(dir.path().string());
    chooser.chooser.ClickFile("a.dgn");
    chooser.Command1_Click(s, dlg);
    EXPECT_EQ(s.stickup.SeedFilePath, dir / "a.dgn");
    EXPECT_EQ(dlg.Label6, dir / "a.dgn");

    dlg.Label6 = "something else";
    dlg.Label6_Click(s);
    EXPECT_EQ(dlg.Label6, dir / "a.dgn");
}

TEST_F(DesignFileDialog, SeedChooserDoubleClickChoosesAtOnce)
{
    auto& chooser = s.stickup.seedFileDialog;
    chooser.Form_Load(dir.path().string());
    chooser.File1_DblClick(s, dlg, "B.DGN");
    EXPECT_EQ(s.stickup.SeedFilePath, dir / "B.DGN");
    EXPECT_EQ(dlg.Label6, dir / "B.DGN");
}

TEST_F(DesignFileDialog, AReadOnlyTargetIsNotReplaced)
{
    fs::permissions(dir / "a.dgn", fs::perms::owner_read | fs::perms::group_read);
    dlg.chooser.ClickFile("a.dgn");
    ask.Then(Asks("Do you want to overwrite existing *.dgn file?", Answer::Yes));
    ask.Then(Asks(SeedCopyQuestion, Answer::Cancel));
    EXPECT_FALSE(dlg.Command1_Click(s));
    fs::permissions(dir / "a.dgn", fs::perms::owner_all);
    EXPECT_EQ(ReadFile(dir / "a.dgn"), "A");
    EXPECT_TRUE(ask.sawAll());
}

TEST(DefaultSeed, ThirdLineOfTheSettingsFileOrTheFallback)
{
    TempDir dir;
    EXPECT_EQ(DefaultSeedFile(dir.path().string(), "/fallback.dgn"), "/fallback.dgn");
    WriteFile(dir / "mardex3.ini", "[Mardex]\r\nReportFolder = /tmp/\r\n");
    EXPECT_EQ(DefaultSeedFile(dir.path().string(), "/fallback.dgn"), "/fallback.dgn");
    WriteFile(dir / "mardex3.ini", "[Mardex]\r\nReportFolder = /tmp/\r\nSeedFile =  /site/seed2d.dgn \r\n");
    EXPECT_EQ(DefaultSeedFile(dir.path().string(), "/fallback.dgn"), "/site/seed2d.dgn");
    WriteFile(dir / "mardex3.ini", "[Mardex]\nReportFolder = /tmp/\nSeedFile =\n");
    EXPECT_EQ(DefaultSeedFile(dir.path().string(), "/fallback.dgn"), "/fallback.dgn");
    WriteFile(dir / "mardex3.ini", "[Mardex]\nReportFolder = /tmp/\nOther = /x.dgn\n");
    EXPECT_EQ(DefaultSeedFile(dir.path().string(), "/fallback.dgn"), "/fallback.dgn");
}

} // namespace
} // namespace mardex::test
