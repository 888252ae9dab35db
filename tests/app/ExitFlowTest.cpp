#include "app/ExitFlow.h"
#include "app/Session.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <filesystem>

#include <gtest/gtest.h>

using namespace mardex;
using namespace mardex::test;

namespace {

struct ExitRecorder : WindowHooks {
    int exits = 0;
    void ExitProgram() override { ++exits; }
};

class ExitFlow : public ::testing::Test {
protected:
    ExitFlow() : s(ask) { s.hooks = &hooks; }
    ScriptedPrompter ask;
    ExitRecorder hooks;
    Session s;
};

TEST_F(ExitFlow, UnchangedDataClosesWithoutAQuestion)
{
    EXPECT_EQ(Form_QueryUnload(s, vbFormControlMenu), 0);
    EXPECT_EQ(hooks.exits, 1);
    EXPECT_TRUE(ask.shown.empty());
}

TEST_F(ExitFlow, NoExitsWithoutSaving)
{
    s.doc.DataChanged = true;
    ask.Then(Asks("WISH TO SAVE FILE BEFORE EXITING ?", Answer::No));
    EXPECT_EQ(Form_QueryUnload(s, vbFormControlMenu), 0);
    EXPECT_TRUE(ask.sawAll());
    EXPECT_EQ(ask.boxes[0].buttons, Buttons::YesNoCancel);
    EXPECT_EQ(ask.boxes[0].icon, Icon::Question);
    EXPECT_EQ(hooks.exits, 1);
}

TEST_F(ExitFlow, CancelKeepsTheWindowOpenAndSaysTheFileWasNotSaved)
{
    s.doc.DataChanged = true;
    s.doc.CurrentFileName = "/data/road.mdx";
    ask.Then(Asks("WISH TO SAVE FILE BEFORE EXITING ?", Answer::Cancel));
    ask.Then(Says(" FILE : /data/road.mdx WAS NOT SAVED"));
    EXPECT_EQ(Form_QueryUnload(s, vbAppWindows), 1);
    EXPECT_TRUE(ask.sawAll());
    EXPECT_EQ(hooks.exits, 0);
    EXPECT_TRUE(s.doc.DataChanged);
}

TEST_F(ExitFlow, TheProgramsOwnCloseRequestPassesWithoutAPrompt)
{
    s.doc.DataChanged = true;
    EXPECT_EQ(Form_QueryUnload(s, vbFormCode), 0);
    EXPECT_TRUE(ask.shown.empty());
    EXPECT_EQ(hooks.exits, 0);
}

TEST_F(ExitFlow, YesWithAGeopakLogOpenExitsWithoutSaving)
{
    s.doc.DataChanged = true;
    s.doc.LogMode = true;
    ask.Then(Asks("WISH TO SAVE FILE BEFORE EXITING ?", Answer::Yes));
    EXPECT_EQ(SaveItBeforeExit(s), 0);
    EXPECT_TRUE(ask.sawAll());
    EXPECT_EQ(hooks.exits, 1);
}

TEST_F(ExitFlow, YesWithNoSheetsSaysSoAndExits)
{
    s.doc.DataChanged = true;
    s.doc.SheetCount = 0;
    ask.Then(Asks("WISH TO SAVE FILE BEFORE EXITING ?", Answer::Yes));
    ask.Then(Says("NO DATA IS CHANGED SINCE LAST SAVE EVENT"));
    EXPECT_EQ(SaveItBeforeExit(s), 0);
    EXPECT_TRUE(ask.sawAll());
    EXPECT_EQ(hooks.exits, 1);
}

TEST_F(ExitFlow, YesOnAnUntitledDocumentWhoseDialogIsCancelledKeepsTheWindowOpen)
{
    s.doc.DataChanged = true;
    // The full reset's "Untitled" asks for a name as well.
    s.doc.CurrentFileName = "Untitled";
    s.form.Caption = "MARDEX: Untitled";
    ask.expectedMessages = {"NO FILE IS SELECTED"};  // the dialog's own
    ask.Then(Asks("WISH TO SAVE FILE BEFORE EXITING ?", Answer::Yes));
    ask.Then(Picks(std::nullopt));
    EXPECT_EQ(SaveItBeforeExit(s), 1);
    EXPECT_TRUE(ask.sawAll());
    EXPECT_EQ(ask.dialogs.at(0).mode, FileDialogMode::Save);
    EXPECT_EQ(hooks.exits, 0);
    EXPECT_TRUE(s.doc.DataChanged);
    EXPECT_EQ(s.doc.CurrentFileName, "Untitled");
}

TEST_F(ExitFlow, YesOnANamedDocumentSavesItBeforeExiting)
{
    TempDir dir;
    s.store[0].SetCell(ColStation, 0, "10+00.000");
    s.store[0].SetCell(ColStation, 1, "-1");
    s.doc.DataChanged = true;
    s.doc.CurrentFileName = dir / "road.mdx";
    s.form.Caption = "MARDEX :" + s.doc.CurrentFileName;
    ask.expectedMessages = {" IS SAVED SUCCESSFULLY"};
    ask.Then(Asks("WISH TO SAVE FILE BEFORE EXITING ?", Answer::Yes));
    EXPECT_EQ(SaveItBeforeExit(s), 0);
    EXPECT_TRUE(ask.sawAll());
    EXPECT_TRUE(std::filesystem::exists(dir / "road.mdx"));
    EXPECT_NE(ReadFile(dir / "road.mdx").find("10+00.000"), std::string::npos);
    EXPECT_FALSE(s.doc.DataChanged);
    EXPECT_EQ(hooks.exits, 1);
}

TEST_F(ExitFlow, ExitFromTheMenuIgnoresACancelledExit)
{
    s.doc.DataChanged = true;
    ask.Then(Asks("WISH TO SAVE FILE BEFORE EXITING ?", Answer::Cancel));
    ask.Then(Says(" FILE : UNTITLED WAS NOT SAVED"));
    mnuFileExit_Click(s);
    EXPECT_TRUE(ask.sawAll());
    EXPECT_EQ(hooks.exits, 0);
}

} // namespace
