#include "cli/extended_json.h"

#include "cli/method_json.h"
#include "engine/comparisons.h"
#include "engine/extended_summary.h"
#include "engine/paper_comparisons.h"

namespace kovalin::cli {

namespace {

nlohmann::ordered_json IntervalJson(const tInterval& i) {
  return {{"lower", NumberOrNull(i.Inf)}, {"upper", NumberOrNull(i.Sup)}};
}

nlohmann::ordered_json ProportionJson(const tProportionAccuracy& p, bool extended) {
  nlohmann::ordered_json intervals = {{"wald", IntervalJson(p.wald)},
                                      {"wilson", IntervalJson(p.wilson)}};
  if (extended) {
    intervals["exact"] = IntervalJson(p.exact);
    intervals["yu"] = IntervalJson(p.yu);
  }
  return {{"estimate", NumberOrNull(p.estimate)},
          {"se", NumberOrNull(p.se)},
          {"intervals", intervals}};
}

nlohmann::ordered_json RatioJson(const tRatioAccuracy& r, bool extended) {
  nlohmann::ordered_json j = {{"estimate", NumberOrNull(r.estimate)},
                              {"se", NumberOrNull(r.seLog)},
                              {"intervals", {{"log", IntervalJson(r.log)}}}};
  if (extended) {
    j["se_ratio"] = NumberOrNull(r.se);
    j["intervals"]["martin_andres"] = IntervalJson(r.martinAndres);
  }
  return j;
}

nlohmann::ordered_json TestAccuracyJson(const tTestAccuracy& a, bool extended) {
  nlohmann::ordered_json j = {
      {"sensitivity", ProportionJson(a.Se, extended)}, {"specificity", ProportionJson(a.Sp, extended)},
      {"ppv", ProportionJson(a.PPV, extended)},         {"npv", ProportionJson(a.NPV, extended)},
      {"dlr_pos", RatioJson(a.DLRpos, extended)},       {"dlr_neg", RatioJson(a.DLRneg, extended)}};
  if (extended) {
    j["youden"] = {{"estimate", NumberOrNull(a.youden.estimate)},
                   {"se", NumberOrNull(a.youden.se)},
                   {"intervals", {{"wald", IntervalJson(a.youden.wald)}}}};
  }
  return j;
}

nlohmann::ordered_json KindJson(tStatisticKind k) {
  switch (k) {
    case tStatisticKind::chiSquare:
      return "chi-square";
    case tStatisticKind::normal:
      return "normal";
    case tStatisticKind::none:
      return nullptr;
    case tStatisticKind::exact:
      break;
  }
  return "exact binomial";
}

}  // namespace

nlohmann::ordered_json AccuracyJson(const tCells& X, double alpha, bool extended) {
  const tPairedAccuracy acc = AccuracyOfTests(X, alpha);
  nlohmann::ordered_json j = {{"confidence", 1 - alpha}};
  if (extended) j["prevalence"] = ProportionJson(acc.prevalence, true);
  j["A"] = TestAccuracyJson(acc.A, extended);
  j["B"] = TestAccuracyJson(acc.B, extended);
  return j;
}

nlohmann::ordered_json ComparisonsJson(const tCells& X, double alpha, bool extended) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const tComparison& c : extended ? CompareTestsFully(X, alpha) : CompareTests(X, alpha)) {
    nlohmann::ordered_json j = {
        {"name", c.name},
        {"measure", c.measure},
        {"method", c.method},
        {"orientation", c.global ? nlohmann::ordered_json(nullptr)
                                 : nlohmann::ordered_json(c.ratio ? "A/B" : "A-B")},
        {"estimate", NumberOrNull(c.estimate)},
        {"se", NumberOrNull(c.se)},
        {"statistic", NumberOrNull(c.statistic)},
        {"distribution", KindJson(c.kind)},
        {"df", c.df > 0 ? nlohmann::ordered_json(c.df) : nlohmann::ordered_json(nullptr)},
        {"p_value", NumberOrNull(c.p_value)},
        {"p_holm", NumberOrNull(c.p_holm)},
        {"interval", c.hasInterval ? IntervalJson(c.interval) : nlohmann::ordered_json(nullptr)}};
    if (extended) {
      j["global"] = c.global;
      j["p_holm_global"] = NumberOrNull(c.p_holm_global);
      j["not_tested"] = c.notTested;
    }
    list.push_back(j);
  }
  return list;
}

void AddExtendedJson(nlohmann::ordered_json& result, const tCells& X, double alpha, int decimals,
                     const tExtendedOptions& options) {
  result["accuracy"] = AccuracyJson(X, alpha, true);
  result["comparisons"] = ComparisonsJson(X, alpha, true);
  result["rpv_covariance"] = NumberOrNull(LogRelativePredictiveCovariance(X));
  result["holm_family"] = options.holm == tHolmFamily::measures ? "measures" : "global";
  nlohmann::ordered_json summary = nlohmann::ordered_json::array();
  for (const std::string& line :
       PlainSummary(AccuracyOfTests(X, alpha), CompareTestsFully(X, alpha), alpha, decimals,
                    options.holm, options.nameA, options.nameB))
    summary.push_back(line);
  result["summary"] = summary;
}

}  // namespace kovalin::cli
