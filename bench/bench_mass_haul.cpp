// The haul table and the mass-haul diagram of an 1800-row sheet: with many
// loops (a wavy curve, forced balances, equations and skips) and with one
// loop spanning the whole sheet (the free-haul search's longest walk).
#include "compute/HaulTable.h"
#include "render/MassHaulDiagram.h"
#include "render/RecordingSurface.h"
#include "text/NumberText.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#ifdef MARDEX_WITH_PDF
#include "qtsurface/MassHaulExport.h"

#include <QGuiApplication>
#endif

namespace {

using namespace mardex;

MassSheet Sheet1800(bool oneLoop)
{
    MassSheet sheet;
    sheet.tabName = "Baseline 1";
    double ordinate = 0;
    for (int i = 0; i < 1800; ++i) {
        MassRow r;
        r.station = 1000 + i * 25.0;
        r.stationText = FormatStation(r.station);
        const double wave = oneLoop ? 40000 * std::sin(i * M_PI / 1799) : 3000 * std::sin(i / 23.0);
        const double bumps = 150 * std::sin(i * 1.7);
        const double next = std::round(wave + bumps * (oneLoop ? 1 : 0.3));
        if (!oneLoop && i % 300 == 299) {
            r.forcedBalance = true;
            r.cutVolume = std::max(0.0, next - ordinate);
            r.adjustedFill = std::max(0.0, ordinate - next);
            r.ordinate = 0;
        } else {
            r.ordinate = next;
        }
        r.skipOpens = !oneLoop && i % 400 == 100;
        r.skipCloses = !oneLoop && i % 400 == 110;
        ordinate = r.ordinate;
        sheet.rows.push_back(r);
    }
    return sheet;
}

HaulOptions Options()
{
    HaulOptions o;
    o.freeHaul = 300;
    o.price = 2.5;
    return o;
}

void BM_HaulTable(benchmark::State& state)
{
    const MassSheet sheet = Sheet1800(state.range(0) == 1);
    for (auto _ : state) {
        const HaulAnalysis h = AnalyseHaul(sheet.rows, Options());
        benchmark::DoNotOptimize(HaulTableText(h));
    }
}
BENCHMARK(BM_HaulTable)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_MassHaulDiagram(benchmark::State& state)
{
    const MassSheet sheet = Sheet1800(state.range(0) == 1);
    const HaulAnalysis h = AnalyseHaul(sheet.rows, Options());
    for (auto _ : state) {
        RecordingSurface page(126, 48);
        DrawMassHaulDiagram(page, sheet, h);
        benchmark::DoNotOptimize(page.pages.back().lines.size());
    }
}
BENCHMARK(BM_MassHaulDiagram)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same diagram painted into a PDF file (and an SVG) through Qt.
void BM_MassHaulFile(benchmark::State& state, const char* extension)
{
#ifdef MARDEX_WITH_PDF
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "bench_mass_haul";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    const MassSheet sheet = Sheet1800(false);
    const HaulAnalysis h = AnalyseHaul(sheet.rows, Options());
    const std::string path = (std::filesystem::temp_directory_path() / (std::string("mardex_bench_mass_haul.") + extension)).string();
    std::string error;
    for (auto _ : state)
        if (!WriteMassHaulFile(sheet, h, path, error)) state.SkipWithError(error.c_str());
    std::remove(path.c_str());
#else
    (void)extension;
    state.SkipWithError("built without Qt");
    for (auto _ : state) {
    }
#endif
}
BENCHMARK_CAPTURE(BM_MassHaulFile, pdf, "pdf")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MassHaulFile, svg, "svg")->Unit(benchmark::kMillisecond);

} // namespace
