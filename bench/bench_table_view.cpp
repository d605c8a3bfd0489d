// Opening a 100,000-row record table in the desktop's record frame: the time
// from the end of the file load until the grid has been shown, scrolled to the
// end and a row selected, and the memory this costs beside the table itself.
// Run offscreen: QT_QPA_PLATFORM=offscreen build/release/bench/kovalin_bench_table_view
#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTemporaryDir>

#include <malloc.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <string>

#include "app/views/data_table_frame.h"
#include "bench/parameter_table.h"
#include "tables/csv_export.h"
#include "tables/db_structure.h"
#include "tables/frame_files.h"

namespace {

using namespace kovalin;

constexpr int kRows = 100000;

long RssKiB() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmRSS:") {
      long kib = 0;
      status >> kib;
      return kib;
    }
    status.ignore(1 << 12, '\n');
  }
  return 0;
}

// The store's own bytes: a real and a state byte per cell, and the row names.
double StoreMiB(const TDataTable& t) {
  double bytes = 9.0 * t.NrOfColumns() * t.NrOfRows();
  for (int r = 1; r <= t.NrOfRows(); ++r) bytes += sizeof(std::string) + (t.GetRowName(r).size() > 15 ? t.GetRowName(r).size() : 0);
  return bytes / (1024.0 * 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  const std::string path = dir.filePath("params.mrd").toStdString();
  const std::string text = bench::MakeParameterExport(kRows);
  std::string reason;
  if (!WriteFileBytes(path, text, reason)) {
    std::fprintf(stderr, "%s\n", reason.c_str());
    return 1;
  }

  kovalin::app::TFDataTable frame;
  frame.resize(1000, 700);
  frame.show();
  QApplication::processEvents();
  const long rssBefore = RssKiB();

  QElapsedTimer clock;
  clock.start();
  tRecordTableFile file = LoadRecordTable(path);
  const qint64 loadMs = clock.elapsed();
  if (!file.ok) {
    std::fprintf(stderr, "%s\n", file.error.c_str());
    return 1;
  }
  const long rssLoaded = RssKiB();
  clock.restart();
  AdoptRecordTable(frame.Frame(), std::move(file), path);
  frame.TableChanged();
  frame.Setstatus(sSelection);
  QApplication::processEvents();
  const qint64 shownMs = clock.elapsed();
  QTableView* grid = frame.Grid();
  grid->scrollToBottom();
  grid->selectRow(kRows / 2);
  grid->scrollTo(frame.Model()->index(kRows / 2, 0));
  QApplication::processEvents();
  const qint64 usableMs = clock.elapsed();
  const long rssShown = RssKiB();
  // What stays once the loader's freed buffers go back to the system.
  malloc_trim(0);
  const long rssTrimmed = RssKiB();

  const double fileMiB = static_cast<double>(text.size()) / (1024.0 * 1024.0);
  const double storeMiB = StoreMiB(frame.Frame().DataTable1);
  const double addedMiB = static_cast<double>(rssShown - rssBefore) / 1024.0;
  std::printf("rows %d, file %.1f MiB, store %.1f MiB\n", kRows, fileMiB, storeMiB);
  std::printf("load %lld ms; then shown %lld ms, scrolled and a row selected %lld ms\n",
              static_cast<long long>(loadMs), static_cast<long long>(shownMs), static_cast<long long>(usableMs));
  std::printf("memory: +%.1f MiB after the load, +%.1f MiB once shown (%.2fx the store, %.2fx the file)\n",
              static_cast<double>(rssLoaded - rssBefore) / 1024.0, addedMiB, addedMiB / storeMiB, addedMiB / fileMiB);
  const double liveMiB = static_cast<double>(rssTrimmed - rssBefore) / 1024.0;
  std::printf("memory after returning freed buffers: +%.1f MiB (%.2fx the store, %.2fx the file)\n", liveMiB,
              liveMiB / storeMiB, liveMiB / fileMiB);
  return 0;
}
