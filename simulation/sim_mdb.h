#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/method_set.h"
#include "engine/paired_types.h"
#include "simulation/cell_probabilities.h"
#include "simulation/input_form_rec.h"
#include "simulation/parallel_records.h"
#include "simulation/record_source.h"
#include "simulation/run_context.h"
#include "simulation/sim_output.h"
#include "simulation/text_file.h"

namespace kovalin {

class tTextDocument;
class tWorkerSeeds;

enum class tTipoDatos { tdRawData, tdParameters, tdNA };

// The generic analysis base: an alias and a tag for the results it reports into.
class tAnalisis {
 public:
  virtual ~tAnalisis() = default;
  std::string Alias;
  tTipoDatos TipoDatos = tTipoDatos::tdNA;
  std::int32_t Tag = 0;
};

// How a simulation run ended.
enum class tRunOutcome { complete, cancelled, fileError };

struct tRunResult {
  tRunOutcome outcome = tRunOutcome::complete;
  int lines = 0;          // record lines written
  std::string message;    // the file error, for fileError
  // "Shut down the computer when done": the run asks its host to log the user
  // off after this delay; the host decides how to wait (the desktop counts down).
  bool logOff = false;
  int logOffDelayMilliseconds = 0;
};

// The engine of one analysis or simulation run over a record table: reads the
// records, turns parameter records into cell probabilities, draws the samples and
// drives the 21 methods.
class tSimMDB : public tAnalisis {
 public:
  // The table is read, not owned; it must outlive the engine. The engine's run
  // context is its own, copied from the process-wide options now.
  explicit tSimMDB(const tRecordSource* grid);
  // The same under a context that the caller keeps (a launched sequence shares one
  // among its kinds); it must outlive the engine.
  tSimMDB(const tRecordSource* grid, tRunContext& context);

  // The options, number format, stop flag and generator of the run.
  tRunContext& Context() { return *context_; }
  const tRunContext& Context() const { return *context_; }

  // Column lookup by name, letter case ignored; -1 / -999 when there is none.
  int NTabEd_GetColNumber(const std::string& Varname, int LcharsToCheck = 0) const;
  double NTabEd_GetVal(int activeRow, const std::string& Varname, int LcharsToCheck = 0) const;

  void SetConfLevel(double level);
  void SetalfaLevel(double alpha);

  tInputDataRec Get_InputParamsRow(int activeRow);
  tInputDataRec Get_InputDataRow(int activeRow);
  void Calc_iDataRec(tInputDataRec& rec) const;
  void Get_SDataRec(tInputDataRec& rec);
  void Get_Probabilities();
  tJointRoots Get_xy() const;
  bool Set_Cells_xy(double x, double y);
  void ResetInputData();
  void ShowXPTable(tTextDocument& memo, const std::string& title, bool percents) const;
  static const std::array<const char*, 9>& CellLabels() { return kCellLabels; }

  // The 21 method objects of the run, created from the run's options with the
  // given simulation type; their active flags follow options.Methods.
  void CreateMethods(tSimulationType simType);
  void AssignOptions(const tConf_rec& options);
  bool HasMethods() const { return methods_ != nullptr; }
  tMethodSet& Methods() { return *methods_; }

  // The report of one record into FormData.MemoOutput (row paramrec_activerec);
  // DataInput is true for a raw-data table, false for a parameter table.
  void Examine_Record(const tInputFormRec& FormData, bool DataInput);

  // A simulation run of kind pSimulationType with InputParams: creates the
  // methods and runs them over the rows, writing the record lines to output
  // (created by the caller, empty), under the context's stop flag and generator.
  tRunResult execute(tSimHost& host, tAppendFile& output);
  tRunResult Simulation_Execute(const std::array<bool, kMethodCount + 1>& MethodsToSimulate,
                                tSimHost& host, tAppendFile& output);

  // Readies the methods for a run of kind pSimulationType: the active flags, the
  // merge of the individual tests, the accumulators, the list of active methods.
  // Returns the output columns; firstCol[i] is method i's first column or -1.
  std::vector<tSimColumn> PrepareRun(const std::array<bool, kMethodCount + 1>& MethodsToSimulate,
                                     std::array<int, kMethodCount + 1>& firstCol);

  // One record of a prepared run (Simulation_Execute steps 8.2.1 to 8.2.6): the
  // values of its line (cols columns), drawn while the gate lets it. A seeded run
  // starts the record from RecordSeed(seed, row); without a seed the generator is
  // reseeded before every sample, from clockSeeds when given (a worker among
  // several) or else from its own clock.
  tRecordResult Simulation_Record(int row, const std::array<int, kMethodCount + 1>& firstCol,
                                  int cols, tSampleGate& gate, tWorkerSeeds* clockSeeds);

  // The output columns of the active methods for a kind (after the merge of the
  // individual tests); firstCol[i] is method i's first column or -1.
  std::vector<tSimColumn> BuildColumns(tSimulationType kind,
                                       std::array<int, kMethodCount + 1>& firstCol);

  // Method MethodNum's statistics of the current record into res from index on:
  // N, coverage and mean amplitude (intervals) or N and the rejection rate (tests).
  void Simulation_CI_Write_RecStr(int MethodNum, std::vector<double>& res, int index);
  void Simulation_ITest_Write_RecStr(int MethodNum, std::vector<double>& res, int index);
  void Simulation_GTest_Write_RecStr(int MethodNum, std::vector<double>& res, int index);

  tCellProbabilities P{};
  tCellProbabilities Q{};
  tInputDataRec iRec;
  std::int32_t NumOfValidSolsXY = 0;
  tInputData InputData;
  medidas2T inputTestMeasures;
  double p_alfa_level = 0.05;
  double p_conf_level = 0.95;
  double pZalfa = 0;
  double pZalfa_2 = 0;
  double Epsilon = 0;
  tSimulationType pSimulationType = tSimulationType::simAny;
  const tRecordSource* InputNTabEd = nullptr;
  bool ActiveSimulation = false;
  tInputFormRec InputParams;

 private:
  void SetZalfa();
  // False when the record cannot be analysed (its report says why; nothing inferred).
  bool ExamineRawRecord(tTextDocument& memo, int row);
  bool ExamineParamsRecord(tTextDocument& memo, int row);

  std::unique_ptr<tRunContext> ownContext_;
  tRunContext* context_ = nullptr;
  std::unique_ptr<tMethodSet> methods_;
};

// Folds F1R, F1Ra, F2R and F2Ra, which have no individual test, into d, da, Fd
// and Fda for an individual-test run, relabelling the partners.
void MergeIndividualTestMethods(tMethodSet& methods);

}  // namespace kovalin
