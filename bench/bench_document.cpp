// Open (reader, tab rebuild, grid fill of sheet 0) and save of the largest
// sheet document: 26 sheets of 1800 rows.
#include "app/MainForm.h"
#include "app/Prompter.h"
#include "app/Session.h"
#include "app/DocumentWriter.h"
#include "app/FileCommands.h"
#include "text/NumberText.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

using namespace mardex;

class FileAnswer : public Prompter {
public:
    std::string file;
    Answer Ask(const MessageBox& box) override { return box.buttons == Buttons::OK ? Answer::OK : Answer::Yes; }
    std::string Input(const std::string&, const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> ChooseFile(const FileDialogRequest&) override { return file; }
};

void FillLargestDocument(Session& s)
{
    s.doc.SheetCount = MaxSheets;
    for (int t = 0; t < MaxSheets; ++t) {
        Sheet& sheet = s.store[t];
        sheet.TabName = "Baseline " + std::to_string(t + 1);
        sheet.BalanceFactor = "0.90";
        for (int r = 0; r < MaxDataRows; ++r) {
            sheet.SetCell(ColStation, r, FormatStation(1000.0 + r * 25.0));
            sheet.SetCell(ColCode, r, r % 100 == 50 ? "FB" : "-");
            sheet.SetCell(ColCut, r, FormatArea((r * 37 % 500) / 3.0));
            sheet.SetCell(ColAddedCut, r, FormatArea(0));
            sheet.SetCell(ColFill, r, FormatArea((r * 53 % 700) / 7.0));
            sheet.SetCell(ColAddedFill, r, FormatArea(r % 10 == 0 ? 12.5 : 0));
        }
        sheet.SetCell(ColStation, MaxDataRows, "-1");
    }
}

std::string Folder()
{
    static const std::string folder = [] {
        auto p = std::filesystem::temp_directory_path() / ("mardex_bench_document_" + std::to_string(::getpid()));
        std::filesystem::create_directories(p);
        return p.string();
    }();
    return folder;
}

const std::string& LargestDocumentPath()
{
    static const std::string path = [] {
        FileAnswer ask;
        Session s(ask);
        FillLargestDocument(s);
        const std::string p = Folder() + "/largest.mdx";
        std::ofstream(p, std::ios::binary) << SheetDocumentText(s);
        return p;
    }();
    return path;
}

void BM_OpenLargestDocument(benchmark::State& state)
{
    const std::string path = LargestDocumentPath();
    for (auto _ : state) {
        FileAnswer ask;
        ask.file = path;
        Session s(ask);
        Form_Load(s);
        const int result = OpenFileCommand(s);
        if (result != 0 || s.doc.SheetCount != MaxSheets) state.SkipWithError("the document was not read");
        benchmark::DoNotOptimize(s.form.grid.Rows());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_OpenLargestDocument)->Unit(benchmark::kMillisecond);

void BM_SaveLargestDocument(benchmark::State& state)
{
    FileAnswer ask;
    Session s(ask);
    FillLargestDocument(s);
    const std::string path = Folder() + "/saved.mdx";
    std::string error;
    for (auto _ : state) {
        if (!Write2002VersionFile(s, path, error)) state.SkipWithError(error.c_str());
    }
}
BENCHMARK(BM_SaveLargestDocument)->Unit(benchmark::kMillisecond);

void BM_FormatLargestDocument(benchmark::State& state)
{
    FileAnswer ask;
    Session s(ask);
    FillLargestDocument(s);
    for (auto _ : state) benchmark::DoNotOptimize(SheetDocumentText(s));
}
BENCHMARK(BM_FormatLargestDocument)->Unit(benchmark::kMillisecond);

} // namespace
