#include "simulation/analysis_run.h"

#include <string>

#include "engine/text_document.h"
#include "simulation/record_snapshot.h"
#include "simulation/sim_mdb.h"

namespace kovalin {

void AnalyzeSelection(const tRecordSource& table, int top, int bottom, tTextDocument& memo,
                      tRunContext& context, std::optional<std::uint32_t> seed,
                      const std::function<void(tSimMDB&, int row)>& afterRecord) {
  const tRecordTableKind kind = RecordTableKind(table);
  if (kind != tRecordTableKind::rawData && kind != tRecordTableKind::paramsVP) return;
  const tRecordSnapshot rows(table, top, bottom);

  tInputFormRec form;
  form.epsilon_correction = context.options.epsilon;
  form.paramrec_Init = 1;
  form.paramrec_End = 1;
  form.paramrec_activerec = 1;
  form.NumSamples = 1;
  form.SpeSamplesTol = 0;
  form.MemoOutput = &memo;

  tSimMDB sim(&rows, context);
  sim.CreateMethods(tSimulationType::simAny);
  sim.AssignOptions(context.options);
  context.random.StartRun(seed);

  memo.AppendLine(">Input: line " + std::to_string(top) + " to line " + std::to_string(bottom));
  if (context.names.given()) memo.AppendLine(TestNamesLine(context.names));
  memo.AppendLine("");
  for (int row = top; row <= bottom; ++row) {
    form.paramrec_activerec = row;
    sim.Examine_Record(form, kind == tRecordTableKind::rawData);
    if (afterRecord) afterRecord(sim, row);
  }
}

void AnalyzeSelection(const tRecordSource& table, int top, int bottom, tTextDocument& memo,
                      std::optional<std::uint32_t> seed,
                      const std::function<void(tSimMDB&, int row)>& afterRecord) {
  tRunContext context = StartRunContext();
  AnalyzeSelection(table, top, bottom, memo, context, seed, afterRecord);
}

}  // namespace kovalin
