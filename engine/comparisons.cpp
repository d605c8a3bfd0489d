#include "engine/comparisons.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <numeric>

#include "engine/distributions.h"

namespace kovalin {

namespace {

bool Usable(double x) { return std::isfinite(x) && !IsMissing(x); }
double OrMissing(double x) { return Usable(x) ? x : kMissing; }

// A set of cells, bit i for cell X[i].
using tCellSet = std::uint32_t;
constexpr tCellSet Cells(std::initializer_list<int> cells) {
  tCellSet s = 0;
  for (const int i : cells) s |= tCellSet{1} << i;
  return s;
}

double SumOf(const tCells& X, tCellSet s) {
  double sum = 0;
  for (std::size_t i = 1; i <= 8; ++i)
    if (s & (tCellSet{1} << i)) sum += X[i];
  return sum;
}

struct tLogTerm {
  double coefficient;
  tCellSet cells;
};

// g = sum of c_k ln(S_k), S_k a sum of cells. Under multinomial sampling the
// delta method gives Var(g) = sum_i x_i G_i^2 - (sum_i x_i G_i)^2 / n with
// G_i = dg/dx_i = sum over k containing i of c_k / S_k (Agresti, Categorical
// Data Analysis, 3rd ed., section 16.1). It is the variance of Moskowitz and
// Pepe (2006) for the relative predictive values and of Roldan-Nofuentes and
// Luna del Castillo (2007) for the relative likelihood ratios, and equals the
// robust variance of Gu and Pepe's (2009) regression that DTComPair fits.
struct tLogContrast {
  double value = kMissing;
  double variance = kMissing;
};

tLogContrast LogContrast(const tCells& X, std::initializer_list<tLogTerm> terms) {
  tLogContrast r;
  double g = 0;
  std::array<double, 9> G{};
  for (const tLogTerm& t : terms) {
    const double s = SumOf(X, t.cells);
    if (!(s > 0)) return r;
    g += t.coefficient * std::log(s);
    for (std::size_t i = 1; i <= 8; ++i)
      if (t.cells & (tCellSet{1} << i)) G[i] += t.coefficient / s;
  }
  double n = 0, first = 0, mean = 0;
  for (std::size_t i = 1; i <= 8; ++i) {
    n += X[i];
    first += X[i] * G[i] * G[i];
    mean += X[i] * G[i];
  }
  r.value = OrMissing(g);
  r.variance = OrMissing(first - mean * mean / n);
  return r;
}

tComparison Base(std::string name, std::string measure, std::string method, bool ratio) {
  tComparison c;
  c.name = std::move(name);
  c.measure = std::move(measure);
  c.method = std::move(method);
  c.ratio = ratio;
  return c;
}

void SetChiSquare(tComparison& c, double statistic) {
  c.kind = tStatisticKind::chiSquare;
  c.df = 1;
  c.statistic = OrMissing(statistic);
  c.p_value = ChiSquareTail(c.statistic, 1);
}

// McNemar (1947) on the b and c discordant pairs of n subjects, with the
// Wald interval of the paired difference (b - c)/n (Newcombe, Stat Med 1998,
// method 1); cc: Edwards' continuity correction.
tComparison McNemar(std::string name, std::string measure, double b, double c, double n,
                    double z) {
  tComparison r = Base(std::move(name), std::move(measure), "McNemar", false);
  r.hasEstimate = true;
  SetChiSquare(r, (b - c) * (b - c) / (b + c));
  const double diff = (b - c) / n;
  const double se = std::sqrt((b + c) - (b - c) * (b - c) / n) / n;
  r.estimate = OrMissing(diff);
  r.se = OrMissing(se);
  r.hasInterval = true;
  if (Usable(diff) && Usable(se)) r.interval = {diff - z * se, diff + z * se};
  return r;
}

tComparison McNemarCorrected(std::string name, std::string measure, double b, double c) {
  tComparison r = Base(std::move(name), std::move(measure), "McNemar cc", false);
  const double d = std::fabs(b - c) - 1;
  SetChiSquare(r, d * d / (b + c));
  return r;
}

tComparison Exact(std::string name, std::string measure, double b, double c) {
  tComparison r = Base(std::move(name), std::move(measure), "Exact binomial", false);
  r.kind = tStatisticKind::exact;
  r.p_value = ExactBinomialTwoSidedP(b, c);
  return r;
}

// The generalized score statistic of Leisenring, Alonzo and Pepe (Biometrics
// 2000) for equal predictive values: a GEE score test over the positive (or
// negative) results of both tests. both, onlyA, onlyB: subjects of the
// outcome the value predicts with that result on both tests, on A only, on B
// only; the other* arguments: the same for the other outcome.
double GeneralizedScore(double both, double onlyA, double onlyB, double otherBoth,
                        double otherOnlyA, double otherOnlyB) {
  const double nA = both + onlyA + otherBoth + otherOnlyA;
  const double nB = both + onlyB + otherBoth + otherOnlyB;
  const double zbar = nB / (nA + nB);                        // share of B's results
  const double dbar = (2 * both + onlyA + onlyB) / (nA + nB);  // pooled value
  const double u = both * (1 - 2 * zbar) + onlyB * (1 - zbar) - onlyA * zbar;
  auto spread = [&](double b2, double a, double b) {
    return b2 * (1 - 2 * zbar) * (1 - 2 * zbar) + b * (1 - zbar) * (1 - zbar) + a * zbar * zbar;
  };
  const double v = (1 - dbar) * (1 - dbar) * spread(both, onlyA, onlyB) +
                   dbar * dbar * spread(otherBoth, otherOnlyA, otherOnlyB);
  return u * u / v;
}

// Kosinski's (Stat Med 2013) weighted generalized score statistic, with the
// same arguments; difference is the predictive value of A minus that of B.
double WeightedGeneralizedScore(double both, double onlyA, double onlyB, double otherBoth,
                                double otherOnlyA, double otherOnlyB, double difference) {
  const double nA = both + onlyA + otherBoth + otherOnlyA;
  const double nB = both + onlyB + otherBoth + otherOnlyB;
  const double pooled = (2 * both + onlyA + onlyB) / (nA + nB);
  const double c = (both * (1 - pooled) * (1 - pooled) + otherBoth * pooled * pooled) / (nA + nB);
  return difference * difference / ((pooled * (1 - pooled) - 2 * c) * (1 / nA + 1 / nB));
}

tComparison RelativeByLog(std::string name, std::string measure, const tLogContrast& lc,
                          double z) {
  tComparison r = Base(std::move(name), std::move(measure), "Log ratio", true);
  r.kind = tStatisticKind::normal;
  r.hasEstimate = true;
  r.hasInterval = true;
  if (IsMissing(lc.value) || IsMissing(lc.variance) || lc.variance < 0) return r;
  const double se = std::sqrt(lc.variance);
  r.estimate = OrMissing(std::exp(lc.value));
  r.se = OrMissing(se);
  r.statistic = OrMissing(lc.value / se);
  r.p_value = NormalTwoSidedP(r.statistic);
  if (Usable(r.estimate) && Usable(se))
    r.interval = {std::exp(lc.value - z * se), std::exp(lc.value + z * se)};
  return r;
}

}  // namespace

std::vector<double> HolmAdjust(const std::vector<double>& p) {
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < p.size(); ++i)
    if (!IsMissing(p[i])) order.push_back(i);
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return p[a] < p[b] || (p[a] == p[b] && a < b);
  });
  std::vector<double> adjusted(p.size(), kMissing);
  const double m = static_cast<double>(order.size());
  double running = 0;
  for (std::size_t rank = 0; rank < order.size(); ++rank) {
    const double factor = m - static_cast<double>(rank);
    running = std::fmax(running, std::fmin(1.0, factor * p[order[rank]]));
    adjusted[order[rank]] = running;
  }
  return adjusted;
}

double TestPValue(const tTest& t, int df) { return ChiSquareTail(t.Cexp, df); }

tCells CellsOfInput(const tInputData& input) {
  tCells X{};
  const bool integers = input.N[0] != kMissingInt;
  for (std::size_t i = 1; i <= 8; ++i)
    X[i] = integers ? static_cast<double>(input.N[i]) : input.V[i];
  return X;
}

std::vector<tComparison> CompareTests(const tCells& X, double alpha) {
  const double z = TwoSidedZ(alpha);
  const double m1 = X[1] + X[2] + X[3] + X[4];
  const double m2 = X[5] + X[6] + X[7] + X[8];
  const tPairedAccuracy acc = AccuracyOfTests(X, alpha);
  std::vector<tComparison> list;

  // Sensitivities: the discordant diseased are X[2] (A+ B-) and X[3] (A- B+).
  list.push_back(McNemar("se_mcnemar", "Se", X[2], X[3], m1, z));
  list.back().inHolmFamily = true;
  list.push_back(McNemarCorrected("se_mcnemar_cc", "Se", X[2], X[3]));
  list.push_back(Exact("se_exact", "Se", X[2], X[3]));
  // Specificities: A is right and B wrong in X[7] (A- B+), the reverse in X[6].
  list.push_back(McNemar("sp_mcnemar", "Sp", X[7], X[6], m2, z));
  list.back().inHolmFamily = true;
  list.push_back(McNemarCorrected("sp_mcnemar_cc", "Sp", X[7], X[6]));
  list.push_back(Exact("sp_exact", "Sp", X[7], X[6]));

  const double dPPV = acc.A.PPV.estimate - acc.B.PPV.estimate;
  const double dNPV = acc.A.NPV.estimate - acc.B.NPV.estimate;
  const bool pvKnown = !IsMissing(acc.A.PPV.estimate) && !IsMissing(acc.B.PPV.estimate);
  const bool nvKnown = !IsMissing(acc.A.NPV.estimate) && !IsMissing(acc.B.NPV.estimate);
  auto pv = [&](std::string name, std::string measure, std::string method, bool known,
                double difference, double statistic, bool family) {
    tComparison c = Base(std::move(name), std::move(measure), std::move(method), false);
    c.hasEstimate = true;
    c.estimate = known ? OrMissing(difference) : kMissing;
    SetChiSquare(c, statistic);
    c.inHolmFamily = family;
    list.push_back(c);
  };
  // Positive results: diseased X[1] both, X[2] A only, X[3] B only; X[5..7] not diseased.
  pv("ppv_gs", "PPV", "Gen. score", pvKnown, dPPV,
     GeneralizedScore(X[1], X[2], X[3], X[5], X[6], X[7]), false);
  pv("ppv_wgs", "PPV", "Weighted gen. score", pvKnown, dPPV,
     WeightedGeneralizedScore(X[1], X[2], X[3], X[5], X[6], X[7], dPPV), true);
  // Negative results: not diseased X[8] both, X[7] A only, X[6] B only; X[4], X[3], X[2].
  pv("npv_gs", "NPV", "Gen. score", nvKnown, dNPV,
     GeneralizedScore(X[8], X[7], X[6], X[4], X[3], X[2]), false);
  pv("npv_wgs", "NPV", "Weighted gen. score", nvKnown, dNPV,
     WeightedGeneralizedScore(X[8], X[7], X[6], X[4], X[3], X[2], dNPV), true);

  // ln rPPV = ln(TP_A / nA) - ln(TP_B / nB), and so on.
  list.push_back(RelativeByLog("rppv", "rPPV",
                               LogContrast(X, {{1, Cells({1, 2})},
                                               {-1, Cells({1, 2, 5, 6})},
                                               {-1, Cells({1, 3})},
                                               {1, Cells({1, 3, 5, 7})}}),
                               z));
  list.push_back(RelativeByLog("rnpv", "rNPV",
                               LogContrast(X, {{1, Cells({7, 8})},
                                               {-1, Cells({3, 4, 7, 8})},
                                               {-1, Cells({6, 8})},
                                               {1, Cells({2, 4, 6, 8})}}),
                               z));
  // ln rDLR+ = ln(SeA / (1 - SpA)) - ln(SeB / (1 - SpB)); the margins cancel.
  list.push_back(RelativeByLog("rdlr_pos", "rDLR+",
                               LogContrast(X, {{1, Cells({1, 2})},
                                               {-1, Cells({5, 6})},
                                               {-1, Cells({1, 3})},
                                               {1, Cells({5, 7})}}),
                               z));
  list.back().inHolmFamily = true;
  list.push_back(RelativeByLog("rdlr_neg", "rDLR-",
                               LogContrast(X, {{1, Cells({3, 4})},
                                               {-1, Cells({7, 8})},
                                               {-1, Cells({2, 4})},
                                               {1, Cells({6, 8})}}),
                               z));
  list.back().inHolmFamily = true;

  std::vector<double> family;
  for (const tComparison& c : list)
    if (c.inHolmFamily) family.push_back(c.p_value);
  const std::vector<double> adjusted = HolmAdjust(family);
  std::size_t next = 0;
  for (tComparison& c : list)
    if (c.inHolmFamily) c.p_holm = adjusted[next++];
  return list;
}

}  // namespace kovalin
