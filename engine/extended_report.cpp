#include "engine/extended_report.h"

#include <cmath>
#include <string>

#include "engine/comparisons.h"
#include "engine/method_set.h"
#include "engine/text_document.h"
#include "engine/text_format.h"
#include "engine/text_table.h"

namespace kovalin {

namespace {

std::string Number(double x, int d) { return IsMissing(x) ? "N/A" : Fixed(x, d + 5, d); }

// Label columns are left-aligned, which the table writes as they are: give
// them a common width here so that the columns line up.
constexpr int kMeasureWidth = 10;
constexpr int kMethodWidth = 20;

void Row(tTablaOutput& t, int row, std::initializer_list<std::string> cells) {
  int col = 0;
  for (const std::string& s : cells) t.Asigna(s, row, col++);
}

void WriteProportions(tTextDocument& memo, const tPairedAccuracy& acc, int d) {
  tTablaOutput t(memo, 8, 9, "# Accuracy of each test:");
  t.SetAlignLeft(0);
  Row(t, 0, {PadRight("Measure", kMeasureWidth), "Test", "Estimate", "SE", "Wald(-)", "Wald(+)",
             "Wilson(-)", "Wilson(+)"});
  int row = 1;
  auto add = [&](const char* measure, const char* test, const tProportionAccuracy& p) {
    Row(t, row++, {PadRight(measure, kMeasureWidth), test, Number(p.estimate, d), Number(p.se, d), Number(p.wald.Inf, d),
                   Number(p.wald.Sup, d), Number(p.wilson.Inf, d), Number(p.wilson.Sup, d)});
  };
  add("Se", "A", acc.A.Se);
  add("Se", "B", acc.B.Se);
  add("Sp", "A", acc.A.Sp);
  add("Sp", "B", acc.B.Sp);
  add("PPV", "A", acc.A.PPV);
  add("PPV", "B", acc.B.PPV);
  add("NPV", "A", acc.A.NPV);
  add("NPV", "B", acc.B.NPV);
  t.Write();
}

void WriteRatios(tTextDocument& memo, const tPairedAccuracy& acc, int d) {
  tTablaOutput t(memo, 6, 5, "# Diagnostic likelihood ratios (log-method intervals):");
  t.SetAlignLeft(0);
  Row(t, 0, {PadRight("Measure", kMeasureWidth), "Test", "Estimate", "SE(log)", "CI(-)", "CI(+)"});
  int row = 1;
  auto add = [&](const char* measure, const char* test, const tRatioAccuracy& r) {
    Row(t, row++, {PadRight(measure, kMeasureWidth), test, Number(r.estimate, d), Number(r.seLog, d), Number(r.log.Inf, d),
                   Number(r.log.Sup, d)});
  };
  add("DLR+", "A", acc.A.DLRpos);
  add("DLR+", "B", acc.B.DLRpos);
  add("DLR-", "A", acc.A.DLRneg);
  add("DLR-", "B", acc.B.DLRneg);
  t.Write();
}

std::string KindText(const tComparison& c) {
  switch (c.kind) {
    case tStatisticKind::chiSquare:
      return "X2(" + std::to_string(c.df) + ")";
    case tStatisticKind::normal:
      return "z";
    case tStatisticKind::exact:
      break;
  }
  return "exact";
}

void WriteComparisons(tTextDocument& memo, const tCells& X, double alpha, int d) {
  const std::vector<tComparison> list = CompareTests(X, alpha);
  tTablaOutput t(memo, 10, static_cast<int>(list.size()) + 1,
                 "# Comparisons (differences A-B, ratios A/B):");
  t.SetAlignLeft(0);
  t.SetAlignLeft(1);
  Row(t, 0, {PadRight("Measure", kMeasureWidth), PadRight("Method", kMethodWidth), "Estimate", "SE", "CI(-)", "CI(+)", "Test", "Statistic",
             "p-value", "p(Holm)"});
  int row = 1;
  for (const tComparison& c : list) {
    Row(t, row++,
        {PadRight(c.measure + (c.ratio ? " A/B" : " A-B"), kMeasureWidth),
         PadRight(c.method, kMethodWidth),
         c.hasEstimate ? Number(c.estimate, d) : "", c.hasInterval ? Number(c.se, d) : "",
         c.hasInterval ? Number(c.interval.Inf, d) : "",
         c.hasInterval ? Number(c.interval.Sup, d) : "", KindText(c),
         c.kind == tStatisticKind::exact ? "" : Number(c.statistic, d), PValueText(c.p_value, d),
         c.inHolmFamily ? PValueText(c.p_holm, d) : ""});
  }
  t.Write();
  memo.AppendLine("- SE of a ratio: of its logarithm. Test: X2(df) chi-square, z normal, exact binomial.");
  memo.AppendLine(
      "- p(Holm): Holm's step-down over the six comparisons that carry it, one per measure.");
}

void WriteMethodPValues(tTextDocument& memo, tMethodSet& methods, int d) {
  int active = 0;
  methods.ForEachActive([&](t2BDM&) { ++active; });
  if (active == 0) return;
  tTablaOutput t(memo, 5, active + 1, "# p-values of the homogeneity tests (chi-square, 1 and 2 df):");
  t.SetAlignLeft(0);
  Row(t, 0, {PadRight("Method", kMeasureWidth), "IHT(Cexp)", "p-value", "GHT(Cexp)", "p-value"});
  int row = 1;
  methods.ForEachActive([&](t2BDM& m) {
    Row(t, row++, {PadRight(m.method_Name, kMeasureWidth), Number(m.ITest.Cexp, d), PValueText(TestPValue(m.ITest, 1), d),
                   Number(m.GTest.Cexp, d), PValueText(TestPValue(m.GTest, 2), d)});
  });
  t.Write();
}

}  // namespace

std::string PValueText(double p, int d) {
  if (IsMissing(p)) return "N/A";
  const double smallest = std::pow(10.0, -d);
  if (p < 0.5 * smallest) return "<" + Trim(Fixed(smallest, 1, d));
  return Fixed(p, d + 2, d);
}

void AppendExtendedReport(tTextDocument& memo, const tCells& X, double alpha, int decimals,
                          tMethodSet& methods) {
  const int d = decimals;
  memo.AppendLine("");
  memo.AppendLine("[3] ACCURACY OF EACH TEST AND COMPARISONS");
  memo.AppendLine("- Cells as given, without increment or correction; confidence level " +
                  Fixed(1 - alpha, 4, 3) + ", z = " + Fixed(TwoSidedZ(alpha), 8, 6));
  memo.AppendLine("");
  const tPairedAccuracy acc = AccuracyOfTests(X, alpha);
  WriteProportions(memo, acc, d);
  memo.AppendLine("");
  WriteRatios(memo, acc, d);
  memo.AppendLine("");
  WriteComparisons(memo, X, alpha, d);
  memo.AppendLine("");
  WriteMethodPValues(memo, methods, d);
  memo.AppendLine("");
}

}  // namespace kovalin
