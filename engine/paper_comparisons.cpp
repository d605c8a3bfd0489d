#include "engine/paper_comparisons.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <utility>

#include "engine/distributions.h"
#include "engine/paired_differences.h"

namespace kovalin {

namespace {

bool Usable(double x) { return std::isfinite(x) && !IsMissing(x); }
double OrMissing(double x) { return Usable(x) ? x : kMissing; }

// The delta method under multinomial sampling of the eight cells: a figure's
// gradient G with respect to the counts gives Cov(G, H) = sum_i x_i G_i H_i -
// (sum_i x_i G_i)(sum_i x_i H_i) / n (Agresti, Categorical Data Analysis, 3rd
// ed., section 16.1).
using tGradient = std::array<double, 9>;
using tCellSet = std::uint32_t;

constexpr tCellSet Cells(std::initializer_list<int> cells) {
  tCellSet s = 0;
  for (const int i : cells) s |= tCellSet{1} << i;
  return s;
}

bool Has(tCellSet s, std::size_t i) { return (s & (tCellSet{1} << i)) != 0; }

double SumOf(const tCells& X, tCellSet s) {
  double sum = 0;
  for (std::size_t i = 1; i <= 8; ++i)
    if (Has(s, i)) sum += X[i];
  return sum;
}

struct tFigure {
  double value = kMissing;
  tGradient gradient{};
};

// sum of c_k ln S_k.
tFigure LogFigure(const tCells& X, std::initializer_list<std::pair<double, tCellSet>> terms) {
  tFigure f;
  double g = 0;
  for (const auto& [coefficient, cells] : terms) {
    const double s = SumOf(X, cells);
    if (!(s > 0)) return {};
    g += coefficient * std::log(s);
    for (std::size_t i = 1; i <= 8; ++i)
      if (Has(cells, i)) f.gradient[i] += coefficient / s;
  }
  f.value = OrMissing(g);
  return f;
}

// A predictive value: the sum of the cells num over that of den (num within den).
tFigure RatioFigure(const tCells& X, tCellSet num, tCellSet den) {
  tFigure f;
  const double a = SumOf(X, num), d = SumOf(X, den);
  if (!(d > 0)) return f;
  f.value = a / d;
  for (std::size_t i = 1; i <= 8; ++i)
    f.gradient[i] = (Has(num, i) ? 1 / d : 0.0) - (Has(den, i) ? a / (d * d) : 0.0);
  return f;
}

tFigure Difference(const tFigure& a, const tFigure& b) {
  tFigure f;
  if (IsMissing(a.value) || IsMissing(b.value)) return f;
  f.value = a.value - b.value;
  for (std::size_t i = 1; i <= 8; ++i) f.gradient[i] = a.gradient[i] - b.gradient[i];
  return f;
}

double Covariance(const tCells& X, const tGradient& g, const tGradient& h) {
  double n = 0, gh = 0, sg = 0, sh = 0;
  for (std::size_t i = 1; i <= 8; ++i) {
    n += X[i];
    gh += X[i] * g[i] * h[i];
    sg += X[i] * g[i];
    sh += X[i] * h[i];
  }
  return OrMissing(gh - sg * sh / n);
}

// The Wald statistic d' S^-1 d of two figures with their delta-method
// covariance; missing when S is singular or a figure is undefined.
double JointWald(const tCells& X, const tFigure& a, const tFigure& b) {
  if (IsMissing(a.value) || IsMissing(b.value)) return kMissing;
  const double vaa = Covariance(X, a.gradient, a.gradient);
  const double vbb = Covariance(X, b.gradient, b.gradient);
  const double vab = Covariance(X, a.gradient, b.gradient);
  const double det = vaa * vbb - vab * vab;
  if (IsMissing(vaa) || IsMissing(vbb) || IsMissing(vab) || !(det > 0)) return kMissing;
  return OrMissing((a.value * a.value * vbb - 2 * a.value * b.value * vab + b.value * b.value * vaa) /
                   det);
}

tFigure LogRelativePPV(const tCells& X) {
  return LogFigure(X, {{1, Cells({1, 2})}, {-1, Cells({1, 2, 5, 6})}, {-1, Cells({1, 3})},
                       {1, Cells({1, 3, 5, 7})}});
}
tFigure LogRelativeNPV(const tCells& X) {
  return LogFigure(X, {{1, Cells({7, 8})}, {-1, Cells({3, 4, 7, 8})}, {-1, Cells({6, 8})},
                       {1, Cells({2, 4, 6, 8})}});
}

tComparison Row(std::string name, std::string measure, std::string method, bool ratio) {
  tComparison c;
  c.name = std::move(name);
  c.measure = std::move(measure);
  c.method = std::move(method);
  c.ratio = ratio;
  return c;
}

tComparison GlobalRow(std::string name, std::string measure, std::string method, double statistic) {
  tComparison c = Row(std::move(name), std::move(measure), std::move(method), false);
  c.global = true;
  c.kind = tStatisticKind::chiSquare;
  c.df = 2;
  c.statistic = OrMissing(statistic);
  c.p_value = ChiSquareTail(c.statistic, 2);
  return c;
}

tComparison IntervalRow(std::string name, std::string measure, std::string method,
                        const tPairedDifference& d, bool withSe) {
  tComparison c = Row(std::move(name), std::move(measure), std::move(method), false);
  c.kind = tStatisticKind::none;
  c.hasInterval = true;
  if (withSe) c.se = d.se;
  c.interval = d.interval;
  return c;
}

// Alonzo, Pepe and Moskowitz (Stat Med 2002; 21:835-852): ln of a relative
// Se, Sp or false positive fraction, with the delta-method variance
// (b + c) / ((a + b)(a + c)) of the pairs concerned.
tComparison RelativeRow(std::string name, std::string measure, const tFigure& logRatio,
                        const tCells& X, double z) {
  tComparison r = Row(std::move(name), std::move(measure), "Log ratio", true);
  r.kind = tStatisticKind::normal;
  r.hasEstimate = true;
  r.hasInterval = true;
  const double variance = IsMissing(logRatio.value)
                              ? kMissing
                              : Covariance(X, logRatio.gradient, logRatio.gradient);
  // No discordant pair: a ratio of 1 known without error, and no test.
  if (!IsMissing(variance) && variance >= 0) {
    const double se = std::sqrt(variance);
    r.estimate = OrMissing(std::exp(logRatio.value));
    r.se = se;
    if (se > 0) {
      r.statistic = OrMissing(logRatio.value / se);
      r.p_value = NormalTwoSidedP(r.statistic);
    }
    r.interval = {std::exp(logRatio.value - z * se), std::exp(logRatio.value + z * se)};
  }
  return r;
}

// The Wald test of a paired difference, (b - c)^2 / n^2 over its unrestricted
// variance, in the form of Roldan-Nofuentes and Sidaty-Regad (J Stat Comput
// Simul 2019; 89:2621-2644): n (b - c)^2 / (4bc + (a + d)(b + c)).
double PairedWald(double b, double c, double concordant) {
  const double n = b + c + concordant;
  return n * (b - c) * (b - c) / (4 * b * c + concordant * (b + c));
}

// The rows Se or Sp gains. b, c: pairs right on A only and on B only; n: the
// pairs; bothRight, bothWrong: the concordant pairs; logRatio: ln(A / B).
void AddAccuracyRows(std::vector<tComparison>& out, const std::string& key,
                     const std::string& measure, double b, double c, double n, double z,
                     const tFigure& logRatio, const tCells& X, double& wald) {
  wald = OrMissing(PairedWald(b, c, n - b - c));
  tComparison w = Row(key + "_wald", measure, "Wald", false);
  w.kind = tStatisticKind::chiSquare;
  w.df = 1;
  w.statistic = wald;
  w.p_value = ChiSquareTail(wald, 1);
  out.push_back(w);
  out.push_back(IntervalRow(key + "_wald_cc", measure, "Wald cc", WaldCorrectedDifference(b, c, n, z), true));
  out.push_back(IntervalRow(key + "_agresti_min", measure, "Agresti-Min", AgrestiMinDifference(b, c, n, z), true));
  out.push_back(IntervalRow(key + "_bonett_price", measure, "Bonett-Price", BonettPriceDifference(b, c, n, z), true));
  out.push_back(IntervalRow(key + "_tango", measure, "Tango score", TangoDifference(b, c, n, z), false));
  out.push_back(RelativeRow("r" + key, "r" + measure, logRatio, X, z));
}

double Sum(double a, double b) { return IsMissing(a) || IsMissing(b) ? kMissing : a + b; }

tComparison* Named(std::vector<tComparison>& list, const std::string& name) {
  for (tComparison& c : list)
    if (c.name == name) return &c;
  return nullptr;
}

// testCompareR's adjustment (compareR, multi_corr = "holm", cc = TRUE): Holm
// over the global tests, then Holm over the individual tests of the measures
// whose global test is significant after adjustment (or has no value). Se and
// Sp are tested by Wald when n <= 100 or n >= 1000 and by McNemar with
// continuity correction otherwise (Roldan-Nofuentes and Sidaty-Regad 2019);
// when n <= 100 and the prevalence is at most 10% there is no global test of
// Se and Sp and their Wald tests enter the second stage directly.
void AdjustAsTestCompareR(std::vector<tComparison>& list, const tCells& X, double alpha) {
  const double m1 = X[1] + X[2] + X[3] + X[4];
  const double n = m1 + X[5] + X[6] + X[7] + X[8];
  const bool sespGlobal = !(n <= 100 && m1 / n <= 0.1);
  const char* sespTest = (n <= 100 || n >= 1000) ? "wald" : "mcnemar_cc";

  struct tGate {
    const char* global;
    std::vector<std::string> members;
  };
  std::vector<tGate> gates = {{sespGlobal ? "sesp_wald" : nullptr,
                               {std::string("se_") + sespTest, std::string("sp_") + sespTest}},
                              {"pv_wald", {"ppv_wgs", "npv_wgs"}},
                              {"dlr_wald", {"rdlr_pos", "rdlr_neg"}}};
  std::vector<tComparison*> globals;
  for (const tGate& g : gates)
    if (g.global) globals.push_back(Named(list, g.global));
  std::vector<double> p;
  for (const tComparison* c : globals) p.push_back(c->p_value);
  const std::vector<double> adjusted = HolmAdjust(p);
  for (std::size_t i = 0; i < globals.size(); ++i) {
    globals[i]->inGlobalFamily = true;
    globals[i]->p_holm_global = adjusted[i];
  }

  std::vector<tComparison*> tested;
  for (const tGate& g : gates) {
    const tComparison* gate = g.global ? Named(list, g.global) : nullptr;
    const bool open = !gate || IsMissing(gate->p_holm_global) || gate->p_holm_global < alpha;
    for (const std::string& name : g.members) {
      tComparison* c = Named(list, name);
      c->inGlobalFamily = true;
      c->notTested = !open;
      if (open) tested.push_back(c);
    }
  }
  p.clear();
  for (const tComparison* c : tested) p.push_back(c->p_value);
  const std::vector<double> second = HolmAdjust(p);
  for (std::size_t i = 0; i < tested.size(); ++i) tested[i]->p_holm_global = second[i];
}

}  // namespace

std::vector<tComparison> CompareTestsFully(const tCells& X, double alpha) {
  const double z = TwoSidedZ(alpha);
  const double m1 = X[1] + X[2] + X[3] + X[4];
  const double m2 = X[5] + X[6] + X[7] + X[8];
  std::vector<tComparison> out;
  double seWald = kMissing, spWald = kMissing;
  for (const tComparison& c : CompareTests(X, alpha)) {
    if (c.name == "se_mcnemar_cc") {
      AddAccuracyRows(out, "se", "Se", X[2], X[3], m1, z,
                      LogFigure(X, {{1, Cells({1, 2})}, {-1, Cells({1, 3})}}), X, seWald);
    } else if (c.name == "sp_mcnemar_cc") {
      AddAccuracyRows(out, "sp", "Sp", X[7], X[6], m2, z,
                      LogFigure(X, {{1, Cells({7, 8})}, {-1, Cells({6, 8})}}), X, spWald);
      // The relative false positive fraction, which paired screen-positive
      // studies can estimate without Sp (Cheng and Macaluso, Epidemiology 1997).
      out.push_back(RelativeRow("rfpf", "rFPF",
                                LogFigure(X, {{1, Cells({5, 6})}, {-1, Cells({5, 7})}}), X, z));
    }
    out.push_back(c);
    if (c.name == "sp_exact") {
      // Roldan-Nofuentes and Sidaty-Regad (2019): the sum of the two Wald
      // statistics; Lachenbruch and Lynch (Stat Med 1998; 17:2207-2217): the
      // sum of the two McNemar statistics. Se and Sp come from disjoint
      // subjects, so each sum is chi-square on 2 df.
      const double mcnemar =
          Sum(Named(out, "se_mcnemar")->statistic, Named(out, "sp_mcnemar")->statistic);
      out.push_back(GlobalRow("sesp_wald", "Se,Sp", "Wald", Sum(seWald, spWald)));
      out.push_back(GlobalRow("sesp_mcnemar", "Se,Sp", "Gen. McNemar", mcnemar));
    } else if (c.name == "npv_wgs") {
      // Roldan-Nofuentes, Luna del Castillo and Montero-Alonso (Comput Stat
      // Data Anal 2012; 56:1161-1173): the Wald test of both differences of
      // predictive values with their delta-method covariance.
      const tFigure ppv = Difference(RatioFigure(X, Cells({1, 2}), Cells({1, 2, 5, 6})),
                                     RatioFigure(X, Cells({1, 3}), Cells({1, 3, 5, 7})));
      const tFigure npv = Difference(RatioFigure(X, Cells({7, 8}), Cells({3, 4, 7, 8})),
                                     RatioFigure(X, Cells({6, 8}), Cells({2, 4, 6, 8})));
      out.push_back(GlobalRow("pv_wald", "PPV,NPV", "Wald", JointWald(X, ppv, npv)));
    } else if (c.name == "rdlr_neg") {
      // Roldan-Nofuentes and Luna del Castillo (Stat Med 2007; 26:4179-4201):
      // the Wald test of both log relative likelihood ratios.
      const tFigure pos = LogFigure(X, {{1, Cells({1, 2})}, {-1, Cells({5, 6})},
                                        {-1, Cells({1, 3})}, {1, Cells({5, 7})}});
      const tFigure neg = LogFigure(X, {{1, Cells({3, 4})}, {-1, Cells({7, 8})},
                                        {-1, Cells({2, 4})}, {1, Cells({6, 8})}});
      out.push_back(GlobalRow("dlr_wald", "DLR+,DLR-", "Wald", JointWald(X, pos, neg)));
    }
  }
  AdjustAsTestCompareR(out, X, alpha);
  return out;
}

const tComparison* FindComparison(const std::vector<tComparison>& list, const std::string& name) {
  for (const tComparison& c : list)
    if (c.name == name) return &c;
  return nullptr;
}

double LogRelativePredictiveCovariance(const tCells& X) {
  const tFigure p = LogRelativePPV(X), n = LogRelativeNPV(X);
  if (IsMissing(p.value) || IsMissing(n.value)) return kMissing;
  return Covariance(X, p.gradient, n.gradient);
}

const tComparison* FamilyTestOf(const std::vector<tComparison>& list, const std::string& measure,
                                tHolmFamily family) {
  const std::string key = measure == "DLR+" || measure == "DLR-" ? "r" + measure : measure;
  for (const tComparison& c : list) {
    if (c.measure != key || c.global) continue;
    if (family == tHolmFamily::measures ? c.inHolmFamily : c.inGlobalFamily) return &c;
  }
  return nullptr;
}

}  // namespace kovalin
