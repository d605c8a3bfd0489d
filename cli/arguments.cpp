#include "cli/arguments.h"

#include "engine/number_text.h"

namespace kovalin::cli {

Arguments::Arguments(std::set<std::string> valued, std::set<std::string> flags)
    : valued_(std::move(valued)), flags_(std::move(flags)) {}

bool Arguments::Parse(const std::vector<std::string>& args) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
      std::string name = arg.substr(2);
      std::optional<std::string> inlineValue;
      if (const auto eq = name.find('='); eq != std::string::npos) {
        inlineValue = name.substr(eq + 1);
        name = name.substr(0, eq);
      }
      if (flags_.count(name) && !inlineValue) {
        seen_flags_.insert(name);
      } else if (valued_.count(name)) {
        if (inlineValue) {
          values_[name] = *inlineValue;
        } else if (i + 1 < args.size()) {
          values_[name] = args[++i];
        } else {
          error_ = "option --" + name + " needs a value";
          return false;
        }
      } else {
        error_ = "unknown option '" + arg + "'";
        return false;
      }
    } else {
      positional_.push_back(arg);
    }
  }
  return true;
}

bool Arguments::has(const std::string& name) const {
  return seen_flags_.count(name) > 0 || values_.count(name) > 0;
}

std::optional<std::string> Arguments::value(const std::string& name) const {
  const auto it = values_.find(name);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

std::optional<double> ParseDouble(const std::string& text) {
  return ParseNumber(text);
}

std::optional<long long> ParseInteger(const std::string& text) {
  return ParseWholeNumber(text);
}

}  // namespace kovalin::cli
