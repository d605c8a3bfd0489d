#pragma once

#include <string>

#include "engine/method_set.h"
#include "engine/test_names.h"

namespace kovalin {

class tTextDocument;

// Appends what the analysis of one record prints after its measures, once every
// active method has calculated: the full block of each active method when
// fullOutput is set, then the summary groups "[1] DIFFERENCES:" (methods 1 to 3)
// and "[2] RATIOS:" (methods 4 to 21), each with its header line. dRef and rRef
// are the reference values of the coverage column for difference and ratio
// methods. The summary prints its numbers with the given decimals. Named tests
// add their names to the two group headings ("[1] DIFFERENCES: PPV(Mammography)
// - PPV(MRI)"); without names the headings are as above.
void AppendMethodReports(tTextDocument& memo, tMethodSet& methods, bool fullOutput,
                         double dRef, double rRef, int decimals, const tTestNames& names = {});

// The summary part alone: a blank line, differencesHeading when a method that
// needs it is active, the summary lines of methods 1 to 3; a blank line,
// ratiosHeading likewise, the summary lines of methods 4 to 21.
void AppendMethodSummaries(tTextDocument& memo, tMethodSet& methods, double dRef, double rRef,
                           int decimals, const std::string& differencesHeading,
                           const std::string& ratiosHeading);

}  // namespace kovalin
