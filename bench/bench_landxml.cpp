// Reading the largest LandXML file the program takes: 26 alignments of 1800
// cross sections, areas measured between a ground and a design surface.
// The argument is the number of ground points per section (9: about 15 MB;
// 80: about 100 MB).
#include "formats/LandXmlReader.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>

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
BENCHMARK(BM_ReadLargestLandXml)->Arg(9)->Arg(80)->Unit(benchmark::kMillisecond);

} // namespace
