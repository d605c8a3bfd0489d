#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "simulation/record_source.h"

namespace kovalin {

class tSimMDB;
class tTextDocument;

// The analysis of rows top..bottom of a raw-data or VP/OR/P parameter table into
// memo: the ">Input: line" header, then one block per row. Another kind of table
// gets nothing. With a seed the generator is seeded once for the whole analysis,
// otherwise every drawn sample is seeded from the clock. afterRecord, when given,
// sees the engine after each row (its record, cells and methods).
void AnalyzeSelection(const tRecordSource& table, int top, int bottom, tTextDocument& memo,
                      std::optional<std::uint32_t> seed = std::nullopt,
                      const std::function<void(tSimMDB&, int row)>& afterRecord = {});

}  // namespace kovalin
