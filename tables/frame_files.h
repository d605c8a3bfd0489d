#pragma once

#include <string>

#include "tables/record_table_frame.h"
#include "tables/table_loader.h"

namespace kovalin {

// Puts a record-table file read by LoadRecordTable into the frame: the store,
// each column's decimal places (the grid keeps at most 10), the field list and
// the file name; the modified mark is cleared; the export delimiter becomes
// the one the file was read with (when the Delimiter choice has it). Loading first and adopting only
// a file that was read leaves no half-loaded table behind a failed open.
void AdoptRecordTable(tRecordTableFrame& frame, tRecordTableFile&& file, const std::string& path);


}  // namespace kovalin
