#include "cli/method_options.h"

#include <cmath>

#include "engine/method_set.h"
#include "simulation/run_rules.h"

namespace kovalin::cli {

std::optional<std::string> ReadMethodList(const std::string& list, tConf_rec& options) {
  if (list == "all") {
    options.Methods.fill(true);
    options.Methods[0] = false;
    return std::nullopt;
  }
  std::array<bool, kMethodCount + 1> chosen{};
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t comma = list.find(',', start);
    const std::string label =
        list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    const int index = MethodIndex(label);
    if (index == 0) return "--methods: unknown method label '" + label + "' in '" + list + "'";
    chosen[static_cast<std::size_t>(index)] = true;
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  options.Methods = chosen;
  return std::nullopt;
}

std::optional<std::string> ReadAnalysisOptions(const Arguments& args, tConf_rec& options) {
  if (const auto text = args.value("alpha")) {
    const auto alpha = ParseDouble(*text);
    const auto broken = alpha ? AlphaLevelRule(*alpha) : AlphaLevelRule(-1);
    if (broken) return "--alpha: '" + *text + "' " + *broken;
    options.alfa_level = *alpha;
  }
  if (const auto text = args.value("epsilon")) {
    const auto epsilon = ParseDouble(*text);
    const auto broken = epsilon ? EpsilonRule(*epsilon) : EpsilonRule(-1);
    if (broken) return "--epsilon: '" + *text + "' " + *broken;
    options.epsilon = *epsilon;
  }
  if (const auto text = args.value("decimals")) {
    const auto decimals = ParseInteger(*text);
    const auto broken = decimals ? DecimalsRule(*decimals) : DecimalsRule(0);
    if (broken) return "--decimals: '" + *text + "' " + *broken;
    options.decimals = static_cast<std::int32_t>(*decimals);
  }
  if (const auto text = args.value("methods")) {
    if (auto error = ReadMethodList(*text, options)) return error;
  }
  if (args.has("full")) options.fulloutput = true;
  if (args.has("extended")) options.extendedoutput = true;
  if (args.has("npv")) options.npvoutput = true;
  return std::nullopt;
}

}  // namespace kovalin::cli
