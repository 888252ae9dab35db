// The sheet report: one full sheet, 26 full sheets in one combined file, and
// the whole command-line run on such a document against copying its output.
#include "app/Session.h"
#include "app/CombinedReport.h"
#include "app/EarthworkComputation.h"
#include "formats/RowLayout.h"
#include "text/NumberText.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include <sys/resource.h>

namespace {

using namespace mardex;

// Rows as a designer's sheet has them: cut and fill stretches (so the mass
// ordinate changes sign), now and then a skip, a forced balance or an equation.
std::vector<std::array<std::string, 6>> FullSheet(unsigned seed)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> area(0, 150);
    std::vector<std::array<std::string, 6>> rows;
    double station = 1000;
    bool cutting = true;
    for (int r = 0; r < MaxDataRows; ++r) {
        station += 50;
        if (r % 40 == 0) cutting = !cutting;
        std::string code = "-";
        if (r > 2 && r % 97 == 0) code = "SA";
        else if (r > 2 && r % 211 == 0) code = "FB";
        const double a = area(rng);
        rows.push_back({FormatStation(station), code, FormatArea(cutting ? a : 0), "0.00",
                        FormatArea(cutting ? 0 : a), r % 13 == 0 ? "12.50" : "0.00"});
    }
    return rows;
}

// Messages are answered OK and counted: a benchmark run shows none.
struct SilentPrompter : Prompter {
    int shown = 0;
    Answer Ask(const MessageBox&) override { ++shown; return Answer::OK; }
    std::string Input(const std::string&, const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> ChooseFile(const FileDialogRequest&) override { return std::nullopt; }
};

struct BenchSession {
    mardex::test::TempDir dir;
    SilentPrompter ask;
    Session s{ask};

    explicit BenchSession(int sheets)
    {
        s.doc.CurrentFileName = dir / "road1.mdx";
        s.doc.ReportFolder = dir.path().string() + "/";
        s.doc.SheetCount = static_cast<int16_t>(sheets);
        for (int i = 0; i < sheets; ++i) {
            Sheet& sheet = s.store[i];
            sheet.TabName = "BL" + std::to_string(i + 1);
            sheet.BalanceFactor = "0.90";
            const auto rows = FullSheet(i + 1);
            for (int r = 0; r < static_cast<int>(rows.size()); ++r)
                for (int c = 0; c < ColumnCount; ++c) sheet.SetCell(c, r, rows[r][c]);
            sheet.SetCell(ColStation, static_cast<int>(rows.size()), "-1");
        }
    }
};

void BM_ReportOneFullSheet(benchmark::State& state)
{
    BenchSession b(1);
    for (auto _ : state) {
        b.s.report.ResetGrandTotals();
        if (!CreateTempRptFile(b.s, WindowReport)) state.SkipWithError("no report");
    }
    state.SetItemsProcessed(state.iterations() * MaxDataRows);
}
BENCHMARK(BM_ReportOneFullSheet)->Unit(benchmark::kMillisecond);

void BM_CombinedReport26FullSheets(benchmark::State& state)
{
    BenchSession b(MaxSheets);
    for (auto _ : state)
        if (!BuildCombinedReport(b.s, SheetFault::FailRun, WindowReport)) state.SkipWithError("no report");
    state.SetItemsProcessed(state.iterations() * MaxSheets * MaxDataRows);
}
BENCHMARK(BM_CombinedReport26FullSheets)->Unit(benchmark::kMillisecond);

// The document of 26 full sheets as the program writes it.
std::string DocumentText()
{
    std::string text = "[VERSION 2002]\r\n[ENGLISH]\r\nDESIGN UNIT 4\r\nSTP-12(3)\r\nC-101\r\n";
    for (int i = 0; i < MaxSheets; ++i) {
        text += "[END AREA " + std::to_string(i + 1) + " BL" + std::to_string(i + 1) + "]\r\n";
        text += "#BALANCE FACTOR\r\n0.9\r\n#MEASURED IN EMBANKMENT\r\n 0 \r\n";
        text += "#STATION      CODE    CUTAREA       ADDEDCUT(vol.)     FILLAREA     ADDEDFILL(vol.)\r\n";
        for (const auto& row : FullSheet(i + 1)) {
            text += WrittenRowLine({row[0], row[1], row[2], row[3], row[4], row[5]}) + "\r\n";
        }
    }
    return text + "[LAST RECORD]\r\n";
}

struct ToolFixture {
    mardex::test::TempDir dir;
    std::string tool, document, output, copy;

    ToolFixture()
    {
        tool = (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "mardex-report").string();
        document = dir / "road26.mdx";
        output = dir / "road26.rpt";
        copy = dir / "copy.rpt";
        mardex::test::WriteFile(document, DocumentText());
    }
    bool Report() const
    {
        const std::string cmd =
            "'" + tool + "' --all-sheets --output '" + output + "' '" + document + "' >/dev/null 2>&1";
        return std::system(cmd.c_str()) == 0;
    }
};

// CPU time of the finished child processes, in milliseconds: the machine may
// be busy, so the CPU time spent by the tool and by cp is compared too.
double ChildCpuMs()
{
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

ToolFixture& Tool()
{
    static ToolFixture fixture;
    return fixture;
}

void BM_ToolAllSheets26x1800(benchmark::State& state)
{
    const double cpu = ChildCpuMs();
    for (auto _ : state)
        if (!Tool().Report()) state.SkipWithError("mardex-report failed");
    state.counters["child_cpu_ms"] = (ChildCpuMs() - cpu) / static_cast<double>(state.iterations());
    state.counters["report_bytes"] = static_cast<double>(std::filesystem::file_size(Tool().output));
}
BENCHMARK(BM_ToolAllSheets26x1800)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CopyOfTheReport(benchmark::State& state)
{
    if (!std::filesystem::exists(Tool().output) && !Tool().Report()) state.SkipWithError("no report to copy");
    const std::string cmd = "cp '" + Tool().output + "' '" + Tool().copy + "'";
    const double cpu = ChildCpuMs();
    for (auto _ : state)
        if (std::system(cmd.c_str()) != 0) state.SkipWithError("cp failed");
    state.counters["child_cpu_ms"] = (ChildCpuMs() - cpu) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_CopyOfTheReport)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
