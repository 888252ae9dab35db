#include "formats/LandXmlReader.h"

#include <gtest/gtest.h>

#include <string>

using namespace mardex;

namespace {

// A LandXML file around `alignments`, in the LandXML namespace.
std::string LandXml(const std::string& alignments, const std::string& units = "<Imperial linearUnit=\"foot\"/>")
{
    return "<?xml version=\"1.0\"?>\n<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\" version=\"1.2\">\n"
           "<Units>" + units + "</Units>\n<Project name=\"P-7\"/>\n<Alignments>\n" + alignments +
           "</Alignments>\n</LandXML>\n";
}

std::string Alignment(const std::string& name, const std::string& sections, const std::string& extra = "")
{
    return "<Alignment name=\"" + name + "\">" + extra + "<CrossSects>\n" + sections + "</CrossSects></Alignment>\n";
}

std::string Given(double sta, const std::string& cut, const std::string& fill)
{
    return "<CrossSect sta=\"" + std::to_string(sta) + "\" areaCut=\"" + cut + "\" areaFill=\"" + fill + "\"/>\n";
}

// Ground at `height` over [-10, 10], design at 0 over [-5, 5], as point lists.
std::string Surfaced(double sta, double height, const char* ground = "EG", const char* design = "FG")
{
    const std::string h = std::to_string(height);
    return "<CrossSect sta=\"" + std::to_string(sta) + "\"><CrossSectSurf name=\"" + ground +
           "\"><PntList2D>-10 " + h + " 10 " + h + "</PntList2D></CrossSectSurf><DesignCrossSectSurf name=\"" +
           design + "\"><CrossSectPnt>-5 0</CrossSectPnt><CrossSectPnt>5 0</CrossSectPnt></DesignCrossSectSurf></CrossSect>\n";
}

std::vector<std::string> Column(const ImportedSheet& sheet, int column)
{
    std::vector<std::string> out;
    for (const ImportedRow& row : sheet.rows) out.push_back(row[column]);
    return out;
}

TEST(ReadLandXml, GivenAreasMakeRowsAsTheStoreKeepsThem)
{
    const auto read = ReadLandXml(LandXml(Alignment("Main", Given(1234.5, "12.345", "0.5") + Given(1300, "1", "2"))), "a.xml");
    ASSERT_TRUE(read) << read.fault.Message();
    EXPECT_EQ(read.document->unitSystem, 0);
    EXPECT_EQ(read.document->projectName, "P-7");
    ASSERT_EQ(read.document->sheets.size(), 1u);
    EXPECT_EQ(read.document->sheets[0].tabName, "Main");
    EXPECT_EQ(read.document->sheets[0].rows[0], (ImportedRow{"12+34.500", "-", "12.35", "0.00", "0.50", "0.00"}));
}

TEST(ReadLandXml, UnitsNamespacesAndTabNames)
{
    const std::string sections = Given(0, "1", "1");
    struct Case {
        std::string text;
        int unit;
        std::string tab;
    } cases[] = {
        {LandXml(Alignment("A", sections), "<Metric linearUnit=\"meter\"/>"), 1, "A"},
        {LandXml(Alignment("A", sections), "<Imperial linearUnit=\"USSurveyFoot\"/>"), 0, "A"},
        {LandXml(Alignment("SR-22 Mainline Northbound 1", sections)), 0, "SR-22 Mainline North"},
        {"<LandXML><Units><Metric/></Units><Alignments>" + Alignment("Bare", sections) + "</Alignments></LandXML>", 1, "Bare"},
        {"<lx:LandXML xmlns:lx=\"urn:x\"><lx:Units><lx:Imperial/></lx:Units><lx:Alignments><lx:Alignment name=\"P\">"
         "<lx:CrossSects><lx:CrossSect sta=\"0\" areaCut=\"1\" areaFill=\"1\"/></lx:CrossSects></lx:Alignment>"
         "</lx:Alignments></lx:LandXML>", 0, "P"},
    };
    for (const Case& c : cases) {
        const auto read = ReadLandXml(c.text, "u.xml");
        ASSERT_TRUE(read) << read.fault.Message();
        EXPECT_EQ(read.document->unitSystem, c.unit) << c.tab;
        EXPECT_EQ(read.document->sheets.at(0).tabName, c.tab);
    }
}

TEST(ReadLandXml, AlignmentsWithoutSectionsAreSkipped)
{
    const auto read = ReadLandXml(LandXml("<Alignment name=\"Empty\"/>\n" + Alignment("Full", Given(0, "1", "1"))), "s.xml");
    ASSERT_TRUE(read);
    ASSERT_EQ(read.document->sheets.size(), 1u);
    EXPECT_EQ(read.document->sheets[0].tabName, "Full");
}

TEST(ReadLandXml, AreasFromSurfacesBothPointStylesAndGivenAreasWin)
{
    // Ground 2 over the design's [-5, 5]: cut 20. The second section gives
    // its areas and carries surfaces too: the given ones count.
    std::string second = Surfaced(100, 2);
    second.insert(second.find('>'), " areaCut=\"7\" areaFill=\"8\"");
    const auto read = ReadLandXml(LandXml(Alignment("S", Surfaced(0, 2) + second + Surfaced(200, -1))), "s.xml");
    ASSERT_TRUE(read) << read.fault.Message();
    const ImportedSheet& sheet = read.document->sheets[0];
    EXPECT_EQ(Column(sheet, 2), (std::vector<std::string>{"20.00", "7.00", "0.00"}));
    EXPECT_EQ(Column(sheet, 4), (std::vector<std::string>{"0.00", "8.00", "10.00"}));
}

TEST(ReadLandXml, SurfacesNamedByTheUserOrByTheirNames)
{
    // Three surfaces: the names cannot decide, the user's choice does.
    const std::string three = "<CrossSect sta=\"0\"><CrossSectSurf name=\"Top\"><PntList2D>0 1 10 1</PntList2D>"
                              "</CrossSectSurf><CrossSectSurf name=\"Datum\"><PntList2D>0 0 10 0</PntList2D>"
                              "</CrossSectSurf><CrossSectSurf name=\"Old\"><PntList2D>0 5 10 5</PntList2D>"
                              "</CrossSectSurf></CrossSect>\n";
    const std::string file = LandXml(Alignment("T", three));
    const auto undecided = ReadLandXml(file, "t.xml");
    ASSERT_FALSE(undecided);
    EXPECT_EQ(undecided.surfaceNames, (std::vector<std::string>{"Top", "Datum", "Old"}));
    const auto chosen = ReadLandXml(file, "t.xml", SurfaceChoice{"Old", "Top"});
    ASSERT_TRUE(chosen) << chosen.fault.Message();
    EXPECT_EQ(chosen.document->sheets[0].rows[0][2], "40.00");

    struct Case {
        std::vector<std::string> names;
        std::string ground;  // empty: no decision
    } cases[] = {
        {{"Existing Ground", "Datum"}, "Existing Ground"}, {{"FG", "og"}, "og"},   {{"Top", "EG"}, "EG"},
        {{"ground", "EXISTING"}, ""},                      {{"Top", "Datum"}, ""}, {{"EG", "FG", "X"}, ""},
        {{"eg "}, ""},
    };
    for (const Case& c : cases) {
        SurfaceChoice choice;
        const bool decided = ChooseSurfacesByName(c.names, choice);
        EXPECT_EQ(decided, !c.ground.empty()) << c.names[0];
        EXPECT_EQ(choice.ground, c.ground) << c.names[0];
    }
}

TEST(ReadLandXml, StationEquationsRenumberAndAddBackAndAheadRows)
{
    const std::string sections = Given(100, "10", "0") + Given(200, "30", "4") + Given(300, "5", "5") + Given(400, "1", "1");
    const std::string equations = "<StaEquation staInternal=\"150\" staBack=\"150\" staAhead=\"1000\"/>"
                                  "<StaEquation staInternal=\"300\" staBack=\"1150\" staAhead=\"2000\"/>";
    const auto read = ReadLandXml(LandXml(Alignment("E", sections, equations)), "e.xml");
    ASSERT_TRUE(read) << read.fault.Message();
    const ImportedSheet& sheet = read.document->sheets[0];
    EXPECT_EQ(Column(sheet, 0), (std::vector<std::string>{"01+00.000", "01+50.000", "10+00.000", "10+50.000",
                                                          "11+50.000", "20+00.000", "21+00.000"}));
    EXPECT_EQ(Column(sheet, 1), (std::vector<std::string>{"-", "BK", "AH", "-", "BK", "AH", "-"}));
    // Halfway between 10 and 30 (and 0 and 4); on a section, its own areas.
    EXPECT_EQ(Column(sheet, 2), (std::vector<std::string>{"10.00", "20.00", "20.00", "30.00", "5.00", "5.00", "1.00"}));
    EXPECT_EQ(Column(sheet, 4), (std::vector<std::string>{"0.00", "2.00", "2.00", "4.00", "5.00", "5.00", "1.00"}));
}

TEST(ReadLandXml, RefusalsNameTheFileAndLine)
{
    std::string many;
    for (int i = 0; i < 1801; ++i) many += Given(i, "1", "1");
    std::string alignments;
    for (int i = 0; i < 27; ++i) alignments += Alignment("A" + std::to_string(i), Given(0, "1", "1"));
    const std::string oneSurface = "<CrossSect sta=\"5\"><CrossSectSurf name=\"EG\"><PntList2D>0 1 9 1</PntList2D>"
                                   "</CrossSectSurf></CrossSect>\n";
    const std::string missing = Surfaced(0, 1) + "<CrossSect sta=\"5\"><CrossSectSurf name=\"EG\"/></CrossSect>\n";
    const std::string backwards = "<CrossSect sta=\"0\"><CrossSectSurf name=\"EG\"><PntList2D>5 1 0 1</PntList2D>"
                                  "</CrossSectSurf><CrossSectSurf name=\"FG\"/></CrossSect>\n";
    const std::string odd = "<CrossSect sta=\"0\"><CrossSectSurf name=\"EG\"><PntList2D>0 1 5</PntList2D>"
                            "</CrossSectSurf><CrossSectSurf name=\"FG\"/></CrossSect>\n";
    struct Case {
        std::string text;
        long line;
        std::string says;
    } cases[] = {
        {"this is not xml <LandXML>", 1, "not an XML file"},
        {"<?xml version=\"1.0\"?>\n<Other/>", 2, "not a LandXML file"},
        {LandXml("<Alignment name=\"A\"/>"), 2, "no cross sections"},
        {LandXml(Alignment("A", Given(0, "lots", "1"))), 7, "the cut area \"lots\" is not a number"},
        {LandXml(Alignment("A", "\n<CrossSect sta=\"12+00\" areaCut=\"1\" areaFill=\"1\"/>")), 8, "the station \"12+00\""},
        {LandXml(Alignment("A", Surfaced(0, 1, "Top", "Datum"))), 0, "(surfaces: \"Top\", \"Datum\")"},
        {LandXml(Alignment("A", oneSurface)), 0, "cannot be told apart"},
        {LandXml(Alignment("A", missing)), 8, "neither areas nor the design surface \"FG\""},
        {LandXml(Alignment("A", backwards)), 7, "go back"},
        {LandXml(Alignment("A", odd)), 7, "an offset and an elevation"},
        {LandXml(Alignment("Long", many)), 6, "more than 1800 rows"},
        {LandXml(alignments), 84, "more than 26 alignments"},
        {"<LandXML><Alignments>" + Alignment("A", Given(0, "1", "1")) + "</Alignments></LandXML>", 1, "no Imperial or Metric units"},
        {LandXml(Alignment("A", Given(0, "1", "1"), "<StaEquation staBack=\"x\" staAhead=\"1\"/>")), 6, "back station"},
    };
    for (const Case& c : cases) {
        const auto read = ReadLandXml(c.text, "/data/road.xml");
        ASSERT_FALSE(read) << c.says;
        EXPECT_EQ(read.fault.file, "/data/road.xml");
        EXPECT_EQ(read.fault.line, c.line) << c.says << ": " << read.fault.Message();
        EXPECT_NE(read.fault.Message().find(c.says), std::string::npos) << read.fault.Message();
    }
}

TEST(ReadLandXml, DocumentTypeDeclarationsAreRefusedNeverExpanded)
{
    std::string laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE LandXML [\n<!ENTITY lol \"lol\">\n";
    laughs += "<!ENTITY lol1 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">\n";
    for (int i = 2; i <= 9; ++i)
        laughs += "<!ENTITY lol" + std::to_string(i) + " \"" + [&] {
            std::string refs;
            for (int k = 0; k < 10; ++k) refs += "&lol" + std::to_string(i - 1) + ";";
            return refs;
        }() + "\">\n";
    laughs += "]>\n" + LandXml(Alignment("&lol9;", Given(0, "1", "1"))).substr(22);
    const std::string external = "<?xml version=\"1.0\"?>\n<!DOCTYPE LandXML [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>\n" +
                                 LandXml(Alignment("&x;", Given(0, "1", "1"))).substr(22);
    for (const std::string& text : {laughs, external}) {
        const auto read = ReadLandXml(text, "bomb.xml");
        ASSERT_FALSE(read);
        EXPECT_EQ(read.fault.line, 2);
        EXPECT_NE(read.fault.what.find("DOCTYPE"), std::string::npos) << read.fault.what;
    }
}

} // namespace
