#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace kovalin::app {

// A simulation output file (or the output page as a run writes it) read back for
// plotting: the header names the methods, each record line gives a point per method.
class tSimPlotData {
 public:
  enum class tKind { unknown, intervals, individualTests, globalTests };

  struct tMethod {
    QString label;
    int valueColumn = -1;   // (cover) or (Sig), 0-based
    int lengthColumn = -1;  // (amp), intervals only
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
};

}  // namespace kovalin::app
