#include "tables/numeric_grid.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <stdexcept>
#include <string>

#include "engine/missing.h"
#include "engine/number_text.h"
#include "tables/text_utils.h"

namespace kovalin {

namespace {

constexpr const char* kAsterisks = "*******";

}  // namespace

std::string GridNumberText(double v, int d) {
  if (std::isnan(v)) return "-nan-";
  if (std::isinf(v)) return kAsterisks;
  if (d >= 0 && d <= 8) {
    const double smallest = std::pow(10.0, -d);
    const double largest = std::pow(10.0, 9 - d) - smallest;
    const double a = std::fabs(v);
    if (v == 0 || (a >= smallest && a <= largest)) return FixedText(v, d);
  }
  const std::string text = ScientificNumber(v, 1, kPlainSpelling);
  const auto e = text.find('E');
  // "E", the sign, then the exponent digits.
  if (e == std::string::npos || text.size() - e - 2 > 2) return kAsterisks;
  return text;
}

void TNTabEd::Bind(TDataTable* data) {
  data_ = data;
  SyncDecPlaces();
}

void TNTabEd::SyncDecPlaces() {
  const auto n = static_cast<std::size_t>(GetNrOfColumns());
  const std::int8_t last = decP_.empty() ? 0 : decP_.back();
  decP_.resize(n, last);
}

void TNTabEd::Redimension(int nrCols, int nrRows) {
  if (!data_) return;
  try {
    data_->Resize(nrCols, nrRows);
  } catch (const std::bad_alloc&) {
    throw std::runtime_error("Component \"" + Name + "\": not enough memory on heap");
  }
  SyncDecPlaces();
}

bool TNTabEd::InsertColumn(int colNr) {
  if (!data_) return false;
  SyncDecPlaces();
  if (!data_->InsertColumn(colNr)) return false;
  const auto at = static_cast<std::size_t>(colNr - 1);
  const std::int8_t dp = decP_.empty() ? 0 : decP_[std::min(at, decP_.size() - 1)];
  decP_.insert(decP_.begin() + static_cast<std::ptrdiff_t>(at), dp);
  return true;
}

bool TNTabEd::DeleteColumn(int colNr) {
  if (!data_) return false;
  SyncDecPlaces();
  if (!data_->RemoveColumn(colNr)) return false;
  decP_.erase(decP_.begin() + static_cast<std::ptrdiff_t>(colNr - 1));
  return true;
}

void TNTabEd::SetDecPlaces(int colNr, int dp) {
  SyncDecPlaces();
  if (colNr < 1 || colNr > GetNrOfColumns()) return;
  if (dp > kMaxDecPlaces) dp = kMaxDecPlaces;
  if (dp < 0) dp = 0;
  decP_[static_cast<std::size_t>(colNr - 1)] = static_cast<std::int8_t>(dp);
}

int TNTabEd::GetDecPlaces(int colNr) const {
  if (colNr < 1 || colNr > GetNrOfColumns() || static_cast<std::size_t>(colNr) > decP_.size()) return 0;
  return decP_[static_cast<std::size_t>(colNr - 1)];
}

std::string TNTabEd::CellText(int col, int row) const {
  if (!data_) return {};
  const std::uint8_t state = data_->GetCellState(col, row);
  if (state & kCellEmpty) return {};
  if (state & kCellNotANumber) return "-nan-";
  const TMScaleType scale = data_->GetScaleType(col);
  // A number read or typed into a column of labels shows as the number it is,
  // never as the label whose ordinal it happens to round to.
  if ((scale == stNominal || scale == stOrdinal) && (state & kCellLabel)) {
    const double v = data_->GetElem(col, row);  // rounded
    if (std::isnan(v)) return "-nan-";
    if (std::fabs(v) >= 1e15) return kAsterisks;
    const long long ordinal = static_cast<long long>(v);
    if (ordinal >= 1 && ordinal <= TDataTable::kMaxNominalLabels &&
        ordinal <= data_->NominalLabelCount(col)) {
      return data_->NominalLabel(col, static_cast<int>(ordinal));
    }
    return std::string(scale == stNominal ? "N" : "O") + ":" + std::to_string(ordinal);
  }
  return GridNumberText(data_->GetRawElem(col, row), GetDecPlaces(col));
}

tStoreOutcome TNTabEd::StoreTypedText(int col, int row, std::string_view text) {
  if (!data_ || readOnly_ || col < 1 || col > GetNrOfColumns() || row < 1 || row > GetNrOfRows()) {
    return tStoreOutcome::Refused;
  }
  const std::uint8_t state = data_->GetCellState(col, row);
  if (state & kCellLocked) return tStoreOutcome::Refused;
  // A stored number also clears the empty mark: otherwise a typed number
  // would stay invisible behind it.
  const auto numberState = static_cast<std::uint8_t>(state & ~(kCellNotANumber | kCellEmpty | kCellLabel));
  const auto nanState = static_cast<std::uint8_t>((state & ~(kCellEmpty | kCellLabel)) | kCellNotANumber);
  const TMScaleType scale = data_->GetScaleType(col);
  const std::string_view trimmed = TrimBlanks(text);
  if (scale == stNominal || scale == stOrdinal) {
    // The lookup cuts its text to the length of a label; typed text must
    // equal a label whole, so a longer text never matches.
    const bool fitsALabel = !trimmed.empty() && Utf8Length(trimmed) <= TDataTable::kMaxLabelLength;
    if (const int ordinal = fitsALabel ? data_->FindNominalLabel(col, trimmed) : 0; ordinal > 0) {
      data_->SetElem(col, row, ordinal);
      data_->SetCellState(col, row, kCellLabel);
      return tStoreOutcome::Stored;
    }
    double v = 0;
    if (ParseStrictDecimal(trimmed, v) && v == std::trunc(v) &&
        trimmed.find_first_of(".eE") == std::string_view::npos) {
      // A whole number that is a label's ordinal picks that label.
      const bool picksALabel = v >= 1 && v <= data_->NominalLabelCount(col);
      data_->SetElem(col, row, v);
      data_->SetCellState(col, row, picksALabel ? static_cast<std::uint8_t>(numberState | kCellLabel) : numberState);
      return tStoreOutcome::Stored;
    }
    data_->SetCellState(col, row, nanState);
    return tStoreOutcome::MarkedNotANumber;
  }
  std::string numeric(trimmed);
  for (char& c : numeric) {
    if (c == ',') c = '.';
  }
  double v = 0;
  if (ParseStrictDecimal(numeric, v)) {
    data_->SetElem(col, row, v);
    data_->SetCellState(col, row, numberState);
    return tStoreOutcome::Stored;
  }
  data_->SetCellState(col, row, nanState);
  return tStoreOutcome::MarkedNotANumber;
}

double TNTabEd::GetValueByName(std::string_view name, int row) const {
  const int col = FindColumn(name);
  if (col == 0) return kMissing;
  return data_->GetElem(col, row);
}

}  // namespace kovalin
