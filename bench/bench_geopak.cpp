// Opening and reporting the largest GEOPAK log the tables accept (10000
// entries): File > Open (recognition, three passes, report, companion).
#include "app/Session.h"
#include "app/GeopakLog.h"
#include "app/LogCommands.h"
#include "model/LogTables.h"
#include "app/LogReport.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <filesystem>

namespace {

using namespace mardex;

class QuietPrompter : public Prompter {
public:
    Answer Ask(const MessageBox& box) override { return box.buttons == Buttons::OK ? Answer::OK : Answer::No; }
    std::string Input(const std::string&, const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> ChooseFile(const FileDialogRequest&) override { return std::nullopt; }
};

const std::string LargestLog = std::string(MARDEX_SOURCE_DIR) + "/tests/data/log_cases/largest_log_10000_entries.log";

struct Folder {
    test::TempDir dir;
    std::string log = dir / "big.log";
    Folder() { std::filesystem::copy_file(LargestLog, log); }
};

void PrepareSession(Session& s, const Folder& f)
{
    s.doc.CurrentFileName = f.log;
    s.doc.ReportFolder = f.dir.path().string() + "/";
    s.doc.SheetCountBeforeCommand = 1;
    s.doc.CurrentSheetBeforeCommand = 0;
}

// The whole log branch of File > Open: recognise, read, report, companion.
void BM_OpenLargestLog(benchmark::State& state)
{
    Folder f;
    for (auto _ : state) {
        QuietPrompter ask;
        Session s(ask);
        PrepareSession(s, f);
        const size_t before = mallinfo2().uordblks;
        benchmark::DoNotOptimize(OpenGeopakLogFile(s, {}));
        state.counters["heap_MB"] = static_cast<double>(mallinfo2().uordblks - before) / (1024.0 * 1024.0);
        state.counters["entries"] = s.logs()[0].EntryCount;
    }
}
BENCHMARK(BM_OpenLargestLog)->Unit(benchmark::kMillisecond);

// Reading alone, with the memory the tables hold afterwards.
void BM_LoadLargestLog(benchmark::State& state)
{
    Folder f;
    for (auto _ : state) {
        QuietPrompter ask;
        Session s(ask);
        PrepareSession(s, f);
        s.logs();
        const size_t before = mallinfo2().uordblks;
        benchmark::DoNotOptimize(LoadGeopakLog(s));
        state.counters["tables_MB"] = static_cast<double>(mallinfo2().uordblks - before) / (1024.0 * 1024.0);
    }
}
BENCHMARK(BM_LoadLargestLog)->Unit(benchmark::kMillisecond);

// The report command on the log already read (Total).
void BM_ReportLargestLog(benchmark::State& state)
{
    Folder f;
    QuietPrompter ask;
    Session s(ask);
    PrepareSession(s, f);
    LoadGeopakLog(s);
    for (auto _ : state) benchmark::DoNotOptimize(BuildLogReport(s, false, WindowReport));
    state.counters["pages"] = s.report.TotalPages;
}
BENCHMARK(BM_ReportLargestLog)->Unit(benchmark::kMillisecond);

} // namespace
