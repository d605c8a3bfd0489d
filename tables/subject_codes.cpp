#include "tables/subject_codes.h"

#include <algorithm>

#include "tables/text_utils.h"

namespace kovalin {

namespace {

const char* const kDefaultPositive[] = {"1", "pos", "positive", "yes", "+", "TRUE"};
const char* const kDefaultNegative[] = {"0", "neg", "negative", "no", "-", "FALSE"};
// Texts that statistics packages and spreadsheets write for "no value".
const char* const kMissingTexts[] = {"", "NA", "N/A", ".", "?", "NaN"};

// The value of a field that is a plain number; a decimal comma is read as the
// point, as the record tables read it ("1,0" is 1).
std::optional<double> NumberOf(std::string_view field) {
  if (field.empty()) return std::nullopt;
  const char first = field.front();
  if (!(first >= '0' && first <= '9') && first != '-' && first != '+' && first != '.') return std::nullopt;
  std::string text(field);
  if (text.find('.') == std::string::npos) {
    if (const auto comma = text.find(','); comma != std::string::npos) text[comma] = '.';
  }
  double value = 0;
  if (!ParseStrictDecimal(text, value)) return std::nullopt;
  return value;
}

bool IsMissingText(std::string_view text) {
  return std::any_of(std::begin(kMissingTexts), std::end(kMissingTexts),
                     [&](const char* missing) { return EqualsNoCase(text, missing); });
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

tSubjectCoding::tSubjectCoding() {
  for (const char* code : kDefaultPositive) positive_.push_back({code, NumberOf(code)});
  for (const char* code : kDefaultNegative) negative_.push_back({code, NumberOf(code)});
}

bool tSubjectCoding::AnyMatches(std::string_view field, const std::optional<double>& number,
                                const std::vector<tCode>& codes) {
  return std::any_of(codes.begin(), codes.end(), [&](const tCode& code) {
    return EqualsNoCase(field, code.text) || (number && code.number && *number == *code.number);
  });
}

bool tSubjectCoding::ReadCodes(std::string_view list, std::vector<tCode>& codes, std::string& error) {
  codes.clear();
  for (std::string& code : SplitCodeList(list)) {
    if (code.empty()) {
      error = "the list of codes '" + std::string(list) + "' holds an empty code";
      return false;
    }
    if (IsMissingText(code)) {
      error = "the code '" + code + "' stands for a missing value";
      return false;
    }
    const auto number = NumberOf(code);
    codes.push_back({std::move(code), number});
  }
  return true;
}

bool tSubjectCoding::SetCodes(std::optional<std::string_view> positive,
                              std::optional<std::string_view> negative, std::string& error) {
  std::vector<tCode> givenPositive, givenNegative;
  if (positive && !ReadCodes(*positive, givenPositive, error)) return false;
  if (negative && !ReadCodes(*negative, givenNegative, error)) return false;
  for (const tCode& code : givenPositive) {
    if (AnyMatches(code.text, code.number, givenNegative)) {
      error = "the code '" + code.text + "' is given as positive and as negative";
      return false;
    }
  }
  // A code given for one side leaves the other.
  auto without = [](std::vector<tCode> codes, const std::vector<tCode>& taken) {
    std::erase_if(codes, [&](const tCode& c) { return AnyMatches(c.text, c.number, taken); });
    return codes;
  };
  std::vector<tCode> pos = without(positive_, givenNegative);
  std::vector<tCode> neg = without(negative_, givenPositive);
  pos.insert(pos.end(), givenPositive.begin(), givenPositive.end());
  neg.insert(neg.end(), givenNegative.begin(), givenNegative.end());
  positive_ = std::move(pos);
  negative_ = std::move(neg);
  return true;
}

tSubjectCode tSubjectCoding::Classify(std::string_view field) const {
  const std::string_view text = TrimBlanks(field);
  const std::optional<double> number = NumberOf(text);
  if (AnyMatches(text, number, positive_)) return tSubjectCode::positive;
  if (AnyMatches(text, number, negative_)) return tSubjectCode::negative;
  if (IsMissingText(text)) return tSubjectCode::missing;
  return tSubjectCode::unknown;
}

std::vector<std::string> tSubjectCoding::positiveCodes() const {
  std::vector<std::string> texts;
  for (const tCode& code : positive_) texts.push_back(code.text);
  return texts;
}

std::vector<std::string> tSubjectCoding::negativeCodes() const {
  std::vector<std::string> texts;
  for (const tCode& code : negative_) texts.push_back(code.text);
  return texts;
}

}  // namespace kovalin
