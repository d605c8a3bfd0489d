#pragma once

#include <optional>
#include <string>

#include "cli/arguments.h"
#include "engine/paired_types.h"

namespace kovalin::cli {

// Reads the analysis options shared by compare, analyze and simulate
// (--alpha, --epsilon, --decimals, --methods, and --full and --extended where given) into
// options, starting from its current values. On a bad value returns one line
// naming the option and the value.
std::optional<std::string> ReadAnalysisOptions(const Arguments& args, tConf_rec& options);

// Parses a comma-separated list of method labels, or "all", into options.Methods.
std::optional<std::string> ReadMethodList(const std::string& list, tConf_rec& options);

}  // namespace kovalin::cli
