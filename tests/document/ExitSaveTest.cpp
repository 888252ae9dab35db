// "Yes" at the exit question saves through the File commands' save loop.
#include "DocumentFixture.h"

#include "app/ExitFlow.h"
#include "app/HeaderFields.h"
#include "app/DocumentWriter.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace mardex::test {
namespace {

struct CountingHooks : WindowHooks {
    int exits = 0;
    void ExitProgram() override { ++exits; }
};

struct ChangedAtExit : ::testing::Test {
    Program p;
    CountingHooks hooks;

    void SetUp() override
    {
        p.s.hooks = &hooks;
        p.s.store[0].SetCell(ColStation, 0, "00+00.000");
        p.s.store[0].SetCell(ColStation, 1, "-1");
        SetDescriText(p.s, 0, "typed");
        ASSERT_TRUE(p.s.doc.DataChanged);
    }
};

TEST_F(ChangedAtExit, YesOnAnUntitledDocumentAsksForANameSavesAndExits)
{
    const std::string path = p.Path("exit.mdx");
    p.ask.Then(Asks("WISH TO SAVE FILE BEFORE EXITING ?", Answer::Yes));
    p.ask.Then(Picks(path));
    p.ask.Then(Says(" FILE : " + path + " IS SAVED SUCCESSFULLY"));
    EXPECT_EQ(SaveItBeforeExit(p.s), 0);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_EQ(ReadFile(path), SheetDocumentText(p.s));
    EXPECT_EQ(hooks.exits, 1);
}

TEST_F(ChangedAtExit, YesWithCancelledDialogKeepsTheWindowAndWritesNothing)
{
    p.ask.Then(Asks("WISH TO SAVE FILE BEFORE EXITING ?", Answer::Yes));
    p.ask.Then(Picks(std::nullopt));
    p.ask.Then(Says("NO FILE IS SELECTED"));
    EXPECT_EQ(SaveItBeforeExit(p.s), 1);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_EQ(hooks.exits, 0);
    EXPECT_TRUE(p.s.doc.DataChanged);
}

TEST_F(ChangedAtExit, YesWithAFailingWriteKeepsTheWindowAndTheOldFile)
{
    const std::string path = p.Path("named.mdx");
    WriteFile(path, "previous");
    p.s.doc.CurrentFileName = path;
    p.s.form.Caption = "MARDEX :" + path;
    const FileWriter failing{10};
    p.s.writer = &failing;
    p.ask.Then(Asks("WISH TO SAVE FILE BEFORE EXITING ?", Answer::Yes));
    p.ask.Then(Asks(" OVERWRITE EXISTING FILE " + path + " ?", Answer::Yes));
    p.ask.Then(Says(""));
    EXPECT_EQ(SaveItBeforeExit(p.s), 1);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_NE(p.ask.shown.back().find("cannot write " + path), std::string::npos);
    EXPECT_EQ(ReadFile(path), "previous");
    EXPECT_EQ(hooks.exits, 0);
    EXPECT_TRUE(p.s.doc.DataChanged);
}

} // namespace
} // namespace mardex::test
