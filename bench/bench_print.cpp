// Rendering report pages onto a recording surface: a page is found by
// reading the file from its start, so the last page of a long report costs
// a read of the whole file.
#include "PrintBenchReport.h"

#include "app/Session.h"
#include "render/RecordingSurface.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

using namespace mardex;

class Silent : public Prompter {
public:
    Answer Ask(const MessageBox&) override { return Answer::OK; }
    std::string Input(const std::string&, const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> ChooseFile(const FileDialogRequest&) override { return std::nullopt; }
};

void RenderPage(benchmark::State& state, bool preview)
{
    const long pages = 1000;
    const std::string report = bench::WriteReportOfPages("mardex_bench_print_1000.rpt", pages);
    Silent ask;
    Session s(ask);
    s.report.TotalPages = pages;
    RecordingSurface surface(96, 63, preview);
    PreparePrinter(s, surface);
    for (auto _ : state) {
        s.print.PageToRender = static_cast<int16_t>(state.range(0));
        surface.pages.assign(1, {});
        RenderPage(s, surface, report);
        benchmark::DoNotOptimize(surface.pages.back().texts.size());
    }
    state.SetLabel(std::to_string(std::filesystem::file_size(report) / 1024) + " KiB file");
    std::remove(report.c_str());
}

void BM_PreviewPage(benchmark::State& state) { RenderPage(state, true); }
void BM_PrinterPage(benchmark::State& state) { RenderPage(state, false); }
BENCHMARK(BM_PreviewPage)->Arg(1)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrinterPage)->Arg(1000)->Unit(benchmark::kMillisecond);

// Print All of a 200-page report onto the recording surface: the layout
// alone, without any drawing device.
void BM_PrintAllLayout(benchmark::State& state)
{
    const std::string report = bench::WriteReportOfPages("mardex_bench_print_200.rpt", 200);
    Silent ask;
    Session s(ask);
    s.report.TotalPages = 200;
    for (auto _ : state) {
        RecordingSurface printer;
        PrintAllPages(s, printer, report);
        benchmark::DoNotOptimize(printer.pages.size());
    }
    std::remove(report.c_str());
}
BENCHMARK(BM_PrintAllLayout)->Unit(benchmark::kMillisecond);

} // namespace
