#include "formats/LandXmlReader.h"

#include <gtest/gtest.h>

#include "text/NumberText.h"

#include <string>
#include <vector>

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

// A section at station 0 with the given attributes and surfaces ("name:points" each).
std::string SectionOf(const std::string& attributes, const std::vector<std::string>& surfaces)
{
    std::string xml = "<CrossSect sta=\"0\"" + attributes + ">";
    for (const std::string& s : surfaces) {
        const auto colon = s.find(':');
        xml += "<CrossSectSurf name=\"" + s.substr(0, colon) + "\"><PntList2D>" + s.substr(colon + 1) +
               "</PntList2D></CrossSectSurf>";
    }
    return xml + "</CrossSect>\n";
}

TEST(ReadLandXml, SurfacePiecesGivenAreasAndSectionsLeftOut)
{
    // Ground 2 over [-10, 10]; the design at 0, whole or in pieces. Every
    // file has a second, whole section so that something is read.
    const std::string ground = "EG:-10 2 10 2";
    // A pavement layer named like the design line, as a closed shape.
    const std::string closedShape = "<CrossSect sta=\"0\"><CrossSectSurf name=\"FG\" closedArea=\"true\"><PntList2D>"
                                    "-1 5 1 5 1 9 -1 5</PntList2D></CrossSectSurf>" +
                                    SectionOf("", {ground, "FG:-5 0 5 0"}).substr(std::string("<CrossSect sta=\"0\">").size());
    struct Case {
        const char* what;
        std::string section;
        double cut, fill;
        std::string skipped;  // empty: read
    } cases[] = {
        {"pieces, the left one outward", SectionOf("", {ground, "FG:0 0 -5 0", "FG:0 0 5 0"}), 20, 0, ""},
        {"a shared point rounded apart", SectionOf("", {ground, "FG:-5 0 0 0", "FG:0 0.0000004 5 0"}), 20, 0, ""},
        {"pieces with a gap between", SectionOf("", {ground, "FG:-5 0 -1 0", "FG:1 0 5 0"}), 20, 0, ""},
        {"a closed shape is no line", closedShape, 20, 0, ""},
        {"a vertical face between pieces", SectionOf("", {ground, "FG:-5 0 0 0", "FG:0 1 5 0"}), 0, 0, "vertical face at offset 0"},
        {"a piece back and forth", SectionOf("", {ground, "FG:-5 0 5 0 0 0"}), 0, 0, "back and forth"},
        {"a design of one point", SectionOf("", {ground, "FG:0 0"}), 0, 0, "fewer than two points"},
        {"lines that do not overlap", SectionOf("", {"EG:-10 2 -6 2", "FG:-5 0 5 0"}), 0, 0, "do not overlap"},
        {"no design line", SectionOf("", {ground, "Top:-5 0 5 0"}), 0, 0, "no surface \"FG\""},
        {"a lone cut area, fill measured", SectionOf(" areaCut=\"7\"", {"EG:-10 -1 10 -1", "FG:-5 0 5 0"}), 7, 10, ""},
        {"a lone fill area without lines", SectionOf(" areaFill=\"3\"", {}), 0, 3, ""},
    };
    for (const Case& c : cases) {
        const std::string file = LandXml(Alignment("Main", c.section + Surfaced(100, 2, "EG", "FG")));
        const auto read = ReadLandXml(file, "p.xml", SurfaceChoice{"EG", "FG"});
        ASSERT_TRUE(read) << c.what << ": " << read.fault.Message();
        const ImportedSheet& sheet = read.document->sheets.at(0);
        if (!c.skipped.empty()) {
            ASSERT_EQ(read.skipped.size(), 1u) << c.what;
            EXPECT_NE(read.skipped[0].find("alignment \"Main\", station 00+00.000: "), std::string::npos) << read.skipped[0];
            EXPECT_NE(read.skipped[0].find(c.skipped), std::string::npos) << read.skipped[0];
            EXPECT_EQ(sheet.rows.size(), 1u) << c.what;
            continue;
        }
        EXPECT_TRUE(read.skipped.empty()) << c.what << ": " << read.skipped.at(0);
        ASSERT_EQ(sheet.rows.size(), 2u) << c.what;
        EXPECT_EQ(sheet.rows[0][2], FormatArea(c.cut)) << c.what;
        EXPECT_EQ(sheet.rows[0][4], FormatArea(c.fill)) << c.what;
    }
}

TEST(ReadLandXml, NamesAreReadableDistinctAndSafeInADocument)
{
    const std::string sections = Given(0, "1", "1");
    const std::string file = "<?xml version=\"1.0\"?>\n<LandXML><Units><Metric/></Units>"
                             "<Project name=\"[END AREA 1 HIJACK]&#13;&#10;x\"/><Alignments>" +
                             Alignment("\xCE\xA9\xCE\xBC", sections) + Alignment("\xCE\x94\xCE\xB4", sections) +
                             Alignment("Ramp&#10;[LAST RECORD]", sections) + Alignment("Caf\xC3\xA9", sections) +
                             Alignment("Caf\xC3\xA9", sections) + "</Alignments></LandXML>\n";
    const auto read = ReadLandXml(file, "n.xml");
    ASSERT_TRUE(read) << read.fault.Message();
    EXPECT_EQ(read.document->projectName, "(END AREA 1 HIJACK)  x");
    std::vector<std::string> tabs;
    for (const ImportedSheet& sheet : read.document->sheets) tabs.push_back(sheet.tabName);
    EXPECT_EQ(tabs, (std::vector<std::string>{"??", "?? (2)", "Ramp (LAST RECORD)", "Caf\xE9", "Caf\xE9 (2)"}));
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

    // Sections numbered as the designer reads them past an equation that
    // steps back: the step is the equation's, not a decreasing order.
    const auto back = ReadLandXml(LandXml(Alignment("B", Given(100, "1", "0") + Given(180, "2", "0") + Given(120, "4", "0"),
                                                    "<StaEquation staBack=\"200\" staAhead=\"100\"/>")),
                                  "b.xml");
    ASSERT_TRUE(back) << back.fault.Message();
    EXPECT_EQ(Column(back.document->sheets[0], 0),
              (std::vector<std::string>{"01+00.000", "01+80.000", "02+00.000", "01+00.000", "01+20.000"}));
    EXPECT_EQ(Column(back.document->sheets[0], 2), (std::vector<std::string>{"1.00", "2.00", "3.00", "3.00", "4.00"}));
}

TEST(ReadLandXml, RefusalsNameTheFileAndLine)
{
    std::string many;
    for (int i = 0; i < 1801; ++i) many += Given(i, "1", "1");
    std::string alignments;
    for (int i = 0; i < 27; ++i) alignments += Alignment("A" + std::to_string(i), Given(0, "1", "1"));
    const std::string oneSurface = "<CrossSect sta=\"5\"><CrossSectSurf name=\"EG\"><PntList2D>0 1 9 1</PntList2D>"
                                   "</CrossSectSurf></CrossSect>\n";
    const std::string odd = "<CrossSect sta=\"0\"><CrossSectSurf name=\"EG\"><PntList2D>0 1 5</PntList2D>"
                            "</CrossSectSurf><CrossSectSurf name=\"FG\"><PntList2D>0 0 9 0</PntList2D></CrossSectSurf></CrossSect>\n";
    auto point = [](const std::string& value) {
        return "<CrossSect sta=\"0\"><CrossSectSurf name=\"EG\"><PntList2D>0 1 " + value +
               " 1</PntList2D></CrossSectSurf><CrossSectSurf name=\"FG\"><PntList2D>0 0 9 0</PntList2D></CrossSectSurf></CrossSect>\n";
    };
    const std::string twoEquations = "<StaEquation staInternal=\"50\" staBack=\"50\" staAhead=\"60\"/>"
                                     "<StaEquation staInternal=\"50\" staBack=\"50\" staAhead=\"70\"/>";
    const std::string noDesign = "<CrossSect sta=\"5\"><CrossSectSurf name=\"EG\"><PntList2D>0 1 9 1</PntList2D>"
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
        {LandXml(Alignment("A", odd)), 7, "an offset and an elevation"},
        {LandXml(Alignment("A", point("1e300"))), 7, "the point value \"1e300\" is out of range"},
        {LandXml(Alignment("A", point("-inf"))), 7, "the point value \"-inf\" is not a number"},
        {LandXml(Alignment("A", point("nan"))), 7, "the point value \"nan\" is not a number"},
        {LandXml(Alignment("A", Given(0, "1", "NaN"))), 7, "the fill area \"NaN\" is not a number"},
        {LandXml(Alignment("A", Given(0, "-50", "1"))), 7, "a negative area"},
        {LandXml(Alignment("A", Given(0, "1", "1") + Given(100, "1", "1"), twoEquations)), 6, "two station equations"},
        {LandXml(Alignment("Main", Given(200, "1", "1") + Given(100, "1", "1"))), 8,
         "stations decrease in alignment \"Main\": 02+00.000 then 01+00.000"},
        {LandXml(Alignment("A", noDesign)), 2, "no usable cross section; alignment \"A\", station 00+05.000"},
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
