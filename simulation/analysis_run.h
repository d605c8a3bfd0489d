#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "simulation/record_source.h"
#include "simulation/run_context.h"

namespace kovalin {

class tSimMDB;
class tTextDocument;

// The analysis of rows top..bottom of a raw-data or VP/OR/P parameter table into
// memo: the ">Input: line" header, then one block per row. Another kind of table
// gets nothing. The rows are copied first, and the analysis reads the options,
// the number format and the generator of the context. With a seed the generator
// is seeded once for the whole analysis, otherwise every drawn sample is seeded
// from the clock. afterRecord, when given, sees the engine after each row (its
// record, cells and methods).
void AnalyzeSelection(const tRecordSource& table, int top, int bottom, tTextDocument& memo,
                      tRunContext& context, std::optional<std::uint32_t> seed = std::nullopt,
                      const std::function<void(tSimMDB&, int row)>& afterRecord = {});

// The same under a context copied from the process-wide options now.
void AnalyzeSelection(const tRecordSource& table, int top, int bottom, tTextDocument& memo,
                      std::optional<std::uint32_t> seed = std::nullopt,
                      const std::function<void(tSimMDB&, int row)>& afterRecord = {});

}  // namespace kovalin
