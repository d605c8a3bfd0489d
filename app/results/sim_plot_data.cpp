#include "app/results/sim_plot_data.h"

#include <QRegularExpression>
#include <charconv>
#include <cstring>
#include <cmath>
#include <limits>

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
  }
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

QString tSimPlotData::KindCaption() const {
  switch (kind_) {
    case tKind::intervals: return "Confidence intervals";
    case tKind::individualTests: return "Individual Homogeneity Tests";
    case tKind::globalTests: return "Global Homogeneity Tests";
    default: return {};
  }
}

}  // namespace kovalin::app
