// For random documents built through every reader (sheet document, CSV,
// LandXML, a log's companion): read -> save -> read gives the same sheets,
// and save -> read -> save the same bytes.
#include "app/DocumentWriter.h"
#include "app/ForeignDocument.h"
#include "app/LogReport.h"
#include "document/DocumentFixture.h"
#include "formats/LandXmlReader.h"
#include "formats/SheetCsv.h"

#include <gtest/gtest.h>

#include <random>

namespace mardex::test {
namespace {

struct RandomRow {
    double station;
    std::string code;
    double cut, addedCut, fill, addedFill;
};

class Generator {
public:
    explicit Generator(unsigned seed) : rng_(seed) {}

    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    double Hundredths(int hi) { return Int(0, hi * 100) / 100.0; }
    template <class T> const T& Pick(const std::vector<T>& from) { return from[static_cast<std::size_t>(Int(0, static_cast<int>(from.size()) - 1))]; }

    // A name as users give sheets: letters first, then letters, digits, blanks.
    std::string Name()
    {
        static const std::string letters = "ABCDEFGHKMNPRSTWXYZabcdefgh";
        static const std::string rest = "ABCXYZabcxyz0123456789 -_.";
        std::string name(1, letters[static_cast<std::size_t>(Int(0, static_cast<int>(letters.size()) - 1))]);
        for (int k = Int(0, 12); k > 0; --k) name += rest[static_cast<std::size_t>(Int(0, static_cast<int>(rest.size()) - 1))];
        return name;
    }

    std::vector<RandomRow> Rows(bool withCodes)
    {
        std::vector<RandomRow> rows;
        double station = Int(0, 5000) / 10.0;
        for (int k = Int(0, 30); k > 0; --k) {
            station += Int(1, 40000) / 100.0;
            rows.push_back({station, withCodes ? Pick<std::string>({"-", "-", "-", "SA", "FB"}) : "-", Hundredths(900),
                            withCodes && Int(0, 3) == 0 ? Hundredths(50) : 0, Hundredths(900),
                            withCodes && Int(0, 3) == 0 ? Hundredths(50) : 0});
        }
        return rows;
    }

private:
    std::mt19937 rng_;
};

std::string DocumentRow(const RandomRow& r)
{
    return FormatStation(r.station) + "  " + r.code + "  " + FormatArea(r.cut) + "  " + FormatArea(r.addedCut) + "  " +
           FormatArea(r.fill) + "  " + FormatArea(r.addedFill) + "\r\n";
}

std::string RandomSheetDocument(Generator& g)
{
    std::string blocks;
    const int sheets = g.Int(1, 4);
    for (int n = 1; n <= sheets; ++n) {
        std::string rows;
        for (const RandomRow& r : g.Rows(true)) rows += DocumentRow(r);
        const bool embankment = g.Int(0, 4) == 0;
        blocks += Block(n, g.Name(), g.Pick<std::string>({"1.00", "0.90", "1.25", "0.875"}), rows, embankment ? " 1 " : " 0 ");
    }
    return Document(blocks, g.Int(0, 1) ? "[METRIC]" : "[ENGLISH]");
}

// A CSV as spreadsheets write it: our header or one by meaning, commas, or
// semicolons with decimal commas, stations typed either way.
std::string RandomCsv(Generator& g)
{
    const bool semicolons = g.Int(0, 1);
    const char sep = semicolons ? ';' : ',';
    auto number = [&](double v) {
        std::string text = FormatArea(v);
        if (semicolons) text[text.find('.')] = ',';
        return text;
    };
    std::string csv = g.Int(0, 1) ? std::string(SheetCsvHeader) : "Station,Code,Cut,Added Cut,Fill,Added Fill";
    for (char& c : csv)
        if (c == ',') c = sep;
    csv += "\r\n";
    for (const RandomRow& r : g.Rows(true)) {
        const std::string station = g.Int(0, 1) ? FormatStation(r.station) : number(r.station);
        csv += station + sep + r.code + sep + number(r.cut) + sep + number(r.addedCut) + sep + number(r.fill) + sep +
               number(r.addedFill) + "\r\n";
    }
    return csv;
}

std::string RandomLandXml(Generator& g, bool metric)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\" "
                      "version=\"1.2\">\n<Units>";
    xml += metric ? "<Metric linearUnit=\"meter\" areaUnit=\"squareMeter\" volumeUnit=\"cubicMeter\"/>"
                  : "<Imperial linearUnit=\"foot\" areaUnit=\"squareFoot\" volumeUnit=\"cubicYard\"/>";
    xml += "</Units>\n<Project name=\"" + g.Name() + "\"/>\n<Alignments>\n";
    for (int a = g.Int(1, 3); a > 0; --a) {
        xml += "<Alignment name=\"" + g.Name() + "\" length=\"1\" staStart=\"0\">\n<CrossSects>\n";
        std::vector<RandomRow> rows = g.Rows(false);
        if (rows.empty()) rows.push_back({0, "-", 1, 0, 1, 0});
        for (const RandomRow& r : rows)
            xml += "<CrossSect sta=\"" + GeneralText(r.station) + "\" areaCut=\"" + GeneralText(r.cut) + "\" areaFill=\"" +
                   GeneralText(r.fill) + "\"/>\n";
        xml += "</CrossSects></Alignment>\n";
    }
    return xml + "</Alignments></LandXML>\n";
}

std::string RandomCompanion(Generator& g)
{
    std::vector<CompanionCells> rows;
    for (const RandomRow& r : g.Rows(false))
        rows.push_back({FormatStation(r.station), "-", FormatArea(r.cut), "0.00", FormatArea(r.fill), "0.00"});
    return CompanionDocument(static_cast<int16_t>(g.Int(0, 1)), " " + g.Name() + " ", rows);
}

// The factor may come back in its shortest form ("1.00" -> "1") when its
// sheet is not shown: the same value, compared as such.
void ExpectSameSheets(const Session& a, const Session& b, const std::string& what, bool factorTexts)
{
    ASSERT_EQ(a.doc.SheetCount, b.doc.SheetCount) << what;
    EXPECT_EQ(a.doc.UnitSystem, b.doc.UnitSystem) << what;
    EXPECT_EQ(a.doc.DescriptionFields, b.doc.DescriptionFields) << what;
    for (int i = 0; i < a.doc.SheetCount; ++i) {
        const Sheet& x = a.store[i];
        const Sheet& y = b.store[i];
        EXPECT_EQ(x.TabName, y.TabName) << what << " sheet " << i;
        EXPECT_EQ(x.MeasuredInEmbankment, y.MeasuredInEmbankment) << what << " sheet " << i;
        if (factorTexts) EXPECT_EQ(x.BalanceFactor, y.BalanceFactor) << what << " sheet " << i;
        else EXPECT_EQ(ParseNumber(x.BalanceFactor), ParseNumber(y.BalanceFactor)) << what << " sheet " << i;
        for (int r = 0; r < RowSlots; ++r) {
            for (int c = 0; c < ColumnCount; ++c)
                ASSERT_EQ(x.Cell(c, r), y.Cell(c, r)) << what << " sheet " << i << " row " << r << " column " << c;
            if (x.IsEndMarker(r)) break;
        }
    }
}

// Saves what `first` holds and reads it back: the same sheets. Saving what
// was read, reading and saving again: the same sheets and the same bytes.
void ExpectRoundTrip(Program& first, const std::string& what)
{
    WriteFile(first.Path("saved.mdx"), SheetDocumentText(first.s));
    Program second;
    second.Open(first.Path("saved.mdx"));
    ASSERT_TRUE(second.ask.sawAll()) << what;
    ExpectSameSheets(first.s, second.s, what, false);
    const std::string saved = SheetDocumentText(second.s);
    WriteFile(first.Path("again.mdx"), saved);
    Program third;
    third.Open(first.Path("again.mdx"));
    ASSERT_TRUE(third.ask.sawAll()) << what;
    ExpectSameSheets(second.s, third.s, what, true);
    EXPECT_EQ(SheetDocumentText(third.s), saved) << what;
}

TEST(ImportRoundTrip, EveryReadersDocumentsSaveAndReadBackUnchanged)
{
    Generator g(2912);
    for (int trial = 0; trial < 25; ++trial) {
        {
            Program p;
            WriteFile(p.Path("random.mdx"), RandomSheetDocument(g));
            p.Open(p.Path("random.mdx"));
            ExpectRoundTrip(p, "sheet document " + std::to_string(trial));
        }
        {
            Program p;
            WriteFile(p.Path("random.mdx"), RandomCompanion(g));
            p.Open(p.Path("random.mdx"));
            ExpectRoundTrip(p, "companion " + std::to_string(trial));
        }
        {
            Program p;
            const std::string csv = RandomCsv(g);
            const ImportResult read = ReadSheetCsv(csv, "random.csv", g.Int(0, 1), g.Name());
            ASSERT_TRUE(read) << read.fault.Message() << "\n" << csv;
            ShowForeignDocument(p.s, *read.document, "random.csv");
            ExpectRoundTrip(p, "CSV " + std::to_string(trial) + "\n" + csv);
        }
        {
            Program p;
            const std::string xml = RandomLandXml(g, g.Int(0, 1));
            const LandXmlResult read = ReadLandXml(xml, "random.xml");
            ASSERT_TRUE(read) << read.fault.Message() << "\n" << xml;
            ShowForeignDocument(p.s, *read.document, "random.xml");
            ExpectRoundTrip(p, "LandXML " + std::to_string(trial) + "\n" + xml);
        }
    }
}

} // namespace
} // namespace mardex::test
