#pragma once

#include "engine/method_set.h"

namespace kovalin {

class tTextDocument;

// Appends what the analysis of one record prints after its measures, once every
// active method has calculated: the full block of each active method when
// fullOutput is set, then the summary groups "[1] DIFFERENCES:" (methods 1 to 3)
// and "[2] RATIOS:" (methods 4 to 21), each with its header line. dRef and rRef
// are the reference values of the coverage column for difference and ratio
// methods. The summary prints its numbers with the given decimals.
void AppendMethodReports(tTextDocument& memo, tMethodSet& methods, bool fullOutput,
                         double dRef, double rRef, int decimals);

}  // namespace kovalin
