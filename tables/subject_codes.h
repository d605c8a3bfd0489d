#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kovalin {

// What one field of a subject-level file says about a result or the disease status.
enum class tSubjectCode { positive, negative, missing, unknown };

// How the results of a subject-level file are coded. Matching ignores the case
// of ASCII letters and the blanks around a field. By default positive is 1,
// "pos", "positive", "yes", "+", "TRUE" and negative is 0, "neg", "negative",
// "no", "-", "FALSE"; a number equal to 1 or 0 in any writing ("1.0", "1,0",
// "1E0") counts as that number. An empty field, "NA", "." and "?" are missing.
// Any other text is unknown: it is never guessed to be either.
class tSubjectCoding {
 public:
  tSubjectCoding();

  // Replaces the positive codes, the negative codes, or both, by the given
  // comma-separated lists ("malignant,suspicious"); a list not given keeps its
  // codes. False with a reason, and nothing changed, when a list holds an empty
  // code or a text that means missing, or a code would then be both positive
  // and negative.
  bool SetCodes(std::optional<std::string_view> positive, std::optional<std::string_view> negative,
                std::string& error);

  tSubjectCode Classify(std::string_view field) const;

  const std::vector<std::string>& positiveCodes() const { return positive_; }
  const std::vector<std::string>& negativeCodes() const { return negative_; }

 private:
  // As given; a code that is a number also matches other writings of it.
  std::vector<std::string> positive_;
  std::vector<std::string> negative_;
};

// Splits "a,b,c" at its commas, each part without the blanks around it.
std::vector<std::string> SplitCodeList(std::string_view list);

}  // namespace kovalin
