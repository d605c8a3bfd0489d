#!/usr/bin/env python3
"""Writes the golden values of the comparison of the negative predictive values.

    python3 reference/make_golden_npv.py [output.json]

NPV(A) against NPV(B) is the comparison of the PPVs in the table with every
result and the disease status reversed: cells X'[i] = X[9 - i]. This script
reverses each table itself and computes the 21 methods on it with the
reference of make_golden.py (at 60 digits, with the same rounding-edge rules);
each record keeps the cells as given, so the test feeds the engine the
original table and checks what its NPV path computes. The tables are the named
cases of make_golden.py and random tables of every kind. Deterministic.
"""

import json
import random
import sys

sys.dont_write_bytecode = True  # keep the source tree clean
import make_golden as mg  # noqa: E402
import paired_methods as pm  # noqa: E402

TOTAL = 120


def reversed_record(case):
    rev = dict(case)
    rev["cells"] = list(reversed(case["cells"]))
    record, _ = mg.evaluate(rev)
    if record is None:
        return None
    record["name"] = "NPV: " + case["name"]
    record["cells"] = list(case["cells"])
    record["reversed"] = True
    return record


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "engine/tests/data/golden_npv.json"
    records = []
    for c in mg.named_cases():
        record = reversed_record(c)
        if record is not None:
            records.append(record)
    rng = random.Random(20261209)
    i = 0
    while len(records) < TOTAL:
        record = reversed_record(mg.random_case(rng, i))
        i += 1
        if record is not None:
            records.append(record)
    golden = {
        "about": "Golden values of the 21 methods comparing NPV(A) with NPV(B): the PPV "
                 "comparison of the reversed table, written by reference/make_golden_npv.py. "
                 "cells: the table as given; the values and measures are those of the "
                 "reversed table. null: missing (-999 or NaN).",
        "relative_tolerance": mg.REL,
        "fields": mg.FIELDS,
        "measure_fields": pm.MEASURE_NAMES,
        "cases": records,
    }
    with open(out, "w") as f:
        json.dump(golden, f, indent=None, separators=(",", ":"))
        f.write("\n")
    print("%d tables" % len(records))


if __name__ == "__main__":
    main()
