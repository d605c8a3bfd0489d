#pragma once

#include <array>

#include "engine/method_set.h"
#include "engine/paired_types.h"

namespace kovalin::testing {

// The worked example: 100 subjects, prevalence 0.5.
inline constexpr std::array<int, 8> kExampleCells = {30, 12, 4, 4, 6, 10, 2, 32};

inline tInputData IntegerInput(const std::array<int, 8>& cells) {
  tInputData in;
  for (std::size_t i = 0; i < 8; ++i) in.N[i + 1] = cells[i];
  return in;
}

inline tInputData RealInput(const std::array<double, 8>& cells) {
  tInputData in;
  in.N[0] = -999;
  for (std::size_t i = 0; i < 8; ++i) {
    in.V[i + 1] = cells[i];
    in.V[0] += cells[i];
  }
  return in;
}

// All 21 methods at the given alpha and epsilon, every one active.
inline tMethodSet AllMethods(double alfa = 0.05, double epsilon = 0.05,
                             tSimulationType type = tSimulationType::simAny) {
  tConf_rec options;
  options.Methods.fill(true);
  options.alfa_level = alfa;
  options.epsilon = epsilon;
  return CreateMethods(options, type);
}

}  // namespace kovalin::testing
