#include "DocumentFixture.h"
#include "app/ForeignDocument.h"
#include "app/TabStrip.h"
#include "app/ImportDocument.h"
#include "app/ExitFlow.h"

#include <gtest/gtest.h>

using namespace mardex;
using namespace mardex::test;

namespace {

std::string LandXml(const std::string& units, const std::string& alignments)
{
    return "<?xml version=\"1.0\"?>\n<LandXML><Units>" + units + "</Units><Project name=\"P-9\"/><Alignments>" +
           alignments + "</Alignments></LandXML>\n";
}

std::string Alignment(const std::string& name)
{
    return "<Alignment name=\"" + name + "\"><CrossSects><CrossSect sta=\"0\" areaCut=\"5\" areaFill=\"1\"/>"
           "<CrossSect sta=\"100\" areaCut=\"6\" areaFill=\"2\"/></CrossSects></Alignment>";
}

TEST(ForeignDocument, OpenMakesAnUntitledDocumentNamedInTheCaption)
{
    Program p;
    const std::string path = p.Path("road.xml");
    WriteFile(path, LandXml("<Metric/>", Alignment("Left") + Alignment("Right")));
    p.Open(path);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_EQ(p.s.doc.SheetCount, 2);
    EXPECT_EQ(TabCaptions(p.s), (std::vector<std::string>{"Left", "Right"}));
    EXPECT_EQ(p.s.doc.UnitSystem, 1);
    EXPECT_EQ(p.s.doc.DescriptionFields[1], "P-9");
    EXPECT_EQ(p.Cell(1, ColStation, 1), "01+00.000");
    EXPECT_EQ(p.Cell(1, ColStation, 2), "-1");
    EXPECT_EQ(p.s.doc.CurrentFileName, "UNTITLED");
    EXPECT_EQ(p.s.form.Caption, "MARDEX :" + path);
    EXPECT_TRUE(p.s.doc.DataChanged);  // Save asks for a name; exit offers to save
}

TEST(ForeignDocument, RefusedFilesChangeNothing)
{
    struct Case {
        std::string name, text, says;
        bool import;
    } cases[] = {
        {"bad.xml", "<LandXML>", "not an XML file", false},
        {"bad.csv", "station,colour\n", "names none of station", false},
        {"metric.xml", LandXml("<Metric/>", Alignment("M")), "the file is metric and the document English", true},
        {"many.xml", LandXml("<Imperial/>", [] {
             std::string all;
             for (int i = 0; i < 26; ++i) all += Alignment("A" + std::to_string(i));
             return all;
         }()), "more than 26 sheets", true},
    };
    for (const Case& c : cases) {
        Program p;
        WriteFile(p.Path("doc.mdx"), Document(Block(1, "Main", "1.00", Row("00+00.000", 3) + Row("01+00.000", 4))));
        p.Open(p.Path("doc.mdx"));
        const std::string path = p.Path(c.name);
        WriteFile(path, c.text);
        p.ask.Then(Picks(path));
        p.ask.Then(Says(""));
        if (c.import) mnuImportFile_Click(p.s);
        else mnuFileOpen_Click(p.s);
        EXPECT_TRUE(p.ask.sawAll()) << c.name;
        EXPECT_NE(p.ask.shown.back().find(path), std::string::npos) << p.ask.shown.back();
        EXPECT_NE(p.ask.shown.back().find(c.says), std::string::npos) << p.ask.shown.back();
        EXPECT_EQ(p.s.doc.SheetCount, 1) << c.name;
        EXPECT_EQ(p.s.doc.CurrentFileName, p.Path("doc.mdx")) << c.name;
        EXPECT_EQ(p.Cell(0, ColCut, 1), "4.00") << c.name;
    }
}

TEST(ForeignDocument, ImportAppendsLandXmlAndCsvSheets)
{
    Program p;
    WriteFile(p.Path("doc.mdx"), Document(Block(1, "Main", "1.00", Row("00+00.000", 3))));
    p.Open(p.Path("doc.mdx"));
    WriteFile(p.Path("ramp.xml"), LandXml("<Imperial/>", Alignment("Ramp")));
    WriteFile(p.Path("side road.csv"), "station,code,cut_area,added_cut,fill_area,added_fill\n50,sa,1,0,0,0\n");
    for (const char* name : {"ramp.xml", "side road.csv"}) {
        // The sheets imported before are a change: each further Import offers to save first.
        if (p.s.doc.DataChanged) p.ask.Then(Asks("", Answer::No));
        p.ask.Then(Picks(p.Path(name)));
        mnuImportFile_Click(p.s);
    }
    // A tab name already taken may be changed, as Import MDX File offers.
    p.ask.Then(Asks("", Answer::No));
    p.ask.Then(Picks(p.Path("ramp.xml")));
    p.ask.Then(Asks(" Just a warning that you are importing same named tab or a group. Do you want to change it?", Answer::Yes));
    p.ask.Then(Types("Print the tab or groupname", "Ramp 2"));
    mnuImportFile_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_EQ(TabCaptions(p.s), (std::vector<std::string>{"Main", "Ramp", "side road", "Ramp 2"}));
    EXPECT_EQ(p.Cell(2, ColCode, 0), "SA");
    EXPECT_EQ(p.Cell(0, ColCut, 0), "3.00");
}

// An Import that added sheets is a change like typing: every command stays
// enabled, the changed mark is set (even where it was clear), and Exit asks.
TEST(ForeignDocument, EveryImportThatAddsSheetsMarksTheDocumentChangedAndKeepsTheCommands)
{
    for (const char* name : {"more.mdx", "ramp.xml", "side road.csv"}) {
        SCOPED_TRACE(name);
        Program p;
        WriteFile(p.Path("doc.mdx"), Document(Block(1, "Main", "1.00", Row("00+00.000", 3))));
        p.Open(p.Path("doc.mdx"));
        WriteFile(p.Path("more.mdx"), Document(Block(1, "More", "1.00", Row("00+00.000", 4))));
        WriteFile(p.Path("ramp.xml"), LandXml("<Imperial/>", Alignment("Ramp")));
        WriteFile(p.Path("side road.csv"), "station,code,cut_area,added_cut,fill_area,added_fill\n50,sa,1,0,0,0\n");
        ASSERT_FALSE(p.s.doc.DataChanged);
        p.ask.Then(Picks(p.Path(name)));
        mnuImportFile_Click(p.s);
        EXPECT_EQ(p.s.doc.SheetCount, 2);
        EXPECT_TRUE(p.s.doc.DataChanged);
        const FormModel& f = p.s.form;
        EXPECT_TRUE(f.mnuFileSaveEnabled && f.mnuFileSaveAsEnabled && f.mnuEditEnabled);
        EXPECT_TRUE(f.Label4Visible && f.txtShrinkFactor.visible);
        p.ask.Then(Asks("WISH TO SAVE FILE BEFORE EXITING ?", Answer::Cancel));
        p.ask.Then(Says(" FILE : " + p.Path("doc.mdx") + " WAS NOT SAVED"));
        EXPECT_EQ(SaveItBeforeExit(p.s), 1);
        EXPECT_TRUE(p.ask.sawAll());
    }
}

} // namespace
