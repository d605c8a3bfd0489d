#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace kovalin::app {

// The rules of the simulation launcher that need no window.

// The record range with its bounds: start 1..startMax, end endMin..rows.
struct tRecordRange {
  int start = 1;
  int end = 1;
  int rows = 1;
  int startMax = 1;
  int endMin = 1;
  bool fullData = true;
};

// The range preset from the selected rows of a table: start from 1, end up to
// the number of rows, start at most end.
tRecordRange PresetRange(int firstSelected, int lastSelected, int rows);
// One of the range fields changed: the start kept from 1 up to the end, the
// end kept from the start; then the bounds and "Full dataset".
tRecordRange RangeChanged(tRecordRange r, bool startChanged);
// "Full dataset" clicked: ticked selects the whole table; the box stays ticked
// while the whole table is selected.
tRecordRange FullDataClicked(tRecordRange r, bool ticked);

enum class tLauncherStatus { prepared, running, canceled, done };

// What CtrlsActive shows in each state.
struct tLauncherControls {
  bool cancel = false;
  bool start = false;
  bool stop = false;
  bool done = false;
  // Whether the groups Data, Procedures and Statistics, Output change, and to what.
  bool setGroups = false;
  bool groupsEnabled = false;
  QString statusText;
  bool closeBox = true;
};
tLauncherControls ControlsFor(tLauncherStatus status);

// The statistics vocabulary of a simulation, in the order of its bits.
enum class tElemStat { N, CMean, AMean, AMin, AMax, AQ1, AQ2, AQ3, pc };
using tStats = std::uint16_t;  // bit i for the i-th statistic
inline constexpr tStats StatBit(tElemStat s) {
  return static_cast<tStats>(1u << static_cast<unsigned>(s));
}

struct cbStatisticsRec {
  int index = 0;
  bool header = false;
  bool Checked = false;
  QString text;
  tStats Measures = 0;
};

inline constexpr int kMaxCDItems = 9;
// The 21 entries of the list, the first 10 filled as the launcher shows them.
std::array<cbStatisticsRec, 21> DefaultStatistics();
// The union of the measures of the ticked entries 0..9.
tStats StatisSetOf(const std::array<cbStatisticsRec, 21>& entries);

}  // namespace kovalin::app
