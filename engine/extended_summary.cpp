#include "engine/extended_summary.h"

#include "engine/extended_report.h"
#include "engine/text_format.h"

namespace kovalin {

namespace {

std::string Value(double x, int d) { return IsMissing(x) ? "N/A" : Trim(Fixed(x, 1, d)); }

// "p = 0.1330", "p < 0.0001"; prefix "Holm-adjusted" gives "Holm-adjusted 0.5300".
std::string PText(const std::string& prefix, double p, int d) {
  const std::string text = PValueText(p, d);
  if (text[0] == '<') return prefix + " < " + text.substr(1);
  return prefix + (prefix == "p" ? " = " : " ") + text;
}

struct tMeasure {
  const char* key;   // the measure in the comparisons
  const char* name;  // in the sentence
  double a, b;
  const char* global;  // the global test of the measure's pair
  const char* pair;
};

std::string Sentence(const tMeasure& m, const tComparison* test, double alpha, int d,
                     tHolmFamily family, const std::vector<tComparison>& list,
                     const std::string& nameA, const std::string& nameB) {
  const std::string subject = std::string("The ") + m.name + " of " + nameA + " (" + Value(m.a, d) + ")";
  const std::string other = " that of " + nameB + " (" + Value(m.b, d) + ")";
  if (IsMissing(m.a) || IsMissing(m.b) || !test)
    return subject + " and" + other + " cannot be compared: one of them is undefined.";
  const double p = test->p_value;
  if (IsMissing(p)) {
    return subject + (m.a == m.b ? " equals" : " differs from") + other +
           ", and no test is possible (" + test->method + "): p = N/A.";
  }
  const std::string pPart = PText("p", p, d);
  if (family == tHolmFamily::global && test->notTested) {
    const tComparison* g = FindComparison(list, m.global);
    return subject + " is not significantly different from" + other + ": " + pPart +
           ", not tested after adjustment, since the global test of " + m.pair +
           " is not significant (" + PText("Holm-adjusted", g ? g->p_holm_global : kMissing, d) +
           ").";
  }
  const double adjusted = family == tHolmFamily::measures ? test->p_holm : test->p_holm_global;
  const std::string adjustedPart = PText("Holm-adjusted", adjusted, d);
  if (IsMissing(adjusted) || !(adjusted < alpha))
    return subject + " is not significantly different from" + other + ": " + pPart + ", " +
           adjustedPart + ".";
  return subject + " is significantly " + (m.a > m.b ? "higher" : "lower") + " than" + other +
         ": " + pPart + ", " + adjustedPart + ".";
}

}  // namespace

std::string SummaryTitle(double alpha, tHolmFamily family) {
  return "# Summary at level " + Trim(Fixed(alpha, 1, 2)) +
         (family == tHolmFamily::measures
              ? ", Holm's adjustment over one test per measure:"
              : ", Holm's adjustment over the global tests, then the individual tests:");
}

std::vector<std::string> PlainSummary(const tPairedAccuracy& acc,
                                      const std::vector<tComparison>& list, double alpha, int d,
                                      tHolmFamily family, const std::string& nameA,
                                      const std::string& nameB) {
  const tMeasure measures[] = {
      {"Se", "sensitivity", acc.A.Se.estimate, acc.B.Se.estimate, "sesp_wald", "Se and Sp"},
      {"Sp", "specificity", acc.A.Sp.estimate, acc.B.Sp.estimate, "sesp_wald", "Se and Sp"},
      {"PPV", "PPV", acc.A.PPV.estimate, acc.B.PPV.estimate, "pv_wald", "PPV and NPV"},
      {"NPV", "NPV", acc.A.NPV.estimate, acc.B.NPV.estimate, "pv_wald", "PPV and NPV"},
      {"DLR+", "DLR+", acc.A.DLRpos.estimate, acc.B.DLRpos.estimate, "dlr_wald", "DLR+ and DLR-"},
      {"DLR-", "DLR-", acc.A.DLRneg.estimate, acc.B.DLRneg.estimate, "dlr_wald", "DLR+ and DLR-"}};
  std::vector<std::string> lines;
  for (const tMeasure& m : measures)
    lines.push_back(Sentence(m, FamilyTestOf(list, m.key, family), alpha, d, family, list, nameA,
                             nameB));
  return lines;
}

}  // namespace kovalin
