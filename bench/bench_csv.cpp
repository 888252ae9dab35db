// The CSV sheet reader: a full sheet of 1800 rows, and a 64 MB file of short
// lines, refused at its 1801st row without reading the rest.
#include "formats/SheetCsv.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

#include <fstream>

namespace {

using namespace mardex;

std::string Rows(int count)
{
    std::string csv = std::string(SheetCsvHeader) + "\r\n";
    for (int r = 0; r < count; ++r)
        csv += std::to_string(1000 + r * 25) + "," + (r % 100 == 50 ? "FB" : "-") + "," + std::to_string(r % 500) +
               ".25,0," + std::to_string(r * 7 % 300) + ".5,0\r\n";
    return csv;
}

void BM_ReadFullCsvSheet(benchmark::State& state)
{
    const std::string csv = Rows(MaxDataRows);
    for (auto _ : state) {
        const ImportResult read = ReadSheetCsv(csv, "full.csv", 0, "FULL");
        if (!read) state.SkipWithError(read.fault.Message().c_str());
        benchmark::DoNotOptimize(read.document);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * csv.size()));
}
BENCHMARK(BM_ReadFullCsvSheet)->Unit(benchmark::kMicrosecond);

void BM_RefuseOversizedCsvFile(benchmark::State& state)
{
    test::TempDir dir;
    const std::string path = dir / "big.csv";
    {
        std::ofstream out(path, std::ios::binary);
        out << SheetCsvHeader << "\n";
        for (std::size_t size = 0, r = 0; size < (64u << 20) - 64; ++r) {
            const std::string line = std::to_string(r) + ",-,1,0,2,0\n";
            out << line;
            size += line.size();
        }
    }
    for (auto _ : state) {
        const ImportResult read = ReadSheetCsvFile(path, 0);
        if (read || read.fault.line != MaxDataRows + 2) state.SkipWithError("not refused at its 1801st row");
    }
}
BENCHMARK(BM_RefuseOversizedCsvFile)->Unit(benchmark::kMicrosecond);

} // namespace
