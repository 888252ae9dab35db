// One keystroke in the grid (filter, store, format on commit) and showing a
// full sheet of 1800 rows.
#include "app/MainForm.h"
#include "app/Session.h"
#include "text/NumberText.h"
#include "app/GridEditor.h"

#include <benchmark/benchmark.h>

#include <optional>
#include <string>

using namespace mardex;

namespace {

struct SilentPrompter : Prompter {
    Answer Ask(const MessageBox&) override { return Answer::OK; }
    std::string Input(const std::string&, const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> ChooseFile(const FileDialogRequest&) override { return std::nullopt; }
};

void FillSheet(Session& s)
{
    Sheet& sheet = s.CurrentSheet();
    for (int r = 0; r < MaxDataRows; ++r) {
        sheet.SetCell(ColStation, r, FormatStation(1000.0 + 50.0 * r));
        sheet.SetCell(ColCode, r, "-");
        for (int c = ColCut; c <= ColAddedFill; ++c) sheet.SetCell(c, r, FormatArea(12.5 + r % 7));
    }
    sheet.SetCell(ColStation, MaxDataRows, "-1");
}

void BM_Keystroke(benchmark::State& state)
{
    SilentPrompter ask;
    Session s(ask);
    FillSheet(s);
    ResetMainForm(s);
    FillMainForm(s);
    s.form.grid.SetRow(900);
    s.form.grid.SetCol(ColCut);
    const char keys[] = "12.5\b\b\b\b";
    int i = 0;
    for (auto _ : state) {
        int16_t key = keys[i];
        if (key == '\b') key = KeyBackspace;
        Grid1_KeyPress(s, key);
        i = (i + 1) % 8;
    }
    benchmark::DoNotOptimize(s.CurrentSheet().Cell(ColCut, 898));
}
BENCHMARK(BM_Keystroke);

// Typing a value and committing it with Enter, with the order check.
void BM_TypeAndCommitStation(benchmark::State& state)
{
    SilentPrompter ask;
    Session s(ask);
    FillSheet(s);
    ResetMainForm(s);
    FillMainForm(s);
    for (auto _ : state) {
        s.form.grid.SetRow(900);
        s.form.grid.SetCol(ColStation);
        s.form.grid.SetText(900, ColStation, "");
        for (char c : std::string("45875\r")) {
            int16_t key = c == '\r' ? static_cast<int16_t>(KeyEnter) : static_cast<int16_t>(c);
            Grid1_KeyPress(s, key);
        }
        s.form.grid.TakeChanges();
    }
}
BENCHMARK(BM_TypeAndCommitStation);

void BM_FillMainFormFullSheet(benchmark::State& state)
{
    SilentPrompter ask;
    Session s(ask);
    FillSheet(s);
    for (auto _ : state) {
        ResetMainForm(s);
        FillMainForm(s);
        benchmark::DoNotOptimize(s.form.grid.TakeChanges());
    }
}
BENCHMARK(BM_FillMainFormFullSheet)->Unit(benchmark::kMillisecond);

} // namespace
