#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include "app/results/output_label.h"
#include "app/results/sim_launcher.h"
#include "app/testing/scripted_questions.h"

namespace kovalin::app {
namespace {

TEST(LauncherRules, RangeFieldsAndFullDataset) {
  // Rows 4 to 9 of 20 selected: that range, not the full dataset.
  tRecordRange r = PresetRange(4, 9, 20);
  EXPECT_EQ(r.start, 4);
  EXPECT_EQ(r.end, 9);
  EXPECT_FALSE(r.fullData);
  EXPECT_EQ(r.startMax, 9);
  EXPECT_EQ(r.endMin, 4);
  r = FullDataClicked(r, true);
  EXPECT_EQ(r.start, 1);
  EXPECT_EQ(r.end, 20);
  EXPECT_TRUE(r.fullData);
  // It cannot be unticked while the whole table is selected.
  EXPECT_TRUE(FullDataClicked(r, false).fullData);
  // A start at or past the end becomes the end; an end at or before the start the start.
  r.start = 25;
  r = RangeChanged(r, true);
  EXPECT_EQ(r.start, 20);
  EXPECT_FALSE(r.fullData);
  r.start = 5;
  r.end = 3;
  r = RangeChanged(r, false);
  EXPECT_EQ(r.end, 5);
  r.start = 0;
  EXPECT_EQ(RangeChanged(r, true).start, 1);
  // A selection outside the table is brought inside it.
  r = PresetRange(30, 40, 20);
  EXPECT_EQ(r.start, 20);
  EXPECT_EQ(r.end, 20);
}

TEST(LauncherRules, StatesAndStatistics) {
  EXPECT_TRUE(ControlsFor(tLauncherStatus::prepared).start);
  EXPECT_TRUE(ControlsFor(tLauncherStatus::prepared).groupsEnabled);
  const tLauncherControls running = ControlsFor(tLauncherStatus::running);
  EXPECT_TRUE(running.stop && !running.start && !running.cancel && !running.done);
  EXPECT_FALSE(running.closeBox);
  EXPECT_EQ(running.statusText, "Running");
  EXPECT_EQ(ControlsFor(tLauncherStatus::canceled).statusText, "Canceled by the user");
  EXPECT_FALSE(ControlsFor(tLauncherStatus::canceled).setGroups);  // groups unchanged
  EXPECT_EQ(ControlsFor(tLauncherStatus::done).statusText, "Done");
  auto entries = DefaultStatistics();
  EXPECT_EQ(StatisSetOf(entries), StatBit(tElemStat::N) | StatBit(tElemStat::CMean) |
                                      StatBit(tElemStat::AMean) | StatBit(tElemStat::pc));
  entries[7].Checked = true;
  EXPECT_TRUE(StatisSetOf(entries) & StatBit(tElemStat::AQ3));
}

TEST(Launcher, KindsEnableStartAndTheOutputLabelsChooseTheFile) {
  ScriptedQuestions().Reset();
  Tf_SimLauncher launcher;
  launcher.PrepareLaunch("/data/sims/table.mrd", 4, 9, 20, 0.05, 0.5);
  EXPECT_EQ(launcher.spe_RecordInit->value(), 4);
  EXPECT_EQ(launcher.spe_RecordEnd->value(), 9);
  EXPECT_EQ(launcher.spe_RecordInit->maximum(), 9);
  EXPECT_FALSE(launcher.cb_FullData->isChecked());
  launcher.cb_FullData->click();
  EXPECT_EQ(launcher.spe_RecordEnd->value(), 20);
  EXPECT_EQ(launcher.LabelAlpha->text(), QString::fromUtf8("\xCE\xB1 = 0.050"));
  EXPECT_FALSE(launcher.btStart->isEnabled());
  launcher.cb_Sim_GT->click();
  EXPECT_TRUE(launcher.btStart->isEnabled());
  EXPECT_TRUE(launcher.CLB_Statistics->isEnabled());
  launcher.cb_Sim_GT->click();
  EXPECT_FALSE(launcher.btStart->isEnabled());
  EXPECT_EQ(launcher.LblOutputFileValue->text(), "table.mrd");
  // The file name without an extension gets ".txt".
  ScriptedQuestions().AnswerNextFile("/data/other/run");
  launcher.LblOutputFiletxt->clicked();
  EXPECT_EQ(launcher.FileFullName(), "/data/other/run.txt");
  EXPECT_EQ(launcher.lblPathValue->toolTip(), "/data/other/");
  ScriptedQuestions().AnswerNext(tAnswer::Ok);
  launcher.LblTempDirValue->clicked();
  EXPECT_EQ(ScriptedQuestions().Messages().last().text, "Unable to open the temporary folder");
  EXPECT_TRUE(ScriptedQuestions().AllAnswersUsed());
}

TEST(Launcher, OpensWithTheDefaultStatisticsAndItsRulesFollowTheState) {
  Tf_SimLauncher launcher;
  // N, coverage mean, amplitude mean and rejection rate ticked, in the list and the set.
  QStringList ticked;
  for (int i = 0; i < launcher.CLB_Statistics->count(); ++i)
    if (launcher.CLB_Statistics->item(i)->checkState() == Qt::Checked)
      ticked << launcher.CLB_Statistics->item(i)->text();
  EXPECT_EQ(ticked, (QStringList{"Number of valid samples", "Coverage:  Average",
                                 "Amplitude:  Average", "Average of Ho rejection"}));
  EXPECT_EQ(launcher.StatisSet(), StatisSetOf(DefaultStatistics()));
  EXPECT_TRUE(launcher.StatisticsArray()[1].Checked);

  // Boxes set without a click (keyboard, assistive technology) run the same rules.
  launcher.PrepareLaunch("/data/table.mrd", 4, 9, 20, 0.05, 0.5);
  launcher.cb_FullData->setChecked(true);
  EXPECT_EQ(launcher.spe_RecordInit->value(), 1);
  EXPECT_EQ(launcher.spe_RecordEnd->value(), 20);
  launcher.cb_FullData->setChecked(false);  // the whole table is still selected
  EXPECT_TRUE(launcher.cb_FullData->isChecked());
  launcher.cb_Sim_IT->setChecked(true);
  EXPECT_TRUE(launcher.btStart->isEnabled());
  EXPECT_TRUE(launcher.CLB_Statistics->isEnabled());
  launcher.cb_Sim_IT->toggle();
  EXPECT_FALSE(launcher.btStart->isEnabled());
}

}  // namespace
}  // namespace kovalin::app
