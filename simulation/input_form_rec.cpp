#include "simulation/input_form_rec.h"

#include <cmath>

namespace kovalin {

std::optional<std::int32_t> NumSamplesFrom(double base, int exponent, std::string& error) {
  const double value = base * std::pow(10.0, exponent);
  // nearbyint rounds halves to even; a value that is not a number stays one.
  const double rounded = std::nearbyint(value);
  if (!(rounded <= static_cast<double>(kMaxNumSamples))) {
    error = "the number of samples per record is above " + std::to_string(kMaxNumSamples);
    return std::nullopt;
  }
  if (rounded < 1) {
    error = "the number of samples per record must be at least 1";
    return std::nullopt;
  }
  return static_cast<std::int32_t>(rounded);
}

std::int32_t SamplesTolerance(std::int32_t numSamples, int percent) {
  const double extra = static_cast<double>(numSamples) * percent / 100.0;
  const double total = static_cast<double>(numSamples) + std::nearbyint(extra);
  if (!(total <= static_cast<double>(kMaxNumSamples))) return kMaxNumSamples;
  if (total < 0) return 0;
  return static_cast<std::int32_t>(total);
}

char DelimiterAt(int position) {
  switch (position) {
    case 1: return ',';
    case 2: return ';';
    case 3: return ' ';
    default: return '\t';
  }
}

std::vector<tSimulationType> OrderedKinds(bool intervals, bool individualTests,
                                          bool globalTests) {
  std::vector<tSimulationType> kinds;
  if (intervals) kinds.push_back(tSimulationType::SimCI);
  if (individualTests) kinds.push_back(tSimulationType::simIT);
  if (globalTests) kinds.push_back(tSimulationType::simGT);
  return kinds;
}

std::string KindTag(tSimulationType kind) {
  switch (kind) {
    case tSimulationType::simIT: return "_IT_";
    case tSimulationType::simGT: return "_GT_";
    default: return "_IC_";
  }
}

std::string KindTaskText(tSimulationType kind, int position, int count) {
  std::string text;
  switch (kind) {
    case tSimulationType::simIT: text = " Individual Homogeneity Tests "; break;
    case tSimulationType::simGT: text = " Global Homogeneity Tests "; break;
    default: text = " Confidence Intervals "; break;
  }
  return text + std::to_string(position) + "/" + std::to_string(count);
}

}  // namespace kovalin
