#include "cli/extended_json.h"

#include "cli/method_json.h"
#include "engine/comparisons.h"

namespace kovalin::cli {

namespace {

nlohmann::ordered_json IntervalJson(const tInterval& i) {
  return {{"lower", NumberOrNull(i.Inf)}, {"upper", NumberOrNull(i.Sup)}};
}

nlohmann::ordered_json ProportionJson(const tProportionAccuracy& p) {
  return {{"estimate", NumberOrNull(p.estimate)},
          {"se", NumberOrNull(p.se)},
          {"intervals", {{"wald", IntervalJson(p.wald)}, {"wilson", IntervalJson(p.wilson)}}}};
}

nlohmann::ordered_json RatioJson(const tRatioAccuracy& r) {
  return {{"estimate", NumberOrNull(r.estimate)},
          {"se", NumberOrNull(r.seLog)},
          {"intervals", {{"log", IntervalJson(r.log)}}}};
}

nlohmann::ordered_json TestAccuracyJson(const tTestAccuracy& a) {
  return {{"sensitivity", ProportionJson(a.Se)}, {"specificity", ProportionJson(a.Sp)},
          {"ppv", ProportionJson(a.PPV)},         {"npv", ProportionJson(a.NPV)},
          {"dlr_pos", RatioJson(a.DLRpos)},       {"dlr_neg", RatioJson(a.DLRneg)}};
}

const char* KindName(tStatisticKind k) {
  switch (k) {
    case tStatisticKind::chiSquare:
      return "chi-square";
    case tStatisticKind::normal:
      return "normal";
    case tStatisticKind::exact:
      break;
  }
  return "exact binomial";
}

}  // namespace

nlohmann::ordered_json AccuracyJson(const tCells& X, double alpha) {
  const tPairedAccuracy acc = AccuracyOfTests(X, alpha);
  return {{"confidence", 1 - alpha}, {"A", TestAccuracyJson(acc.A)}, {"B", TestAccuracyJson(acc.B)}};
}

nlohmann::ordered_json ComparisonsJson(const tCells& X, double alpha) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const tComparison& c : CompareTests(X, alpha)) {
    list.push_back({{"name", c.name},
                    {"measure", c.measure},
                    {"method", c.method},
                    {"orientation", c.ratio ? "A/B" : "A-B"},
                    {"estimate", NumberOrNull(c.estimate)},
                    {"se", NumberOrNull(c.se)},
                    {"statistic", NumberOrNull(c.statistic)},
                    {"distribution", KindName(c.kind)},
                    {"df", c.df > 0 ? nlohmann::ordered_json(c.df) : nlohmann::ordered_json(nullptr)},
                    {"p_value", NumberOrNull(c.p_value)},
                    {"p_holm", NumberOrNull(c.p_holm)},
                    {"interval", c.hasInterval ? IntervalJson(c.interval)
                                               : nlohmann::ordered_json(nullptr)}});
  }
  return list;
}

}  // namespace kovalin::cli
