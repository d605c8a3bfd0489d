// Importing a 100,000-row, 9-column tab-delimited table as the program exports
// it (values padded to 20 characters), with delimiter detection.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "bench/parameter_table.h"
#include "tables/csv_export.h"
#include "tables/csv_import.h"
#include "tables/data_table.h"
#include "tables/db_structure.h"

namespace {

using namespace kovalin;

constexpr int kRows = 100000;

// A raw-data table with varied counts, exported with tab.
std::string MakeExport() {
  TDataTable t;
  t.Resize(9, kRows);
  const tDBStructure schema = RawDataStructure();
  for (int c = 1; c <= 9; ++c) t.SetColName(c, schema.varname(c));
  std::mt19937 gen(12345);
  std::uniform_int_distribution<int> cell(0, 500);
  for (int r = 1; r <= kRows; ++r) {
    t.SetElem(1, r, r);
    for (int c = 2; c <= 9; ++c) t.SetElem(c, r, cell(gen));
  }
  return ExportText(t, std::vector<int>(9, 0), '\t');
}

const std::string& ExportFile() {
  static const std::string path = [] {
    const std::string p = (std::filesystem::temp_directory_path() / "kovalin_bench_import.mrd").string();
    std::ofstream(p, std::ios::binary) << MakeExport();
    return p;
  }();
  return path;
}

void BM_ImportFile(benchmark::State& state) {
  const std::string& path = ExportFile();
  for (auto _ : state) {
    TDataTable table;
    const tImportResult r = ImportFromCSV(table, path, csvUnknown, true, false);
    if (!r.ok || table.NrOfRows() != kRows || table.NrOfColumns() != 9) state.SkipWithError("import failed");
    benchmark::DoNotOptimize(table);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
  state.SetBytesProcessed(state.iterations() * static_cast<long long>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_ImportFile)->Unit(benchmark::kMillisecond);

void BM_ImportParameterFile(benchmark::State& state) {
  const std::string path = (std::filesystem::temp_directory_path() / "kovalin_bench_import_params.mrd").string();
  std::ofstream(path, std::ios::binary) << bench::MakeParameterExport(kRows);
  for (auto _ : state) {
    TDataTable table;
    const tImportResult r = ImportFromCSV(table, path, csvUnknown, true, false);
    if (!r.ok || table.NrOfRows() != kRows || table.NrOfColumns() != 9) state.SkipWithError("import failed");
    benchmark::DoNotOptimize(table);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
  std::error_code ec;
  std::filesystem::remove(path, ec);
}
BENCHMARK(BM_ImportParameterFile)->Unit(benchmark::kMillisecond);

void BM_ImportFileGivenDelimiter(benchmark::State& state) {
  const std::string& path = ExportFile();
  for (auto _ : state) {
    TDataTable table;
    ImportFromCSV(table, path, csvTab, true, false);
    benchmark::DoNotOptimize(table);
  }
}
BENCHMARK(BM_ImportFileGivenDelimiter)->Unit(benchmark::kMillisecond);

// Writing a 100,000-row parameter table with 4 decimals: values the decimals
// show exactly (the common case), and values of full precision, each of which
// is read back once and then written with its shortest exact text.
void BM_ExportParameterTable(benchmark::State& state) {
  const bool fullPrecision = state.range(0) != 0;
  TDataTable t;
  t.Resize(9, kRows);
  std::mt19937 gen(6789);
  std::uniform_real_distribution<double> share(0.0, 1.0);
  for (int r = 1; r <= kRows; ++r) {
    t.SetElem(1, r, r);
    for (int c = 2; c <= 8; ++c) {
      const double v = share(gen);
      t.SetElem(c, r, fullPrecision ? v : static_cast<double>(static_cast<int>(v * 10000)) / 10000);
    }
    t.SetElem(9, r, 100);
  }
  const std::vector<int> decimals = {0, 4, 4, 4, 4, 4, 4, 4, 0};
  for (auto _ : state) {
    std::string text = ExportText(t, decimals, '\t');
    benchmark::DoNotOptimize(text);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_ExportParameterTable)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  // Peak memory of the whole run: the file text, its decoded lines and the store.
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("file size: %.1f MB, peak resident memory: %.1f MB\n",
              static_cast<double>(std::filesystem::file_size(ExportFile())) / 1e6,
              static_cast<double>(usage.ru_maxrss) / 1024.0);
  std::error_code ec;
  std::filesystem::remove(ExportFile(), ec);
  return 0;
}
