// Reading a delimited table of 10,000 and 100,000 columns (a header and two
// rows): the reader's time should grow in proportion to the columns.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tables/csv_import.h"
#include "tables/data_table.h"
#include "tables/table_loader.h"

namespace {

using namespace kovalin;

std::string WideText(int columns) {
  std::string text;
  for (int c = 1; c <= columns; ++c) text += (c > 1 ? "\t" : "") + ("V" + std::to_string(c));
  text += "\r\n";
  for (int r = 1; r <= 2; ++r) {
    for (int c = 1; c <= columns; ++c) text += (c > 1 ? "\t" : "") + std::to_string(c % 97 + r);
    text += "\r\n";
  }
  return text;
}

void BM_ImportWide(benchmark::State& state) {
  const int columns = static_cast<int>(state.range(0));
  const std::string text = WideText(columns);
  for (auto _ : state) {
    TDataTable table;
    const tImportResult r = ImportFromBytes(table, text, csvUnknown, true, false);
    if (!r.ok || table.NrOfColumns() != columns || table.NrOfRows() != 2)
      state.SkipWithError("import failed");
    benchmark::DoNotOptimize(table);
  }
  state.SetItemsProcessed(state.iterations() * columns);
}
BENCHMARK(BM_ImportWide)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The whole load as the commands do it: import, decimal places and table kind.
void BM_LoadWideFile(benchmark::State& state) {
  const int columns = static_cast<int>(state.range(0));
  const std::string path =
      (std::filesystem::temp_directory_path() / ("kovalin_bench_wide_" + std::to_string(columns) + ".txt"))
          .string();
  std::ofstream(path, std::ios::binary) << WideText(columns);
  for (auto _ : state) {
    const tRecordTableFile file = LoadRecordTable(path);
    if (!file.ok || file.table.NrOfColumns() != columns) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(file);
  }
  state.SetItemsProcessed(state.iterations() * columns);
  std::error_code ec;
  std::filesystem::remove(path, ec);
}
BENCHMARK(BM_LoadWideFile)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
