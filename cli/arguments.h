#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kovalin::cli {

// The arguments of one command: positional words, "--name value" options and
// "--flag" switches. Anything not declared is an error naming the argument.
class Arguments {
 public:
  // valued: options that take a value; flags: switches without one.
  Arguments(std::set<std::string> valued, std::set<std::string> flags);

  // Parses args; on failure returns false and sets error() to one line naming
  // the argument and, where there is one, its value.
  bool Parse(const std::vector<std::string>& args);
  const std::string& error() const { return error_; }

  const std::vector<std::string>& positional() const { return positional_; }
  bool has(const std::string& name) const;
  std::optional<std::string> value(const std::string& name) const;

 private:
  std::set<std::string> valued_;
  std::set<std::string> flags_;
  std::vector<std::string> positional_;
  std::map<std::string, std::string> values_;
  std::set<std::string> seen_flags_;
  std::string error_;
};

// Strict number parsing: the whole text must be the number (no trailing junk).
std::optional<double> ParseDouble(const std::string& text);
std::optional<long long> ParseInteger(const std::string& text);

}  // namespace kovalin::cli
