// The analysis of one paired table for R: the same calls kovalin-cli compare makes.
#include <Rcpp.h>

#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "engine/app_options.h"
#include "engine/comparisons.h"
#include "engine/extended_report.h"
#include "engine/method_set.h"
#include "engine/npv_methods.h"
#include "engine/paired_measures.h"
#include "engine/record_report.h"
#include "engine/test_names.h"
#include "engine/text_document.h"
#include "glue_common.h"
#include "tables/subject_table.h"

using namespace kovalin;

namespace {

Rcpp::NumericVector MeasuresVector(const medidas2T& m, double n) {
  Rcpp::NumericVector v = {RValue(m.A.Prevalencia), RValue(m.A.Se), RValue(m.A.Sp),
                           RValue(m.A.PPV),         RValue(m.A.NPV), RValue(m.B.Se),
                           RValue(m.B.Sp),          RValue(m.B.PPV), RValue(m.B.NPV),
                           RValue(m.O_pos),         RValue(m.O_neg), RValue(n)};
  v.names() = Rcpp::CharacterVector{"prevalence", "se_a", "sp_a",  "ppv_a",  "npv_a", "se_b",
                                    "sp_b",       "ppv_b", "npv_b", "or_pos", "or_neg", "n"};
  return v;
}

Rcpp::DataFrame MethodsFrame(tMethodSet& methods) {
  Rcpp::IntegerVector index, errorCode, errorCount, corrections;
  Rcpp::CharacterVector label, type;
  Rcpp::NumericVector h, estimate, variance, se, lower, upper, length, iStat, iP, gStat, gP;
  Rcpp::LogicalVector iSig, gSig;
  methods.ForEachActive([&](t2BDM& m) {
    index.push_back(m.index);
    label.push_back(m.method_Name);
    type.push_back(m.IsDifference() ? "difference" : "ratio");
    h.push_back(m.inc_h);
    estimate.push_back(RValue(m.Params.Estimate.value));
    variance.push_back(RValue(m.Params.Estimate.variance));
    se.push_back(RValue(m.Params.Estimate.SE));
    lower.push_back(RValue(m.Params.CI.Inf));
    upper.push_back(RValue(m.Params.CI.Sup));
    length.push_back(RValue(m.Params.CI.Length));
    iStat.push_back(RValue(m.ITest.Cexp));
    iP.push_back(RValue(TestPValue(m.ITest, 1)));
    iSig.push_back(m.ITest.signification);
    gStat.push_back(RValue(m.GTest.Cexp));
    gP.push_back(RValue(TestPValue(m.GTest, 2)));
    gSig.push_back(m.GTest.signification);
    errorCode.push_back(m.Error_code);
    errorCount.push_back(m.error_count);
    corrections.push_back(m.epsilon_Corrections);
  });
  return Rcpp::DataFrame::create(
      Rcpp::Named("index") = index, Rcpp::Named("label") = label, Rcpp::Named("type") = type,
      Rcpp::Named("h") = h, Rcpp::Named("estimate") = estimate,
      Rcpp::Named("variance") = variance, Rcpp::Named("se") = se, Rcpp::Named("lower") = lower,
      Rcpp::Named("upper") = upper, Rcpp::Named("length") = length,
      Rcpp::Named("it_statistic") = iStat, Rcpp::Named("it_p_value") = iP,
      Rcpp::Named("it_significant") = iSig, Rcpp::Named("gt_statistic") = gStat,
      Rcpp::Named("gt_p_value") = gP, Rcpp::Named("gt_significant") = gSig,
      Rcpp::Named("error_code") = errorCode, Rcpp::Named("error_count") = errorCount,
      Rcpp::Named("epsilon_corrections") = corrections,
      Rcpp::Named("stringsAsFactors") = false);
}

Rcpp::DataFrame AccuracyFrame(const tCells& X, double alpha) {
  const tPairedAccuracy acc = AccuracyOfTests(X, alpha);
  Rcpp::CharacterVector test, measure;
  Rcpp::NumericVector estimate, se, waldLower, waldUpper, wilsonLower, wilsonUpper;
  auto proportion = [&](const char* t, const char* name, const tProportionAccuracy& p) {
    test.push_back(t);
    measure.push_back(name);
    estimate.push_back(RValue(p.estimate));
    se.push_back(RValue(p.se));
    waldLower.push_back(RValue(p.wald.Inf));
    waldUpper.push_back(RValue(p.wald.Sup));
    wilsonLower.push_back(RValue(p.wilson.Inf));
    wilsonUpper.push_back(RValue(p.wilson.Sup));
  };
  // The likelihood ratios have one interval (log method), given in the Wald columns.
  auto ratio = [&](const char* t, const char* name, const tRatioAccuracy& r) {
    test.push_back(t);
    measure.push_back(name);
    estimate.push_back(RValue(r.estimate));
    se.push_back(RValue(r.seLog));
    waldLower.push_back(RValue(r.log.Inf));
    waldUpper.push_back(RValue(r.log.Sup));
    wilsonLower.push_back(NA_REAL);
    wilsonUpper.push_back(NA_REAL);
  };
  for (int k = 0; k < 2; ++k) {
    const char* t = k == 0 ? "A" : "B";
    const tTestAccuracy& a = k == 0 ? acc.A : acc.B;
    proportion(t, "Se", a.Se);
    proportion(t, "Sp", a.Sp);
    proportion(t, "PPV", a.PPV);
    proportion(t, "NPV", a.NPV);
    ratio(t, "DLR+", a.DLRpos);
    ratio(t, "DLR-", a.DLRneg);
  }
  return Rcpp::DataFrame::create(
      Rcpp::Named("test") = test, Rcpp::Named("measure") = measure,
      Rcpp::Named("estimate") = estimate, Rcpp::Named("se") = se,
      Rcpp::Named("lower") = waldLower, Rcpp::Named("upper") = waldUpper,
      Rcpp::Named("wilson_lower") = wilsonLower, Rcpp::Named("wilson_upper") = wilsonUpper,
      Rcpp::Named("stringsAsFactors") = false);
}

const char* KindName(tStatisticKind k) {
  switch (k) {
    case tStatisticKind::chiSquare: return "chi-square";
    case tStatisticKind::normal: return "normal";
    case tStatisticKind::exact: break;
  }
  return "exact binomial";
}

Rcpp::DataFrame ComparisonsFrame(const tCells& X, double alpha) {
  Rcpp::CharacterVector name, measure, method, orientation, distribution;
  Rcpp::NumericVector estimate, se, statistic, pValue, pHolm, lower, upper;
  Rcpp::IntegerVector df;
  for (const tComparison& c : CompareTests(X, alpha)) {
    name.push_back(c.name);
    measure.push_back(c.measure);
    method.push_back(c.method);
    orientation.push_back(c.ratio ? "A/B" : "A-B");
    estimate.push_back(RValue(c.estimate));
    se.push_back(RValue(c.se));
    statistic.push_back(RValue(c.statistic));
    distribution.push_back(KindName(c.kind));
    df.push_back(c.df > 0 ? c.df : NA_INTEGER);
    pValue.push_back(RValue(c.p_value));
    pHolm.push_back(RValue(c.p_holm));
    lower.push_back(c.hasInterval ? RValue(c.interval.Inf) : NA_REAL);
    upper.push_back(c.hasInterval ? RValue(c.interval.Sup) : NA_REAL);
  }
  return Rcpp::DataFrame::create(
      Rcpp::Named("name") = name, Rcpp::Named("measure") = measure,
      Rcpp::Named("method") = method, Rcpp::Named("orientation") = orientation,
      Rcpp::Named("estimate") = estimate, Rcpp::Named("se") = se,
      Rcpp::Named("statistic") = statistic, Rcpp::Named("distribution") = distribution,
      Rcpp::Named("df") = df, Rcpp::Named("p_value") = pValue, Rcpp::Named("p_holm") = pHolm,
      Rcpp::Named("lower") = lower, Rcpp::Named("upper") = upper,
      Rcpp::Named("stringsAsFactors") = false);
}

}  // namespace

// cells: the eight frequencies in the program's order, checked in R (finite, >= 0).
// methods: 21 flags. Returns everything kv_compare puts in its object.
// names: the tests' names, empty for none; npv: the NPVs by the 21 methods too.
// [[Rcpp::export(name = ".kv_compare_cells")]]
Rcpp::List CompareCells(Rcpp::NumericVector cells, double alpha, double epsilon,
                        Rcpp::LogicalVector methods, int decimals, std::string nameA,
                        std::string nameB, bool npv) {
  if (cells.size() != 8 || methods.size() != kMethodCount)
    Rcpp::stop("internal: 8 cells and 21 method flags expected");
  tInputData input;
  input.N[0] = kMissingInt;  // real-valued frequencies, as the command line takes them
  for (int i = 0; i < 8; ++i) {
    input.V[static_cast<std::size_t>(i) + 1] = cells[i];
    input.V[0] += cells[i];
  }
  tConf_rec options = DefaultAppOptions();
  options.alfa_level = alpha;
  options.epsilon = epsilon;
  options.decimals = decimals;
  for (int i = 0; i < kMethodCount; ++i)
    options.Methods[static_cast<std::size_t>(i) + 1] = methods[i] == TRUE;
  const tScopedAppOptions scope(options);

  tMethodSet set = CreateMethods(options, tSimulationType::simAny);
  set.ForEachActive([&](t2BDM& m) { m.Calculate(input); });

  tTestNames names;
  names.a = nameA;
  names.b = nameB;
  tMethodSet npvSet = CreateMethods(options, tSimulationType::simAny);
  if (npv) CalculateNpv(npvSet, input);

  // The summary as compare prints it (with the names' line first when the tests
  // have names), the full reports, the extended block and the NPV block, each alone.
  tMemoryDocument summary, full, extended, npvBlock;
  if (names.given()) summary.AppendLine(TestNamesLine(names));
  AppendMethodReports(summary, set, false, 0.0, 1.0, decimals, names);
  if (names.given()) full.AppendLine(TestNamesLine(names));
  AppendMethodReports(full, set, true, 0.0, 1.0, decimals, names);
  const tCells X = CellsOfInput(input);
  AppendExtendedReport(extended, X, alpha, decimals, set, ExtendedOptionsOf(options, names));
  if (npv) AppendNpvReport(npvBlock, npvSet, 0.0, 1.0, decimals, names);

  const tData_Rec observed = DataOfCells(input.V);
  return Rcpp::List::create(
      Rcpp::Named("measures") = MeasuresVector(ComputeMeasures(observed), observed.n),
      Rcpp::Named("methods") = MethodsFrame(set),
      Rcpp::Named("accuracy") = AccuracyFrame(X, alpha),
      Rcpp::Named("comparisons") = ComparisonsFrame(X, alpha),
      Rcpp::Named("summary_text") = Rcpp::wrap(summary.Lines()),
      Rcpp::Named("full_text") = Rcpp::wrap(full.Lines()),
      Rcpp::Named("extended_text") = Rcpp::wrap(extended.Lines()),
      Rcpp::Named("npv_methods") = npv ? Rcpp::RObject(MethodsFrame(npvSet)) : Rcpp::RObject(),
      Rcpp::Named("npv_text") = Rcpp::wrap(npvBlock.Lines()));
}

// A data frame of subjects as text (a header and one tab-separated row per
// subject, fields quoted), counted into the eight cells by the subject reader
// of the command line. positive, negative: the codes of one's own, or NA.
// [[Rcpp::export(name = ".kv_subject_cells")]]
Rcpp::List SubjectCells(std::string text, Rcpp::CharacterVector positive,
                        Rcpp::CharacterVector negative) {
  tSubjectRequest request;
  request.positions = {1, 2, 3};
  request.delimiter = csvTab;
  std::optional<std::string_view> pos, neg;
  std::string posText, negText;
  if (!Rcpp::CharacterVector::is_na(positive[0])) {
    posText = Rcpp::as<std::string>(positive[0]);
    pos = posText;
  }
  if (!Rcpp::CharacterVector::is_na(negative[0])) {
    negText = Rcpp::as<std::string>(negative[0]);
    neg = negText;
  }
  std::string error;
  if ((pos || neg) && !request.coding.SetCodes(pos, neg, error)) Rcpp::stop(error);
  const tSubjectTable table = ReadSubjectText(text, request);
  if (!table.ok) Rcpp::stop(table.error);
  Rcpp::NumericVector cells(8);
  for (int i = 0; i < 8; ++i) cells[i] = table.cells[static_cast<std::size_t>(i) + 1];
  Rcpp::IntegerVector line, column;
  Rcpp::CharacterVector message;
  for (const tSubjectExclusion& e : table.excluded) {
    line.push_back(e.line);
    column.push_back(e.column);
    message.push_back(e.message);
  }
  return Rcpp::List::create(Rcpp::Named("cells") = cells, Rcpp::Named("rows") = table.rows,
                            Rcpp::Named("line") = line, Rcpp::Named("column") = column,
                            Rcpp::Named("message") = message);
}

// The labels of the 21 methods with their type and continuity increment.
// [[Rcpp::export(name = ".kv_method_table")]]
Rcpp::DataFrame MethodTable() {
  Rcpp::IntegerVector index;
  Rcpp::CharacterVector label, type;
  Rcpp::NumericVector h;
  for (int i = 1; i <= kMethodCount; ++i) {
    index.push_back(i);
    label.push_back(MethodLabel(i));
    type.push_back(MethodTypeOf(i) == tMethodType::difference ? "difference" : "ratio");
    h.push_back(MethodIncrement(i));
  }
  return Rcpp::DataFrame::create(Rcpp::Named("index") = index, Rcpp::Named("label") = label,
                                 Rcpp::Named("type") = type, Rcpp::Named("h") = h,
                                 Rcpp::Named("stringsAsFactors") = false);
}

// What each code means to the subject reader: "positive", "negative", "missing"
// or "unknown" (the levels of a 2x2x2 table are read with the same rules).
// [[Rcpp::export(name = ".kv_classify_codes")]]
Rcpp::CharacterVector ClassifyCodes(Rcpp::CharacterVector codes) {
  const tSubjectCoding coding;
  Rcpp::CharacterVector out(codes.size());
  for (R_xlen_t i = 0; i < codes.size(); ++i) {
    if (Rcpp::CharacterVector::is_na(codes[i])) {
      out[i] = "missing";
      continue;
    }
    switch (coding.Classify(Rcpp::as<std::string>(codes[i]))) {
      case tSubjectCode::positive: out[i] = "positive"; break;
      case tSubjectCode::negative: out[i] = "negative"; break;
      case tSubjectCode::missing: out[i] = "missing"; break;
      case tSubjectCode::unknown: out[i] = "unknown"; break;
    }
  }
  return out;
}
