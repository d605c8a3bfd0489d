// Cell probabilities of populations given by their predictive values, the
// prevalence and the two odds ratios, as a simulation's records get them.
#include <Rcpp.h>

#include <cmath>
#include <string>

#include "glue_common.h"
#include "simulation/cell_probabilities.h"

using namespace kovalin;

namespace {

std::string ProblemOf(double ppvA, double ppvB, double npvA, double npvB, double p,
                      double orPos, double orNeg) {
  const double inUnit[] = {ppvA, ppvB, npvA, npvB, p};
  const char* unitNames[] = {"ppv_a", "ppv_b", "npv_a", "npv_b", "prevalence"};
  for (int i = 0; i < 5; ++i) {
    if (std::isnan(inUnit[i])) return std::string(unitNames[i]) + " is missing";
    if (!(inUnit[i] >= 0 && inUnit[i] <= 1))
      return std::string(unitNames[i]) + " is outside 0..1";
  }
  if (std::isnan(orPos)) return "or_pos is missing";
  if (std::isnan(orNeg)) return "or_neg is missing";
  if (!(orPos >= 0) || !std::isfinite(orPos)) return "or_pos is negative or infinite";
  if (!(orNeg >= 0) || !std::isfinite(orNeg)) return "or_neg is negative or infinite";
  return {};
}

}  // namespace

// Vectors of one length (recycled in R). Returns an 8-column matrix of the
// cells (NA rows where invalid) and the reason of each invalid row ("" else).
// [[Rcpp::export(name = ".kv_probabilities")]]
Rcpp::List Probabilities(Rcpp::NumericVector ppvA, Rcpp::NumericVector ppvB,
                         Rcpp::NumericVector npvA, Rcpp::NumericVector npvB,
                         Rcpp::NumericVector prevalence, Rcpp::NumericVector orPos,
                         Rcpp::NumericVector orNeg) {
  const R_xlen_t n = ppvA.size();
  Rcpp::NumericMatrix cells(n, 8);
  Rcpp::CharacterVector reason(n);
  for (R_xlen_t i = 0; i < n; ++i) {
    std::string problem =
        ProblemOf(ppvA[i], ppvB[i], npvA[i], npvB[i], prevalence[i], orPos[i], orNeg[i]);
    tCellProbabilities P{};
    if (problem.empty()) {
      tInputDataRec rec;
      rec.PA = ppvA[i];
      rec.PB = ppvB[i];
      rec.NA = npvA[i];
      rec.NB = npvB[i];
      rec.P = prevalence[i];
      rec.O_pos = orPos[i];
      rec.O_neg = orNeg[i];
      medidas2T m = MeasuresOfRecord(rec);
      SetSensSpecFromPredictive(m);
      if (ChooseCellProbabilities(m, rec.P, P) == 0)
        problem = "these parameters give no valid cell probabilities";
    }
    for (int k = 0; k < 8; ++k)
      cells(i, k) = problem.empty() ? P[static_cast<std::size_t>(k) + 1] : NA_REAL;
    reason[i] = problem;
  }
  return Rcpp::List::create(Rcpp::Named("cells") = cells, Rcpp::Named("reason") = reason);
}
