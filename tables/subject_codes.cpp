#include "tables/subject_codes.h"

#include <algorithm>
#include <optional>

#include "tables/text_utils.h"

namespace kovalin {

namespace {

const std::vector<std::string> kDefaultPositive = {"1", "pos", "positive", "yes", "+", "TRUE"};
const std::vector<std::string> kDefaultNegative = {"0", "neg", "negative", "no", "-", "FALSE"};
// Texts that statistics packages and spreadsheets write for "no value".
const std::vector<std::string> kMissingTexts = {"", "NA", "N/A", ".", "?", "NaN"};

// The value of a field that is a plain number; a decimal comma is read as the
// point, as the record tables read it ("1,0" is 1).
std::optional<double> NumberOf(std::string_view field) {
  std::string text(field);
  if (text.find('.') == std::string::npos) {
    if (const auto comma = text.find(','); comma != std::string::npos) text[comma] = '.';
  }
  double value = 0;
  if (!ParseStrictDecimal(text, value)) return std::nullopt;
  return value;
}

bool Matches(std::string_view field, const std::string& code) {
  if (EqualsNoCase(field, code)) return true;
  const auto a = NumberOf(field);
  const auto b = NumberOf(code);
  return a && b && *a == *b;
}

bool AnyMatches(std::string_view field, const std::vector<std::string>& codes) {
  return std::any_of(codes.begin(), codes.end(),
                     [&](const std::string& code) { return Matches(field, code); });
}

}  // namespace

std::vector<std::string> SplitCodeList(std::string_view list) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = list.find(',', start);
    const std::string_view part =
        list.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    parts.emplace_back(TrimBlanks(part));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return parts;
}

tSubjectCoding::tSubjectCoding() : positive_(kDefaultPositive), negative_(kDefaultNegative) {}

namespace {

bool ReadCodeList(std::string_view list, std::vector<std::string>& codes, std::string& error) {
  codes = SplitCodeList(list);
  for (const std::string& code : codes) {
    if (code.empty()) {
      error = "the list of codes '" + std::string(list) + "' holds an empty code";
      return false;
    }
    if (AnyMatches(code, kMissingTexts)) {
      error = "the code '" + code + "' stands for a missing value";
      return false;
    }
  }
  return true;
}

}  // namespace

bool tSubjectCoding::SetCodes(std::optional<std::string_view> positive,
                              std::optional<std::string_view> negative, std::string& error) {
  std::vector<std::string> pos = positive_;
  std::vector<std::string> neg = negative_;
  if (positive && !ReadCodeList(*positive, pos, error)) return false;
  if (negative && !ReadCodeList(*negative, neg, error)) return false;
  for (const std::string& code : pos) {
    if (AnyMatches(code, neg)) {
      error = "the code '" + code + "' would be both positive and negative" +
              (negative ? "" : " (give the negative codes too)");
      return false;
    }
  }
  positive_ = std::move(pos);
  negative_ = std::move(neg);
  return true;
}

tSubjectCode tSubjectCoding::Classify(std::string_view field) const {
  const std::string_view text = TrimBlanks(field);
  if (AnyMatches(text, positive_)) return tSubjectCode::positive;
  if (AnyMatches(text, negative_)) return tSubjectCode::negative;
  if (AnyMatches(text, kMissingTexts)) return tSubjectCode::missing;
  return tSubjectCode::unknown;
}

}  // namespace kovalin
