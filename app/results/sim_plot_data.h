#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

namespace kovalin {
class tRecordSource;
}

namespace kovalin::app {

// The columns of a parameter table for the plot's x axis, by table row (an empty
// cell, -999, as no value).
std::vector<std::pair<QString, std::vector<double>>> PlotTableColumns(const tRecordSource& table);

// The families of methods the plot can show at once. A method's family follows
// from its label: differences d, dp, Fd, FdA; ratios LR, LRp, R, Rp, R1, R2, F1R,
// F2R; Fieller-type (quadratic) Fd, F1R, F2R; "a" ends the label of a method with
// the continuity increment (da, LRa, ...).
enum class tMethodFamily { all, differences, ratios, fieller, withIncrement, withoutIncrement };
QStringList MethodFamilyNames();                 // "All methods", "Differences", ...
bool InMethodFamily(const QString& label, tMethodFamily family);
// A family by its name or its short name (all, differences, ratios, fieller,
// increment, no-increment); nothing for another text.
std::optional<tMethodFamily> MethodFamilyNamed(const QString& name);

// A simulation output file (or the output page as a run writes it) read back for
// plotting: the header names the methods, each record line gives a point per method.
class tSimPlotData {
 public:
  enum class tKind { unknown, intervals, individualTests, globalTests };

  struct tMethod {
    QString label;
    int valueColumn = -1;   // (cover) or (Sig), 0-based
    int lengthColumn = -1;  // (amp), intervals only
    int countColumn = -1;   // (n): the valid samples
  };

  // The delimiter of the file; 0 finds it from the header (tab, ";", "," or spaces).
  explicit tSimPlotData(char delimiter = 0) : delimiter_(delimiter) {}

  // The first line is the header, every further line a record. False (and the
  // reason) for a header that is not a simulation's or a line that cannot be read.
  bool AddLine(const QString& line, QString& error);
  // Every line of a file's text; false at the first line that cannot be read.
  bool SetLines(const QStringList& lines, QString& error);
  // The kind from the columns; individual and global tests are told apart by the
  // file name's tag (_IT_, _GT_) when given.
  void SetKindHint(const QString& fileName);

  tKind Kind() const { return kind_; }
  bool Intervals() const { return kind_ == tKind::intervals; }
  const std::vector<tMethod>& Methods() const { return methods_; }
  int RecordCount() const { return static_cast<int>(rows_.size()); }
  // The record number (column "Rec") of record i, from 0.
  double RecordNumber(int i) const;
  // A method's value in record i; NaN when missing (-999, Nan, infinities).
  double Value(int record, int column) const;
  QString KindCaption() const;

  // The Monte Carlo standard error of a method's rate in record i, over its valid
  // samples; NaN when the rate or the count is missing.
  double StandardError(int record, const tMethod& method) const;

  // The x axis: "Rec" (the default), any column of the file (Pa, P, n, ...), or a
  // column of the parameter table added with AddTableColumn, matched without
  // regard to case. False, and the axis unchanged, for a name that is neither.
  bool SetX(const QString& column);
  QString XName() const { return xName_; }
  // x of record i: NaN when the table has no value for its row.
  double X(int record) const;
  // The choices for the x axis: Rec, the file's parameter columns, then the
  // table's columns that the file does not have.
  QStringList XChoices() const;
  // A column of the parameter table, valuesByRow[r - 1] for table row r.
  void AddTableColumn(const QString& name, std::vector<double> valuesByRow);

 private:
  bool ReadHeader(const QString& line, QString& error);
  QStringList Split(const QString& line) const;

  char delimiter_;
  tKind kind_ = tKind::unknown;
  bool headerRead_ = false;
  int recColumn_ = -1;
  int columnCount_ = 0;
  std::vector<tMethod> methods_;
  std::vector<std::vector<double>> rows_;
  QStringList names_;
  QString xName_ = "Rec";
  int xColumn_ = -1;                       // a column of the file
  const std::vector<double>* xTable_ = nullptr;  // or of the table
  std::vector<std::pair<QString, std::vector<double>>> tableColumns_;
};

}  // namespace kovalin::app
