#pragma once

#include <array>

#include "engine/paired_types.h"

namespace kovalin {

// Cell probabilities of the paired 2x2x2 table, index 0 unused (0).
using tCellProbabilities = std::array<double, 9>;

// Values within 1e-9 of zero, and values that are not numbers, become 0.
double ZeroClip(double v);

// Sensitivity and specificity of one test from its predictive values and the
// prevalence p (clipped).
double SensitivityFromPredictive(double ppv, double npv, double p);
double SpecificityFromPredictive(double ppv, double npv, double p);

// Fills Se and Sp of both tests in m from their predictive values and prevalence.
void SetSensSpecFromPredictive(medidas2T& m);

// The measures of both tests as a record's fields hold them.
medidas2T MeasuresOfRecord(const tInputDataRec& r);

// The joint probabilities that make the odds ratios hold: x (both tests positive
// in a diseased subject) and y (both negative in a non-diseased one), two roots each.
struct tJointRoots {
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

// The two roots of O * (s1 - t)(s2 - t) = t * (1 - s1 - s2 + t) for t.
void OddsRatioRoots(double O, double s1, double s2, double& t1, double& t2);

tJointRoots JointRoots(const medidas2T& m);

// The eight cells of one pair (x, y) for prevalence p, each clipped, into Q[1..8]
// (Q[0] = 0). True when no cell is negative or not finite and they sum to 1
// within 1e-9.
bool CellsFromPair(const medidas2T& m, double p, double x, double y, tCellProbabilities& Q);

// Tries the pairs (x1, y1), (x1, y2), (x2, y1), (x2, y2), each only when both of
// its values are >= 0; P receives the cells of the first valid pair and is left
// unchanged when none is valid. Returns the number of valid pairs (0 to 4).
int ChooseCellProbabilities(const medidas2T& m, double p, tCellProbabilities& P);

}  // namespace kovalin
