// Reading the largest LandXML file the program takes: 26 alignments of 1800
// cross sections, areas measured between a ground and a design surface.
// The argument is the number of ground points per section (9: about 15 MB;
// 50: about 65 MB; 80: about 100 MB).
// Then a ground TIN of about a million triangles: building its index,
// sampling 1800 sections along a line, an arc and a clothoid, and a whole
// file of such a TIN with 1800 design sections.
#include "formats/AlignmentGeometry.h"
#include "formats/LandXmlReader.h"
#include "formats/TinSurface.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string LargestFile(int groundPoints)
{
    std::string xml = "<?xml version=\"1.0\"?>\n<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\">"
                      "<Units><Imperial/></Units><Project name=\"Bench\"/><Alignments>\n";
    char buf[64];
    for (int a = 0; a < 26; ++a) {
        xml += "<Alignment name=\"Baseline " + std::to_string(a + 1) + "\"><CrossSects>\n";
        for (int k = 0; k < 1800; ++k) {
            xml += "<CrossSect sta=\"" + std::to_string(k * 25) + "\"><CrossSectSurf name=\"EG\"><PntList2D>";
            for (int p = 0; p < groundPoints; ++p) {
                const double offset = -40 + 80.0 * p / (groundPoints - 1);
                std::snprintf(buf, sizeof buf, "%.4f %.4f ", offset, 100 + 3 * std::sin(k * 0.37 + p));
                xml += buf;
            }
            xml += "</PntList2D></CrossSectSurf><DesignCrossSectSurf name=\"Top\"><PntList2D>"
                   "-26.3390 96.9159 -6.0000 100.4515 6.0000 100.4515 26.3390 96.9159"
                   "</PntList2D></DesignCrossSectSurf></CrossSect>\n";
        }
        xml += "</CrossSects></Alignment>\n";
    }
    return xml + "</Alignments></LandXML>\n";
}

void BM_ReadLargestLandXml(benchmark::State& state)
{
    const std::string file = LargestFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto read = mardex::ReadLandXml(file, "bench.xml");
        if (!read || read.document->sheets.size() != 26) state.SkipWithError("the file was not read");
        benchmark::DoNotOptimize(read.document);
    }
    state.counters["MB"] = static_cast<double>(file.size()) / 1e6;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(file.size()));
}
BENCHMARK(BM_ReadLargestLandXml)->Arg(9)->Arg(50)->Arg(80)->Unit(benchmark::kMillisecond);

// A jittered grid of side x side points, 5 apart, two triangles per cell:
// 708 points a side make 999 698 triangles.
constexpr int Side = 708;
constexpr double Spacing = 5;

double GroundAt(double x, double y) { return 100 + 3 * std::sin(x / 70) + 2 * std::cos(y / 45); }

std::vector<mardex::TinPoint> GridPoints()
{
    std::vector<mardex::TinPoint> points;
    points.reserve(Side * Side);
    for (int j = 0; j < Side; ++j)
        for (int i = 0; i < Side; ++i) {
            const bool inner = i > 0 && j > 0 && i < Side - 1 && j < Side - 1;
            const double x = Spacing * i + (inner ? 1.5 * std::sin(i * 7.0 + j) : 0);
            const double y = Spacing * j + (inner ? 1.5 * std::cos(i * 3.0 - j) : 0);
            points.push_back({x, y, GroundAt(x, y)});
        }
    return points;
}

std::vector<std::uint32_t> GridTriangles()
{
    std::vector<std::uint32_t> triangles;
    triangles.reserve(6u * (Side - 1) * (Side - 1));
    for (std::uint32_t j = 0; j + 1 < Side; ++j)
        for (std::uint32_t i = 0; i + 1 < Side; ++i) {
            const std::uint32_t a = j * Side + i, b = a + 1, c = a + Side, d = c + 1;
            triangles.insert(triangles.end(), {a, b, d, a, d, c});
        }
    return triangles;
}

// A line of 1000, a clothoid of 200 into an arc of radius 600, the arc over one radian.
mardex::AlignmentGeometry Road()
{
    mardex::AlignmentGeometry plan;
    plan.AddLine({300, 300}, {1300, 300});
    plan.AddSpiral({1300, 300}, {1400, 300}, 200, INFINITY, 600, false);
    const auto end = plan.At(plan.Length());
    const mardex::PlanPoint center{end->at.x - end->ahead.y * 600, end->at.y + end->ahead.x * 600};
    const double a0 = std::atan2(end->at.y - center.y, end->at.x - center.x) + 1.0;
    plan.AddCurve(end->at, center, {center.x + 600 * std::cos(a0), center.y + 600 * std::sin(a0)}, false);
    return plan;
}

void BM_TinIndex(benchmark::State& state)
{
    const std::vector<mardex::TinPoint> points = GridPoints();
    const std::vector<std::uint32_t> triangles = GridTriangles();
    for (auto _ : state) {
        mardex::TinSurface tin(points, triangles);
        benchmark::DoNotOptimize(tin.TriangleCount());
    }
    state.counters["triangles"] = static_cast<double>(triangles.size() / 3);
}
BENCHMARK(BM_TinIndex)->Unit(benchmark::kMillisecond);

void BM_TinSample1800Sections(benchmark::State& state)
{
    const mardex::TinSurface tin(GridPoints(), GridTriangles());
    const mardex::AlignmentGeometry plan = Road();
    const double step = plan.Length() / 1800;
    std::size_t samples = 0;
    for (auto _ : state) {
        samples = 0;
        for (int k = 0; k < 1800; ++k) {
            const auto frame = plan.At(k * step);
            const auto line = tin.Along(frame->Offset(-40), frame->Offset(40), -40, 40);
            if (!line) state.SkipWithError("a section left the TIN");
            samples += line ? line->size() : 0;
        }
    }
    state.counters["points per section"] = static_cast<double>(samples) / 1800;
}
BENCHMARK(BM_TinSample1800Sections)->Unit(benchmark::kMillisecond);

// The whole file: the TIN as LandXML points and faces, 1800 sections of a
// design line only, the ground sampled from the TIN.
std::string TinFile()
{
    std::string xml = "<?xml version=\"1.0\"?>\n<LandXML><Units><Metric/></Units><Surfaces><Surface name=\"EG\">"
                      "<Definition surfType=\"TIN\"><Pnts>\n";
    char buf[128];
    const std::vector<mardex::TinPoint> points = GridPoints();
    for (std::size_t k = 0; k < points.size(); ++k) {
        std::snprintf(buf, sizeof buf, "<P id=\"%zu\">%.4f %.4f %.4f</P>\n", k + 1, points[k].y, points[k].x, points[k].z);
        xml += buf;
    }
    xml += "</Pnts><Faces>\n";
    const std::vector<std::uint32_t> triangles = GridTriangles();
    for (std::size_t k = 0; k < triangles.size(); k += 3) {
        std::snprintf(buf, sizeof buf, "<F>%u %u %u</F>\n", triangles[k] + 1, triangles[k + 1] + 1, triangles[k + 2] + 1);
        xml += buf;
    }
    xml += "</Faces></Definition></Surface></Surfaces><Alignments><Alignment name=\"Road\" staStart=\"0\"><CoordGeom>"
           "<Line><Start>300 300</Start><End>300 1300</End></Line></CoordGeom><CrossSects>\n";
    for (int k = 0; k < 1800; ++k) {
        std::snprintf(buf, sizeof buf, "<CrossSect sta=\"%.3f\"><DesignCrossSectSurf name=\"FG\"><PntList2D>", k * 0.55);
        xml += buf;
        xml += "-40 95 -6 101 0 101.1 6 101 40 95</PntList2D></DesignCrossSectSurf></CrossSect>\n";
    }
    return xml + "</CrossSects></Alignment></Alignments></LandXML>\n";
}

void BM_ReadLandXmlWithTin(benchmark::State& state)
{
    const std::string file = TinFile();
    for (auto _ : state) {
        const auto read = mardex::ReadLandXml(file, "tin.xml", mardex::SurfaceChoice{"EG", "FG"});
        if (!read || read.document->sheets[0].rows.size() != 1800) state.SkipWithError(read.fault.Message().c_str());
        benchmark::DoNotOptimize(read.document);
    }
    state.counters["MB"] = static_cast<double>(file.size()) / 1e6;
}
BENCHMARK(BM_ReadLandXmlWithTin)->Unit(benchmark::kMillisecond);

} // namespace
