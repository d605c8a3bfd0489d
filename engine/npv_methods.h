#pragma once

#include "engine/accuracy.h"
#include "engine/method_set.h"
#include "engine/paired_types.h"
#include "engine/test_names.h"

namespace kovalin {

class tTextDocument;

// The negative predictive values are compared by the same 21 methods as the
// positive ones: reversing every result and the disease status turns a
// negative result into a positive one and the non-diseased into the diseased,
// so the PPV of a test in the reversed table is its NPV in the table as given.
// In the cell order the reversal reads the cells backwards (X'[i] = X[9 - i]).

// The input with its cells reversed (counts, or reals when N[0] is missing).
tInputData ReversedInput(const tInputData& input);
tCells ReversedCells(const tCells& X);

// Calculates every active method on the reversed table: each method's estimate,
// interval and tests then compare NPV(A) with NPV(B) (differences A - B,
// ratios A / B). The methods' Data and TestMeasures are those of the reversed
// table.
void CalculateNpv(tMethodSet& methods, const tInputData& input);

// Appends the block "[4] NEGATIVE PREDICTIVE VALUES" laid out as the summary of
// the PPVs: the difference methods, then the ratio methods, each group with its
// heading and the header line of the columns. dRef and rRef are the reference
// values of the coverage column (0 and 1 for no difference).
void AppendNpvReport(tTextDocument& memo, tMethodSet& npvMethods, double dRef, double rRef,
                     int decimals, const tTestNames& names = {});

}  // namespace kovalin
