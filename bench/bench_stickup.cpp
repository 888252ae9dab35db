// Stick-up sheets of a document of 26 full sheets (26 x 1800 rows): the
// layout alone, the drawing into a DGN file through GDAL, and the whole
// button run (combined report, seed copy, drawing).
#include "app/Session.h"
#include "app/CombinedReport.h"
#include "app/ReportFile.h"
#include "text/NumberText.h"
#include "app/DesignFileDialogs.h"
#include "app/GenerateStickupSheets.h"
#include "support/TempDir.h"

#ifdef MARDEX_WITH_GDAL
#include "gdalhost/DgnFile.h"
#include "gdalhost/GdalDesignHost.h"
#endif

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

namespace {

using namespace mardex;

// Counts what is drawn and keeps nothing, so the layout is measured alone.
class CountingHost : public DesignHost {
public:
    long texts = 0, borders = 0;
    void Start() override {}
    void OpenDesignFile(const std::string&) override {}
    bool IsActiveModelReadOnly() override { return false; }
    bool IsConfigurationVariableDefined(const std::string&) override { return false; }
    std::string ExpandConfigurationVariable(const std::string&) override { return {}; }
    std::string ActiveDesignFileFolder() override { return "/nonexistent"; }
    DesignPoint CurrentPoint() override { return {}; }
    double CurrentRotation() override { return 0; }
    std::optional<DesignLevel> FindLevel(const std::string& n) override { return DesignLevel{1, n}; }
    std::optional<DesignLevel> ActiveLevel() override { return std::nullopt; }
    std::optional<std::string> FindLineStyle(const std::string& n) override { return n; }
    std::optional<std::string> ActiveLineStyle() override { return std::nullopt; }
    std::optional<DesignFont> FindFont(int, const std::string&) override { return std::nullopt; }
    void AttachReference(const ReferenceAttachment&) override { ++borders; }
    void AddElement(const TextElement& e) override { texts += static_cast<long>(e.text.size() > 0); }
    void FinishAndSave() override {}
    void Release() override {}
};

// Answers every box with its first button and shows nothing.
struct SilentPrompter : Prompter {
    Answer Ask(const MessageBox& box) override { return box.buttons == Buttons::YesNo ? Answer::Yes : Answer::OK; }
    std::string Input(const std::string&, const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> ChooseFile(const FileDialogRequest&) override { return std::nullopt; }
};

struct Document {
    test::TempDir dir;
    SilentPrompter ask;
    Session s{ask};
    std::string report;
    std::string design = dir / "12340ew.dgn";

    Document()
    {
        s.doc.CurrentFileName = dir / "road1.mdx";
        s.doc.ReportFolder = dir.path().string() + "/";
        s.doc.SheetCount = MaxSheets;
        s.form.Caption = "MARDEX :" + s.doc.CurrentFileName;
        s.ProgramFolder = MARDEX_BIN_DIR;
        std::mt19937 rng(5);
        std::uniform_real_distribution<double> area(0, 150);
        for (int i = 0; i < MaxSheets; ++i) {
            Sheet& sheet = s.store[i];
            sheet.TabName = "BL" + std::to_string(i + 1);
            double station = 1000;
            for (int r = 0; r < MaxDataRows; ++r) {
                station += 50;
                const bool cutting = (r / 40) % 2 == 0;
                const double a = area(rng);
                sheet.SetCell(ColStation, r, FormatStation(station));
                sheet.SetCell(ColCode, r, "-");
                sheet.SetCell(ColCut, r, FormatArea(cutting ? a : 0));
                sheet.SetCell(ColAddedCut, r, "0.00");
                sheet.SetCell(ColFill, r, FormatArea(cutting ? 0 : a));
                sheet.SetCell(ColAddedFill, r, "0.00");
            }
            sheet.SetCell(ColStation, MaxDataRows, "-1");
        }
        if (!BuildCombinedReport(s, SheetFault::FailRun, WindowReport)) return;
        std::string error;
        report = ReportPathOf(s, WindowReport, error).value_or("");
    }
};

void BM_StickupLayout26x1800(benchmark::State& state)
{
    Document d;
    test::WriteFile(d.design, "design");
    if (d.report.empty()) state.SkipWithError("no combined report");
    long sheets = 0;
    for (auto _ : state) {
        CountingHost host;
        const auto r = GenerateStickupSheets(d.s, host, d.design, d.report);
        if (!r.completed) state.SkipWithError("not drawn");
        sheets = r.sheets;
    }
    state.counters["sheets"] = static_cast<double>(sheets);
    state.SetItemsProcessed(state.iterations() * MaxSheets * MaxDataRows);
}
BENCHMARK(BM_StickupLayout26x1800)->Unit(benchmark::kMillisecond);

#ifdef MARDEX_WITH_GDAL
void BM_StickupGdal26x1800(benchmark::State& state)
{
    Document d;
    if (d.report.empty()) state.SkipWithError("no combined report");
    const std::string seed = dgn::GdalSeedFile();
    for (auto _ : state) {
        std::string error;
        if (!CopySeedFile(seed, d.design, error)) state.SkipWithError("seed copy failed");
        GdalDesignHost host;
        if (!GenerateStickupSheets(d.s, host, d.design, d.report).completed) state.SkipWithError("not drawn");
    }
    state.counters["dgn_bytes"] = static_cast<double>(std::filesystem::file_size(d.design));
    state.SetItemsProcessed(state.iterations() * MaxSheets * MaxDataRows);
}
BENCHMARK(BM_StickupGdal26x1800)->Unit(benchmark::kMillisecond);

// The button's whole run: the combined report of 26 full sheets, the seed
// copy and the drawing.
void BM_StickupButtonRun26x1800(benchmark::State& state)
{
    Document d;
    const std::string seed = dgn::GdalSeedFile();
    for (auto _ : state) {
        if (!BuildCombinedReport(d.s, SheetFault::FailRun, WindowReport)) state.SkipWithError("no combined report");
        std::string error;
        if (!CopySeedFile(seed, d.design, error)) state.SkipWithError("seed copy failed");
        GdalDesignHost host;
        if (!GenerateStickupSheets(d.s, host, d.design, d.report).completed) state.SkipWithError("not drawn");
    }
    state.SetItemsProcessed(state.iterations() * MaxSheets * MaxDataRows);
}
BENCHMARK(BM_StickupButtonRun26x1800)->Unit(benchmark::kMillisecond);
#endif

} // namespace
