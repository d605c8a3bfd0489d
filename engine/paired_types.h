#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/missing.h"

namespace kovalin {

// Cells of the paired table, in the order (test A, test B, gold standard).
// Index 0 is unused so that cell i is X[i].
inline constexpr std::array<const char*, 9> kCellLabels = {
    "", "+++", "+-+", "-++", "--+", "++-", "+--", "-+-", "---"};

enum class tMethodType { difference, ratio };

// Which parts of an analysis Calculate runs.
enum class tSimulationType { simAny, SimCI, simIT, simGT };

// Input of one calculation: integer frequencies in N[1..8], or real ones in V[1..8]
// when N[0] is -999 (V[0] holds their total and is not read by the engine).
struct tInputData {
  std::array<std::int32_t, 9> N{};
  std::array<double, 9> V{};
};

// The corrected cells and their sums.
struct tData_Rec {
  std::array<double, 9> X{};
  double n = 0, n1 = 0, n2 = 0, n3 = 0, n4 = 0;
  double nA = 0, nB = 0, nnA = 0, nnB = 0;
  double m1 = 0, m2 = 0;
  double nA_x_nB = 0, nA_plus_nB = 0;
};

struct medidas1T {
  double Prevalencia = kMissing, Se = kMissing, Sp = kMissing, PPV = kMissing, NPV = kMissing;
};

struct medidas2T {
  medidas1T A, B;
  double O_pos = kMissing, O_neg = kMissing;
};

struct tEstimate {
  double value = kMissing, variance = kMissing, SE = kMissing;
};

struct tConfidenceInterval {
  double Inf = kMissing, Sup = kMissing, Length = kMissing, Confidence = kMissing;
};

struct tFullEstimate {
  tEstimate Estimate;
  tConfidenceInterval CI;
};

struct tTest {
  double Cexp = kMissing;
  double Calfa = 0;
  double alfa = 0;
  double pvalue = kMissing;  // never computed
  bool signification = false;
};

// One record of a data table: a raw sample's measures or a population's parameters.
struct tInputDataRec {
  double conf = kMissing;
  double PA = kMissing, PB = kMissing, NA = kMissing, NB = kMissing;
  double SeA = kMissing, SpA = kMissing, SeB = kMissing, SpB = kMissing;
  double P = kMissing;
  double O_pos = kMissing, O_neg = kMissing;
  double d_pos = kMissing, d_neg = kMissing, R_pos = kMissing, R_neg = kMissing;
  double realn = kMissing;
  std::int32_t id = kMissingInt;
  std::int32_t n = kMissingInt;
};

inline constexpr int kMethodCount = 21;

// Analysis options of a run; the process-wide instance is AppOptions.
struct tConf_rec {
  std::array<bool, kMethodCount + 1> Methods{};  // 1..21; index 0 unused
  double epsilon = 0.05;
  std::int32_t maxsamples = 0;
  std::int32_t decimals = 4;
  bool fulloutput = false;
  double alfa_level = 0.05;
  double za = 1.96;
  bool extendedoutput = false;  // "Extended output" of the Options dialog
  bool npvoutput = false;       // the NPV comparison by the 21 methods (block [4])
};

// Arguments of a method object's creation.
struct tInitMethodRec {
  std::int32_t method_Index = 0;
  tMethodType method_Type = tMethodType::difference;
  std::string method_Name;
  double method_h = 0;
  tSimulationType method_SimType = tSimulationType::simAny;
  double method_Epsilon = 0;
  double method_alfa = 0;
  double method_z = 0;   // carried, not read
  double method_z2 = 0;  // carried, not read
  std::int32_t maxsamples = 0;
};

// Simulation accumulator of an interval method.
struct tCI_SimRec {
  std::int32_t N = 0;
  std::int32_t Iterations = 0;
  std::int32_t DataCorrections = 0;
  std::int32_t Nfailed = 0;
  double nData = 0;
  double ParameterValue = 0;
  double Coverage = 0;
  double MeanAmplitude = 0;
};

// Simulation accumulator of a homogeneity test.
struct tHTest_SimRec {
  std::int32_t Iterations = 0;
  std::int32_t DataCorrections = 0;
  std::int32_t N = 0;
  std::int32_t Nfailed = 0;
  std::int32_t maxits = 0;
  std::int32_t N_Significations = 0;
  double P_Significations = 0;
};

}  // namespace kovalin
