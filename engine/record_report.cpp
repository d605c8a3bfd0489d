#include "engine/record_report.h"

#include <initializer_list>

#include "engine/text_document.h"

namespace kovalin {

namespace {

// A group heading is printed when one of these methods is active; dp, LRp and
// the R methods alone print their lines without it.
constexpr std::initializer_list<int> kDifferenceHeadingMethods = {1, 2, 10, 11, 12, 13};
constexpr std::initializer_list<int> kRatioHeadingMethods = {4, 5, 14, 15, 16, 17, 18, 19, 20, 21};

bool AnyActive(tMethodSet& methods, std::initializer_list<int> indexes) {
  for (const int i : indexes)
    if (methods[i].Active) return true;
  return false;
}

// Reports methods first..last; the first active one of the group gets the header.
template <class Report>
void ForActiveIn(tMethodSet& methods, int first, int last, Report report) {
  bool header = true;
  for (int i = first; i <= last; ++i) {
    if (!methods[i].Active) continue;
    report(methods[i], header);
    header = false;
  }
}

}  // namespace

void AppendMethodSummaries(tTextDocument& memo, tMethodSet& methods, double dRef, double rRef,
                           int decimals, const std::string& differencesHeading,
                           const std::string& ratiosHeading) {
  memo.AppendLine("");
  if (AnyActive(methods, kDifferenceHeadingMethods)) memo.AppendLine(differencesHeading);
  ForActiveIn(methods, 1, 3, [&](t2BDM& m, bool header) { m.Show_Summary(memo, header, dRef, decimals); });
  memo.AppendLine("");
  if (AnyActive(methods, kRatioHeadingMethods)) memo.AppendLine(ratiosHeading);
  ForActiveIn(methods, 4, kMethodCount, [&](t2BDM& m, bool header) {
    m.Show_Summary(memo, header, m.IsDifference() ? dRef : rRef, decimals);
  });
}

void AppendMethodReports(tTextDocument& memo, tMethodSet& methods, bool fullOutput, double dRef,
                         double rRef, int decimals, const tTestNames& names) {
  std::string differences = "[1] DIFFERENCES:";
  std::string ratios = "[2] RATIOS:";
  if (names.given()) {
    const std::string a = "PPV(" + names.A() + ")";
    const std::string b = "PPV(" + names.B() + ")";
    differences += " " + a + " - " + b;
    ratios += " " + a + " / " + b;
  }

  if (fullOutput) {
    memo.AppendLine("");
    if (AnyActive(methods, kDifferenceHeadingMethods)) memo.AppendLine(differences);
    ForActiveIn(methods, 1, 3, [&](t2BDM& m, bool) { m.Show_full(memo); });
    memo.AppendLine("");
    if (AnyActive(methods, kRatioHeadingMethods)) memo.AppendLine(ratios);
    ForActiveIn(methods, 4, kMethodCount, [&](t2BDM& m, bool) { m.Show_full(memo); });
  }

  AppendMethodSummaries(memo, methods, dRef, rRef, decimals, differences, ratios);
}

}  // namespace kovalin
