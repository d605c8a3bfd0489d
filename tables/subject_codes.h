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

  // Adds codes of one's own, comma-separated ("malignant,suspicious"): a given
  // positive code is positive from now on and no longer negative, and the
  // other way round, so "--positive 2 --negative 1" reads a 1/2 coding and
  // "--positive malignant --negative benign" a biopsy while the tests keep
  // their pos/neg. False with a reason, and nothing changed, when a list holds
  // an empty code or a text that means missing, or a code is in both lists.
  bool SetCodes(std::optional<std::string_view> positive, std::optional<std::string_view> negative,
                std::string& error);

  tSubjectCode Classify(std::string_view field) const;

  // The codes as given, for messages.
  std::vector<std::string> positiveCodes() const;
  std::vector<std::string> negativeCodes() const;

 private:
  // A code as given, and its value when it is a number (so that "1.0" matches "1").
  struct tCode {
    std::string text;
    std::optional<double> number;
  };
  static bool AnyMatches(std::string_view field, const std::optional<double>& number,
                         const std::vector<tCode>& codes);
  static bool ReadCodes(std::string_view list, std::vector<tCode>& codes, std::string& error);

  std::vector<tCode> positive_;
  std::vector<tCode> negative_;
};

// Splits "a,b,c" at its commas, each part without the blanks around it.
std::vector<std::string> SplitCodeList(std::string_view list);

}  // namespace kovalin
