#include "app/results/sim_launcher_rules.h"

#include <algorithm>

namespace kovalin::app {

namespace {

tRecordRange WithBounds(tRecordRange r) {
  r.startMax = r.end;
  r.endMin = r.start;
  r.fullData = r.start == 1 && r.end == r.rows;
  return r;
}

}  // namespace

tRecordRange PresetRange(int firstSelected, int lastSelected, int rows) {
  tRecordRange r;
  r.rows = std::max(rows, 1);
  r.end = std::clamp(lastSelected, 1, r.rows);
  r.start = std::clamp(firstSelected, 1, r.end);
  return WithBounds(r);
}

tRecordRange RangeChanged(tRecordRange r, bool startChanged) {
  if (startChanged) {
    if (r.start < 1) r.start = 1;
    if (r.start >= r.end) r.start = r.end;
  } else {
    if (r.end > r.rows) r.end = r.rows;
    if (r.end <= r.start) r.end = r.start;
  }
  return WithBounds(r);
}

tRecordRange FullDataClicked(tRecordRange r, bool ticked) {
  if (ticked) {
    r.start = 1;
    r.end = r.rows;
  }
  return WithBounds(r);
}

tLauncherControls ControlsFor(tLauncherStatus status) {
  tLauncherControls c;
  switch (status) {
    case tLauncherStatus::prepared:
      c.cancel = c.start = true;
      c.setGroups = c.groupsEnabled = true;
      break;
    case tLauncherStatus::running:
      c.stop = true;
      c.setGroups = true;
      c.groupsEnabled = false;
      c.statusText = "Running";
      c.closeBox = false;
      break;
    case tLauncherStatus::canceled:
      c.done = true;
      c.statusText = "Canceled by the user";
      break;
    case tLauncherStatus::done:
      c.done = true;
      c.statusText = "Done";
      break;
  }
  return c;
}

std::array<cbStatisticsRec, 21> DefaultStatistics() {
  std::array<cbStatisticsRec, 21> e{};
  for (int i = 0; i < 21; ++i) e[static_cast<std::size_t>(i)].index = i;
  const struct {
    bool header;
    bool checked;
    const char* text;
    tStats measures;
  } rows[10] = {
      {true, false, "- All methods -", 0},
      {false, true, "Number of valid samples", StatBit(tElemStat::N)},
      {true, false, "- Confidence intervals -", 0},
      {false, true, "Coverage:  Average", StatBit(tElemStat::CMean)},
      {false, true, "Amplitude:  Average", StatBit(tElemStat::AMean)},
      {false, false, "Amplitude:  Median", StatBit(tElemStat::AQ2)},
      {false, false, "Amplitude:  Min/Max",
       static_cast<tStats>(StatBit(tElemStat::AMin) | StatBit(tElemStat::AMax))},
      {false, false, "Amplitude:  Q1/Q2/Q3",
       static_cast<tStats>(StatBit(tElemStat::AQ1) | StatBit(tElemStat::AQ2) |
                           StatBit(tElemStat::AQ3))},
      {true, false, "- Tests -", 0},
      {false, true, "Average of Ho rejection", StatBit(tElemStat::pc)},
  };
  for (int i = 0; i < 10; ++i) {
    cbStatisticsRec& r = e[static_cast<std::size_t>(i)];
    r.header = rows[i].header;
    r.Checked = rows[i].checked;
    r.text = QString::fromLatin1(rows[i].text);
    r.Measures = rows[i].measures;
  }
  return e;
}

tStats StatisSetOf(const std::array<cbStatisticsRec, 21>& entries) {
  tStats s = 0;
  for (int i = 0; i <= kMaxCDItems; ++i)
    if (entries[static_cast<std::size_t>(i)].Checked)
      s = static_cast<tStats>(s | entries[static_cast<std::size_t>(i)].Measures);
  return s;
}

}  // namespace kovalin::app
