// Print All of a 200-page report into a PDF file through the QPainter surface.
#include "PrintBenchReport.h"

#include "app/Session.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#ifdef MARDEX_WITH_PDF
#include "qtsurface/PdfReport.h"

#include <QGuiApplication>
#endif

namespace {

using namespace mardex;

class Silent : public Prompter {
public:
    Answer Ask(const MessageBox&) override { return Answer::OK; }
    std::string Input(const std::string&, const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> ChooseFile(const FileDialogRequest&) override { return std::nullopt; }
};

void BM_PrintAllToPdf(benchmark::State& state)
{
#ifdef MARDEX_WITH_PDF
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "bench_print_pdf";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    const long pages = state.range(0);
    const std::string report = bench::WriteReportOfPages("mardex_bench_print_pdf.rpt", pages);
    const std::string pdf = (std::filesystem::temp_directory_path() / "mardex_bench_print.pdf").string();
    Silent ask;
    Session s(ask);
    s.report.TotalPages = static_cast<int32_t>(pages);
    int written = 0;
    for (auto _ : state) {
        if (!RenderReportToPdf(s, report, pdf, &written)) state.SkipWithError("PDF not written");
    }
    state.SetLabel(std::to_string(written) + " pages, " + std::to_string(std::filesystem::file_size(pdf) / 1024) + " KiB PDF");
    std::remove(report.c_str());
    std::remove(pdf.c_str());
#else
    state.SkipWithError("built without Qt");
    for (auto _ : state) {
    }
#endif
}
BENCHMARK(BM_PrintAllToPdf)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
