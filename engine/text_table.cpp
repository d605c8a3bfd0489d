#include "engine/text_table.h"

#include <algorithm>

#include "engine/text_document.h"
#include "engine/text_format.h"

namespace kovalin {

namespace {
constexpr const char* kRuleCharacter = "\u2014";  // em dash
}

tTablaOutput::tTablaOutput(tTextDocument& memo, int ncols, int nrows, std::string title)
    : memo_(memo),
      cols_(ncols < 0 ? 0 : ncols),
      rows_(nrows < 0 ? 0 : nrows),
      ss_(static_cast<std::size_t>(cols_) * static_cast<std::size_t>(rows_)),
      line_(static_cast<std::size_t>(rows_), false),
      alignLeft_(static_cast<std::size_t>(cols_), false),
      tTitle(std::move(title)) {}

void tTablaOutput::Asigna(std::string s, int i, int j) {
  if (i < 0 || i >= rows_ || j < 0 || j >= cols_) return;
  ss_[static_cast<std::size_t>(i) * static_cast<std::size_t>(cols_) + static_cast<std::size_t>(j)] =
      std::move(s);
}

void tTablaOutput::SetAlignLeft(int col) {
  if (col >= 0 && col < cols_) alignLeft_[static_cast<std::size_t>(col)] = true;
}

void tTablaOutput::SetLTabs(int k) {
  if (k > 0) tLTabs_.append(static_cast<std::size_t>(k), '\t');
}

void tTablaOutput::TitleAdd(const std::string& s, bool AddLeft) {
  tTitle = AddLeft ? s + tTitle : tTitle + s;
}

void tTablaOutput::SetHLine(int i) {
  if (i >= 0 && i < rows_) line_[static_cast<std::size_t>(i)] = true;
}

void tTablaOutput::Write() {
  auto cell = [this](int i, int j) -> std::string& {
    return ss_[static_cast<std::size_t>(i) * static_cast<std::size_t>(cols_) +
               static_cast<std::size_t>(j)];
  };

  anchura_ = 0;
  for (int j = 0; j < cols_; ++j) {
    int w = 0;
    for (int i = 0; i < rows_; ++i) w = std::max(w, CharLength(cell(i, j)));
    ++w;
    if (!alignLeft_[static_cast<std::size_t>(j)]) {
      for (int i = 0; i < rows_; ++i) cell(i, j) = PadLeftWhole(Trim(cell(i, j)), w);
    }
    anchura_ += w;
  }
  if (cols_ > 1) anchura_ += RoundHalfEven((cols_ - 1) * 5.5);

  linea_.clear();
  for (int k = 0; k < anchura_; ++k) linea_ += kRuleCharacter;

  memo_.AppendLine(tTitle);
  if (Enmarcar) memo_.AppendLine(linea_);
  for (int i = 0; i < rows_; ++i) {
    if (line_[static_cast<std::size_t>(i)]) memo_.AppendLine(linea_);
    std::string row = tLTabs_;
    for (int j = 0; j < cols_; ++j) {
      row += cell(i, j);
      row += '\t';
    }
    memo_.AppendLine(row);
  }
  if (Enmarcar) memo_.AppendLine(linea_);

  for (auto& s : ss_) s.clear();
  line_.assign(line_.size(), false);
}

}  // namespace kovalin
