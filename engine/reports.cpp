#include <string>

#include "engine/t2bdm.h"
#include "engine/text_document.h"
#include "engine/text_format.h"
#include "engine/text_table.h"

namespace kovalin {

namespace {

const char* const kSummaryLabels[] = {"Estimate",  "SE",        "CI(-)",    "CI(+)",
                                      "CI Length", "IHT(Cexp)", "GHT(Cexp)"};

// A summary value: "N/A" when missing, otherwise the number right-aligned in w
// characters. A number wider than its column is printed whole.
std::string SummaryValue(double x, int w, int d) {
  if (IsMissing(x)) return PadLeft("N/A", w);
  return Fixed(x, w, d);
}

std::string Full(double x) { return Fixed(x, 6, 1); }

std::string TestText(const tTest& t) { return t.Cexp > kMissing ? Full(t.Cexp) : "N/A"; }

}  // namespace

void t2BDM::Show_Summary(tTextDocument& memo, bool header, double ParameterValue,
                         int decimals) const {
  const int d = decimals;
  const int w = d + 10;
  const bool withParameter = !IsMissing(ParameterValue);

  if (header) {
    std::string line = "\t" + PadRight("Method", w);
    for (const char* label : kSummaryLabels) line += "\t" + PadLeft(label, w);
    if (withParameter) line += "\t" + PadLeft("Param\t/cover", w);
    memo.AppendLine(line);
  }

  std::string line = "\t" + PadRight(method_Name, w);
  for (const double x : {Params.Estimate.value, Params.Estimate.SE, Params.CI.Inf, Params.CI.Sup,
                         Params.CI.Length})
    line += "\t" + SummaryValue(x, w, d);
  line += "\t" + SummaryValue(ITest.Cexp, w, d);
  if (ITest.signification) line += "*";
  line += "\t" + SummaryValue(GTest.Cexp, w, d);
  if (GTest.signification) line += "*";
  if (withParameter) {
    const auto& ci = Params.CI;
    // A missing bound covers nothing.
    const bool covers = !IsMissing(ci.Inf) && !IsMissing(ci.Sup) && !(ci.Inf > ParameterValue) &&
                        !(ci.Sup < ParameterValue);
    line += Fixed(ParameterValue, w, 2) + " " + (covers ? "T" : "F");
  }
  memo.AppendLine(line);
}

void t2BDM::Show_full(tTextDocument& memo) const {
  memo.AppendLine("# Method " + method_Name);
  memo.AppendLine("-------------------");
  memo.AppendLine("\tData corrections: " + std::to_string(epsilon_Corrections));

  {
    tTablaOutput data(memo, 5, 2, "\tData analyzed ");
    data.TitleAdd(" (N: " + Trim(Full(Cells().n)) + ")", false);
    for (int i = 1; i <= 8; ++i) {
      const int row = i <= 4 ? 0 : 1;
      const int col = i <= 4 ? i : i - 4;
      data.Asigna("X[" + std::to_string(i) + "]: " + Full(Cells().X[static_cast<std::size_t>(i)]), row,
                  col);
    }
    data.Write();
    memo.AppendLine("");
  }

  {
    const auto& A = Measures().A;
    const auto& B = Measures().B;
    tTablaOutput est(memo, 3, 9, "      # Estimations ");
    est.SetAlignLeft(0);
    est.SetLTabs(1);
    const std::string rows[9][3] = {
        {"Test", "---A---", "---B---"},
        {"Se:", Full(A.Se), Full(B.Se)},
        {"Sp:", Full(A.Sp), Full(B.Sp)},
        {"PPV:", Full(A.PPV), Full(B.PPV)},
        {"NPV:", Full(A.NPV), Full(B.NPV)},
        {"", "", ""},
        {"OR+:", Full(Measures().O_pos), ""},
        {"OR-:", Full(Measures().O_neg), ""},
        {"Prev:", Full(A.Prevalencia), ""},
    };
    for (int i = 0; i < 9; ++i)
      for (int j = 0; j < 3; ++j) est.Asigna(rows[i][j], i, j);
    est.Write();
    memo.AppendLine("");
  }

  {
    const bool dif = IsDifference();
    tTablaOutput inf(memo, 4, 4, "      # Inferences on PPV:");
    inf.SetAlignLeft(0);
    inf.SetAlignLeft(3);
    inf.SetLTabs(1);
    const std::string se =
        Params.Estimate.variance > kMissing ? Trim(Full(Params.Estimate.SE)) : "N/A";
    inf.Asigna(dif ? "Dif.(A-B)±SE" : "Ratio(A/B)±SE", 0, 0);
    inf.Asigna(Trim(Full(Params.Estimate.value)) + "±" + se, 0, 2);
    inf.Asigna(std::to_string(RoundHalfEven(100 * Params.CI.Confidence)) + "%-CI" +
                   (dif ? "(A-B):" : "(A/B):"),
               1, 0);
    inf.Asigna("(" + Trim(Full(Params.CI.Inf)) + ", " + Trim(Full(Params.CI.Sup)) + ")", 1, 2);
    inf.Asigna("A=" + Full(Params.CI.Length), 1, 3);
    inf.Asigna("I-Homog. Test:", 2, 0);
    inf.Asigna(TestText(ITest), 2, 2);
    inf.Asigna(ITest.signification ? "*" : "NS", 2, 3);
    inf.Asigna("G-Homog. Test:", 3, 0);
    inf.Asigna("      ", 3, 1);
    inf.Asigna(TestText(GTest), 3, 2);
    inf.Asigna(GTest.signification ? "*" : "NS", 3, 3);
    inf.Write();
    memo.AppendLine("");
  }
}

}  // namespace kovalin
