#include "engine/extended_report.h"

#include <cmath>
#include <string>

#include "engine/comparisons.h"
#include "engine/extended_summary.h"
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

void WriteExactIntervals(tTextDocument& memo, const tPairedAccuracy& acc, int d) {
  tTablaOutput t(memo, 8, 10, "# Exact (Clopper-Pearson) and Yu-Guo-Xu intervals:");
  t.SetAlignLeft(0);
  Row(t, 0, {PadRight("Measure", kMeasureWidth), "Test", "Estimate", "SE", "Exact(-)", "Exact(+)",
             "Yu(-)", "Yu(+)"});
  int row = 1;
  auto add = [&](const char* measure, const char* test, const tProportionAccuracy& p) {
    Row(t, row++, {PadRight(measure, kMeasureWidth), test, Number(p.estimate, d), Number(p.se, d),
                   Number(p.exact.Inf, d), Number(p.exact.Sup, d), Number(p.yu.Inf, d),
                   Number(p.yu.Sup, d)});
  };
  add("Prevalence", "", acc.prevalence);
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

void WriteYouden(tTextDocument& memo, const tPairedAccuracy& acc, int d) {
  tTablaOutput t(memo, 5, 3, "# Youden's index (Se + Sp - 1):");
  Row(t, 0, {"Test", "Estimate", "SE", "CI(-)", "CI(+)"});
  int row = 1;
  for (const auto& [test, y] : {std::pair{"A", acc.A.youden}, std::pair{"B", acc.B.youden}})
    Row(t, row++, {test, Number(y.estimate, d), Number(y.se, d), Number(y.wald.Inf, d),
                   Number(y.wald.Sup, d)});
  t.Write();
}

void WriteRatios(tTextDocument& memo, const tPairedAccuracy& acc, int d) {
  tTablaOutput t(memo, 9, 5,
                 "# Diagnostic likelihood ratios (log-method and Martin Andres-Alvarez Hernandez "
                 "intervals):");
  t.SetAlignLeft(0);
  Row(t, 0, {PadRight("Measure", kMeasureWidth), "Test", "Estimate", "SE(log)", "CI(-)", "CI(+)",
             "SE", "MAAH(-)", "MAAH(+)"});
  int row = 1;
  auto add = [&](const char* measure, const char* test, const tRatioAccuracy& r) {
    Row(t, row++, {PadRight(measure, kMeasureWidth), test, Number(r.estimate, d), Number(r.seLog, d), Number(r.log.Inf, d),
                   Number(r.log.Sup, d), Number(r.se, d), Number(r.martinAndres.Inf, d),
                   Number(r.martinAndres.Sup, d)});
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
    case tStatisticKind::none:
      return "";
    case tStatisticKind::exact:
      break;
  }
  return "exact";
}

std::string HolmText(const tComparison& c, tHolmFamily family, int d) {
  if (family == tHolmFamily::measures) return c.inHolmFamily ? PValueText(c.p_holm, d) : "";
  if (!c.inGlobalFamily) return "";
  return c.notTested ? "n.t." : PValueText(c.p_holm_global, d);
}

std::string MeasureLabel(const tComparison& c) {
  if (c.global) return c.measure;
  return c.measure + (c.ratio ? " A/B" : " A-B");
}

void WriteComparisons(tTextDocument& memo, const std::vector<tComparison>& list, const tCells& X,
                      tHolmFamily family, int d) {
  tTablaOutput t(memo, 10, static_cast<int>(list.size()) + 1,
                 "# Comparisons (differences A-B, ratios A/B):");
  t.SetAlignLeft(0);
  t.SetAlignLeft(1);
  Row(t, 0, {PadRight("Measure", kMeasureWidth), PadRight("Method", kMethodWidth), "Estimate", "SE", "CI(-)", "CI(+)", "Test", "Statistic",
             "p-value", "p(Holm)"});
  int row = 1;
  for (const tComparison& c : list) {
    const bool tests = c.kind != tStatisticKind::none;
    Row(t, row++,
        {PadRight(MeasureLabel(c), kMeasureWidth), PadRight(c.method, kMethodWidth),
         c.hasEstimate ? Number(c.estimate, d) : "", c.hasInterval ? Number(c.se, d) : "",
         c.hasInterval ? Number(c.interval.Inf, d) : "",
         c.hasInterval ? Number(c.interval.Sup, d) : "", KindText(c),
         c.kind == tStatisticKind::exact || !tests ? "" : Number(c.statistic, d),
         tests ? PValueText(c.p_value, d) : "", HolmText(c, family, d)});
  }
  t.Write();
  memo.AppendLine("- SE of a ratio: of its logarithm. Test: X2(df) chi-square, z normal, exact binomial.");
  memo.AppendLine(
      "- Intervals of Se and Sp A-B: McNemar's row Wald, then Wald with continuity correction,");
  memo.AppendLine("  Agresti-Min and Bonett-Price (centred on their adjusted differences), Tango score.");
  if (family == tHolmFamily::measures) {
    memo.AppendLine(
        "- p(Holm): Holm's step-down over the six comparisons that carry it, one per measure.");
  } else {
    memo.AppendLine(
        "- p(Holm): Holm's step-down over the global tests, then over the individual tests of the");
    memo.AppendLine(
        "  measures whose global test is significant (n.t.: not tested), as testCompareR adjusts.");
  }
  memo.AppendLine("- Covariance of ln rPPV and ln rNPV: " +
                  (IsMissing(LogRelativePredictiveCovariance(X))
                       ? std::string("N/A")
                       : Trim(Fixed(LogRelativePredictiveCovariance(X), 1, d + 4))));
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

tExtendedOptions ExtendedOptionsOf(const tConf_rec& options, const tTestNames& names) {
  tExtendedOptions e;
  e.holm = options.holmglobal ? tHolmFamily::global : tHolmFamily::measures;
  if (names.given()) {
    e.nameA = names.A();
    e.nameB = names.B();
  }
  return e;
}

std::string PValueText(double p, int d) {
  if (IsMissing(p)) return "N/A";
  const double smallest = std::pow(10.0, -d);
  if (p < 0.5 * smallest) return "<" + Trim(Fixed(smallest, 1, d));
  return Fixed(p, d + 2, d);
}

void AppendExtendedReport(tTextDocument& memo, const tCells& X, double alpha, int decimals,
                          tMethodSet& methods, const tExtendedOptions& options) {
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
  WriteExactIntervals(memo, acc, d);
  memo.AppendLine("");
  WriteYouden(memo, acc, d);
  memo.AppendLine("");
  const std::vector<tComparison> list = CompareTestsFully(X, alpha);
  WriteComparisons(memo, list, X, options.holm, d);
  memo.AppendLine("");
  WriteMethodPValues(memo, methods, d);
  memo.AppendLine("");
  memo.AppendLine(SummaryTitle(alpha, options.holm));
  for (const std::string& line : PlainSummary(acc, list, alpha, d, options.holm, options.nameA,
                                              options.nameB))
    memo.AppendLine(line);
  memo.AppendLine("");
}

}  // namespace kovalin
