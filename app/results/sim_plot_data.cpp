#include "app/results/sim_plot_data.h"

#include <QRegularExpression>
#include <algorithm>
#include <charconv>
#include <cstring>
#include <cmath>
#include <limits>

#include "simulation/record_source.h"
#include "simulation/sim_precision.h"

namespace kovalin::app {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A number as the simulation files write it, whatever the locale.
bool ReadNumber(const QString& field, double& value) {
  const QByteArray text = field.trimmed().toLatin1();
  if (text == "Nan" || text == "+Inf" || text == "-Inf") {
    value = kNaN;
    return true;
  }
  const char* begin = text.constData();
  const char* end = begin + text.size();
  if (begin != end && *begin == '+') ++begin;
  const auto r = std::from_chars(begin, end, value);
  if (r.ec != std::errc() || r.ptr != end) return false;
  if (value == -999) value = kNaN;
  return true;
}

}  // namespace

QStringList tSimPlotData::Split(const QString& line) const {
  if (delimiter_ == ' ') return line.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
  return line.split(QChar(delimiter_));
}

bool tSimPlotData::ReadHeader(const QString& line, QString& error) {
  std::vector<std::pair<QString, int>> counts;
  if (delimiter_ == 0) {
    if (line.contains(u'\t'))
      delimiter_ = '\t';
    else if (line.contains(u';'))
      delimiter_ = ';';
    else if (line.contains(u','))
      delimiter_ = ',';
    else
      delimiter_ = ' ';
  }
  const QStringList names = Split(line);
  columnCount_ = static_cast<int>(names.size());
  for (const QString& n : names) names_ << n.trimmed();
  for (int c = 0; c < columnCount_; ++c) {
    const QString& name = names[c].trimmed();
    if (name.compare("Rec", Qt::CaseInsensitive) == 0 && recColumn_ < 0) recColumn_ = c;
    for (const char* suffix : {"(cover)", "(Sig)"}) {
      if (!name.endsWith(suffix)) continue;
      tMethod m;
      m.label = name.chopped(static_cast<qsizetype>(std::strlen(suffix)));
      m.valueColumn = c;
      methods_.push_back(m);
      const tKind kind = suffix[1] == 'c' ? tKind::intervals : tKind::individualTests;
      if (kind_ == tKind::unknown || kind_ == kind)
        kind_ = kind;
      else {
        error = "the header mixes interval and test columns";
        return false;
      }
    }
    if (name.endsWith("(amp)")) {
      const QString label = name.chopped(5);
      for (tMethod& m : methods_)
        if (m.label == label) m.lengthColumn = c;
    }
    if (name.endsWith("(n)")) counts.push_back({name.chopped(3), c});
  }
  for (tMethod& m : methods_)
    for (const auto& [label, column] : counts)
      if (m.label == label) m.countColumn = column;
  if (recColumn_ < 0 || methods_.empty()) {
    error = "not a simulation output file: the header has no Rec column or no method "
            "columns ending in (cover) or (Sig)";
    return false;
  }
  headerRead_ = true;
  return true;
}

bool tSimPlotData::AddLine(const QString& line, QString& error) {
  if (!headerRead_) return ReadHeader(line, error);
  if (line.trimmed().isEmpty()) return true;
  const QStringList fields = Split(line);
  if (fields.size() != columnCount_) {
    error = QStringLiteral("record %1 has %2 fields where the header names %3")
                .arg(rows_.size() + 1)
                .arg(fields.size())
                .arg(columnCount_);
    return false;
  }
  std::vector<double> row(static_cast<std::size_t>(columnCount_));
  for (int c = 0; c < columnCount_; ++c) {
    if (!ReadNumber(fields[c], row[static_cast<std::size_t>(c)])) {
      error = QStringLiteral("record %1, column %2: \"%3\" is not a number")
                  .arg(rows_.size() + 1)
                  .arg(c + 1)
                  .arg(fields[c].trimmed());
      return false;
    }
  }
  rows_.push_back(std::move(row));
  return true;
}

bool tSimPlotData::SetLines(const QStringList& lines, QString& error) {
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (!AddLine(lines[i], error)) {
      error = QStringLiteral("line %1: %2").arg(i + 1).arg(error);
      return false;
    }
  }
  if (!headerRead_) {
    error = "the file is empty";
    return false;
  }
  return true;
}

void tSimPlotData::SetKindHint(const QString& fileName) {
  if (kind_ == tKind::intervals || kind_ == tKind::unknown) return;
  const QString name = fileName.section(u'/', -1);
  if (name.contains("_GT_")) kind_ = tKind::globalTests;
  if (name.contains("_IT_")) kind_ = tKind::individualTests;
}

double tSimPlotData::RecordNumber(int i) const {
  return rows_.at(static_cast<std::size_t>(i)).at(static_cast<std::size_t>(recColumn_));
}

double tSimPlotData::Value(int record, int column) const {
  if (record < 0 || record >= RecordCount() || column < 0 || column >= columnCount_) return kNaN;
  return rows_[static_cast<std::size_t>(record)][static_cast<std::size_t>(column)];
}

double tSimPlotData::StandardError(int record, const tMethod& method) const {
  const double n = Value(record, method.countColumn);
  // A count is a whole number of samples; anything else gives no error.
  if (!(n >= 1 && n <= 9.2e18) || std::floor(n) != n) return kNaN;
  return MonteCarloStandardError(Value(record, method.valueColumn), static_cast<long long>(n));
}

bool tSimPlotData::SetX(const QString& column) {
  for (int c = 0; c < static_cast<int>(names_.size()); ++c) {
    if (names_[c].compare(column, Qt::CaseInsensitive) != 0) continue;
    xName_ = names_[c];
    xColumn_ = c == recColumn_ ? -1 : c;
    xTable_ = nullptr;
    return true;
  }
  for (const auto& [name, values] : tableColumns_) {
    if (name.compare(column, Qt::CaseInsensitive) != 0) continue;
    xName_ = name;
    xColumn_ = -1;
    xTable_ = &values;
    return true;
  }
  return false;
}

double tSimPlotData::X(int record) const {
  if (xColumn_ >= 0) return Value(record, xColumn_);
  const double rec = RecordNumber(record);
  if (!xTable_) return rec;
  if (!(rec >= 1 && rec <= static_cast<double>(xTable_->size())) || std::floor(rec) != rec)
    return kNaN;
  return (*xTable_)[static_cast<std::size_t>(rec) - 1];
}

QStringList tSimPlotData::XChoices() const {
  QStringList choices;
  // The file's own columns before the methods': Rec and the parameters.
  for (int c = 0; c < static_cast<int>(names_.size()); ++c) {
    if (names_[c].endsWith(')')) break;
    choices << names_[c];
  }
  for (const auto& [name, values] : tableColumns_) {
    bool known = false;
    for (const QString& c : choices) known = known || c.compare(name, Qt::CaseInsensitive) == 0;
    if (!known) choices << name;
  }
  return choices;
}

void tSimPlotData::AddTableColumn(const QString& name, std::vector<double> valuesByRow) {
  const QString keep = xTable_ ? xName_ : QString();
  tableColumns_.emplace_back(name, std::move(valuesByRow));
  // The vector moved: find the chosen column again.
  if (!keep.isEmpty()) SetX(keep);
}

std::vector<std::pair<QString, std::vector<double>>> PlotTableColumns(const tRecordSource& table) {
  std::vector<std::pair<QString, std::vector<double>>> columns;
  const int rows = std::max(table.RowCount(), 0);
  for (int c = 1; c <= table.ColumnCount(); ++c) {
    std::vector<double> values(static_cast<std::size_t>(rows));
    for (int r = 1; r <= rows; ++r) {
      const double v = table.Value(c, r);
      values[static_cast<std::size_t>(r) - 1] = v == -999 ? kNaN : v;
    }
    columns.emplace_back(QString::fromStdString(table.ColumnName(c)), std::move(values));
  }
  return columns;
}

QStringList MethodFamilyNames() {
  return {"All methods", "Differences", "Ratios", "Fieller-type", "With increment",
          "Without increment"};
}

std::optional<tMethodFamily> MethodFamilyNamed(const QString& name) {
  const QStringList names = MethodFamilyNames();
  const QStringList shortNames = {"all", "differences", "ratios", "fieller", "increment",
                                  "no-increment"};
  for (int i = 0; i < names.size(); ++i)
    if (name.compare(names[i], Qt::CaseInsensitive) == 0 ||
        name.compare(shortNames[i], Qt::CaseInsensitive) == 0)
      return static_cast<tMethodFamily>(i);
  return std::nullopt;
}

bool InMethodFamily(const QString& label, tMethodFamily family) {
  // A merged test column ("d/F1R") belongs to the family of its running method.
  const QString base = label.section(u'/', 0, 0);
  const bool increment = base.endsWith(u'a');
  const QString stem = increment ? base.chopped(1) : base;
  const bool difference = stem == "d" || stem == "dp" || stem == "Fd" || stem == "FdA";
  const bool fieller = stem == "Fd" || stem == "F1R" || stem == "F2R";
  switch (family) {
    case tMethodFamily::all: return true;
    case tMethodFamily::differences: return difference;
    case tMethodFamily::ratios: return !difference;
    case tMethodFamily::fieller: return fieller;
    case tMethodFamily::withIncrement: return increment;
    case tMethodFamily::withoutIncrement: return !increment;
  }
  return true;
}

QString tSimPlotData::KindCaption() const {
  switch (kind_) {
    case tKind::intervals: return "Confidence intervals";
    case tKind::individualTests: return "Individual Homogeneity Tests";
    case tKind::globalTests: return "Global Homogeneity Tests";
    default: return {};
  }
}

}  // namespace kovalin::app
