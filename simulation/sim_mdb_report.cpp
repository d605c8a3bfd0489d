// The report of one analysed record: input, cells, measures and the methods'
// results, as the analysis of selected records prints it.
#include <cmath>
#include <string>

#include "engine/comparisons.h"
#include "engine/extended_report.h"
#include "engine/npv_methods.h"
#include "engine/record_report.h"
#include "engine/text_document.h"
#include "engine/text_format.h"
#include "engine/text_table.h"
#include "simulation/multinomial.h"
#include "simulation/record_validity.h"
#include "simulation/sim_mdb.h"

namespace kovalin {

namespace {

const char* const kProbabilityTitle = "\xC2\xB7 Probabilities (Test A, Test B, Gold Standard)";

// The measures table of a record: rows Se, Sp, PPV, NPV, the odds ratios and the
// prevalence, for tests A and B.
void WriteMeasuresTable(tTextDocument& memo, const std::string& title,
                        const std::array<const char*, 6>& labels, const tInputDataRec& rec,
                        int d) {
  const int w = d + 5;
  auto num = [&](double x) { return Fixed(x, w, d); };
  tTablaOutput t(memo, 3, 10, title);
  auto row = [&](int i, std::string a, std::string b, std::string c) {
    t.Asigna(std::move(a), i, 0);
    t.Asigna(std::move(b), i, 1);
    t.Asigna(std::move(c), i, 2);
  };
  row(0, "MRDest ", "---A---", "---B---");
  row(1, labels[0], num(rec.SeA), num(rec.SeB));
  row(2, labels[1], num(rec.SpA), num(rec.SpB));
  row(3, labels[2], num(rec.PA), num(rec.PB));
  row(4, labels[3], num(rec.NA), num(rec.NB));
  row(5, " ", " ", " ");
  row(6, " ", " OR+ ", " OR- ");
  row(7, labels[4], num(rec.O_pos), num(rec.O_neg));
  row(8, "", " ", " ");
  row(9, labels[5], num(rec.P), "");
  t.Write();
}

// A note line of the report: "  * " and the text with its first letter in capitals.
std::string NoteLine(std::string text) {
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return "  * " + text;
}

}  // namespace

void tSimMDB::ShowXPTable(tTextDocument& memo, const std::string& title, bool percents) const {
  const bool counts = InputData.N[0] != kMissingInt;
  double cell[9] = {};
  double total = 0;
  for (std::size_t i = 1; i <= 8; ++i) {
    cell[i] = counts ? static_cast<double>(InputData.N[i]) : InputData.V[i];
    total += cell[i];
  }
  std::string entries[9];
  std::string fullTitle = title;
  if (percents) {
    double sum = 0;
    for (std::size_t i = 1; i <= 8; ++i) {
      const double share = cell[i] / total;
      sum += share;
      entries[i] = "P[" + std::to_string(i) + "]: " + Fixed(share, context_->simOutWidth, 3) + " (" +
                   kCellLabels[i] + ")";
    }
    fullTitle += " (Sum: " + Trim(Fixed(sum, 3, 3)) + ")";
  } else {
    for (std::size_t i = 1; i <= 8; ++i)
      entries[i] = "X[" + std::to_string(i) + "]: " + Fixed(cell[i], context_->simOutWidth, counts ? 0 : 1) +
                   " (" + kCellLabels[i] + ")";
    fullTitle += " (N: " + Trim(Fixed(total, 1, 1)) + ")";
  }
  tTablaOutput t(memo, 5, 2, fullTitle);
  for (int i = 1; i <= 4; ++i) {
    t.Asigna(entries[i], 0, i);
    t.Asigna(entries[i + 4], 1, i);
  }
  t.Write();
}

bool tSimMDB::ExamineRawRecord(tTextDocument& memo, int row) {
  tInputDataRec rec = Get_InputDataRow(row);
  if (memo.LineCount() > 0) memo.AppendLine(std::string(59, '-'));
  memo.AppendLine("> Input: Record\t" + std::to_string(row) + "\tID:\t" + std::to_string(rec.id));
  memo.AppendLine("");
  memo.AppendLine("> Notation: Test A (+/-), Test B (+/-), Gold Standard (+/-)");
  memo.AppendLine("");
  ShowXPTable(memo, "# Data ", false);
  memo.AppendLine("");
  // Cells that are missing or negative would be analysed as zeros: say so instead.
  const tRecordCheck check = InputNTabEd ? CheckRawRow(*InputNTabEd, row) : tRecordCheck{};
  if (!check.ok()) {
    memo.AppendLine(NoteLine(check.problem + ": the record cannot be analysed"));
    memo.AppendLine("");
    return false;
  }
  ShowXPTable(memo, "# Frequencies ", true);
  memo.AppendLine("");
  memo.AppendLine("");
  Calc_iDataRec(rec);
  iRec = rec;
  WriteMeasuresTable(memo, "# Measures from raw data:",
                     {"\xC2\xB7Se", "\xC2\xB7Sp", "\xC2\xB7PPV", "\xC2\xB7NPV", "\xC2\xB7ORs",
                      "\xC2\xB7Prev."},
                     rec, context_->options.decimals);
  memo.AppendLine("");
  memo.AppendLine("# INFERENCES:");
  const double cl = p_conf_level;
  memo.AppendLine("- Confidence level: " + Fixed(cl, 4, 3) + "\t\t- Type-I error rate: " +
                  Fixed(1 - cl, 4, 3));
  return true;
}

bool tSimMDB::ExamineParamsRecord(tTextDocument& memo, int row) {
  tInputDataRec rec = Get_InputParamsRow(row);
  if (memo.LineCount() > 0) memo.AppendLine(std::string(118, '-'));
  memo.AppendLine("> Input: record\t" + std::to_string(row) + "\tID:\t" + std::to_string(rec.id));
  memo.AppendLine("");
  Get_SDataRec(rec);
  WriteMeasuresTable(memo, "# Measures:",
                     {"\xC2\xB7Se", "\xC2\xB7Sp", "PPV", "NPV", "ORs", "Prev."}, rec,
                     context_->options.decimals);
  memo.AppendLine("");
  memo.AppendLine("# Simulation:");
  const tRecordCheck size = InputNTabEd ? CheckParamsRow(*InputNTabEd, row) : tRecordCheck{};

  if (NumOfValidSolsXY == 0) {
    // The probabilities still held belong to another record: show none of them.
    memo.AppendLine(std::string(kProbabilityTitle) + " (Sum: " + Fixed(0.0, 3, 1) +
                    ";  Number of solutions: 0");
    memo.AppendLine("  * These parameters give no valid cell probabilities: no sample is drawn");
    if (!size.ok()) memo.AppendLine(NoteLine(size.problem + ": no sample is drawn"));
    memo.AppendLine("");
    return false;
  }

  const int d = context_->options.decimals;
  double sum = 0;
  for (std::size_t i = 1; i <= 8; ++i) sum += P[i];
  tTablaOutput t(memo, 5, 2,
                 std::string(kProbabilityTitle) + " (Sum: " + Fixed(sum, 3, 1) +
                     ";  Number of solutions: " + std::to_string(NumOfValidSolsXY));
  for (int i = 1; i <= 4; ++i) {
    const auto lo = static_cast<std::size_t>(i);
    const auto hi = static_cast<std::size_t>(i + 4);
    t.Asigna("P[" + std::to_string(i) + "]: " + Fixed(P[lo], 6, 4) + " (" + kCellLabels[lo] + ")",
             0, i);
    t.Asigna("P[" + std::to_string(i + 4) + "]: " + Fixed(P[hi], 6, d) + " (" + kCellLabels[hi] +
                 ")",
             1, i);
  }
  t.Write();
  if (!size.ok()) {
    memo.AppendLine(NoteLine(size.problem + ": no sample is drawn"));
    memo.AppendLine("");
    return false;
  }
  if (!size.note.empty()) memo.AppendLine(NoteLine(size.note));
  memo.AppendLine("");

  ResetInputData();
  MultinomialSample(rec.n, InputData.N, P, context_->random);
  ShowXPTable(memo, "\xC2\xB7 Observed Data from simulation:", false);
  memo.AppendLine("");
  bool emptyCell = false;
  for (std::size_t i = 1; i <= 8; ++i) emptyCell = emptyCell || InputData.N[i] <= 0;
  if (emptyCell) {
    const double e = std::fabs(Epsilon) < 0.00001 ? 0.0 : Epsilon;
    memo.AppendLine("  * Depending on the method, e-correction = " + Fixed(e, 5, 3) +
                    " will be applied to the original data in order to avoid null frequencies");
    memo.AppendLine("");
  }
  ShowXPTable(memo, "\xC2\xB7 Observed Frequencies:", true);
  memo.AppendLine("");
  return true;
}

void tSimMDB::Examine_Record(const tInputFormRec& FormData, bool DataInput) {
  if (!FormData.MemoOutput) return;
  tTextDocument& memo = *FormData.MemoOutput;
  const tConf_rec& options = context_->options;
  SetalfaLevel(options.alfa_level);
  Epsilon = options.epsilon;
  if (!methods_) {
    CreateMethods(tSimulationType::simAny);
    AssignOptions(options);
  }
  methods_->SetSimulationType(tSimulationType::simAny);
  const int row = FormData.paramrec_activerec;
  if (!(DataInput ? ExamineRawRecord(memo, row) : ExamineParamsRecord(memo, row))) return;
  methods_->CalculateActive(InputData);
  AppendMethodReports(memo, *methods_, options.fulloutput, iRec.d_pos, iRec.R_pos,
                      options.decimals, context_->names);
  // The drawn (or read) sample as it is, before any increment or correction.
  if (options.extendedoutput)
    AppendExtendedReport(memo, CellsOfInput(InputData), options.alfa_level, options.decimals,
                         *methods_);
  if (options.npvoutput) {
    tMethodSet npv = kovalin::CreateMethods(options, tSimulationType::simAny);
    CalculateNpv(npv, InputData);
    AppendNpvReport(memo, npv, iRec.d_neg, iRec.R_neg, options.decimals, context_->names);
  }
}

}  // namespace kovalin
