// Counting a subject-level file of 1,000,000 rows (identifier, age with a
// decimal comma, two test results and the biopsy, codes in several writings)
// into the eight cells, with delimiter detection.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "tables/subject_table.h"

namespace {

using namespace kovalin;

constexpr int kRows = 1000000;

const std::string& SubjectFile() {
  static const std::string path = [] {
    const std::string p = (std::filesystem::temp_directory_path() / "kovalin_bench_subjects.csv").string();
    std::ofstream out(p, std::ios::binary);
    out << "patient;age;mammography;mri;biopsy\r\n";
    std::mt19937 gen(2026);
    const char* codes[2][3] = {{"neg", "0", "no"}, {"pos", "1", "yes"}};
    for (int r = 1; r <= kRows; ++r) {
      const auto pick = [&] { return codes[gen() % 2][gen() % 3]; };
      out << r << ";" << 40 + static_cast<int>(gen() % 40) << ",5;" << pick() << ";" << pick() << ";"
          << (r % 997 == 0 ? "NA" : pick()) << "\r\n";
    }
    return p;
  }();
  return path;
}

void BM_CountSubjects(benchmark::State& state) {
  const std::string& path = SubjectFile();
  tSubjectRequest request;
  request.a = "mammography";
  request.b = "mri";
  request.gold = "biopsy";
  for (auto _ : state) {
    const tSubjectTable table = ReadSubjectFile(path, request);
    if (!table.ok || table.rows != kRows) state.SkipWithError("the file was not read");
    benchmark::DoNotOptimize(table.cells);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_CountSubjects)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
