#pragma once

#include <string>
#include <vector>

namespace kovalin {

class tTextDocument;

struct tCelda {
  int col = 0;
  int row = 0;
};

// A small grid of texts appended to a text document as a title line and one
// tab-separated line per row, each column padded to a common width.
class tTablaOutput {
 public:
  tTablaOutput(tTextDocument& memo, int ncols, int nrows, std::string title);

  void Asigna(std::string s, int i, int j);  // row i, column j
  void SetAlignLeft(int col);
  void SetLTabs(int k);
  void TitleAdd(const std::string& s, bool AddLeft);
  void Settitle(std::string s) { tTitle = std::move(s); }
  void SetHLine(int i);
  // Lays out and appends the lines, then clears the cells.
  void Write();

  int Anchura() const { return anchura_; }
  const std::string& Linea() const { return linea_; }
  const std::string& Title() const { return tTitle; }
  bool Enmarcar = false;

 private:
  tTextDocument& memo_;
  int cols_;
  int rows_;
  std::vector<std::string> ss_;  // row-major
  int anchura_ = 0;
  std::string linea_;
  std::vector<bool> line_;
  std::vector<bool> alignLeft_;
  std::string tTitle;
  std::string tLTabs_;
};

}  // namespace kovalin
