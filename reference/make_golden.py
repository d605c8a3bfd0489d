#!/usr/bin/env python3
"""Writes the golden values of the 21 methods and both tests for about 200 tables.

    python3 reference/make_golden.py [output.json]

The tables are named cases (the worked example, zero cells, real cells, tests
that agree, large samples, other simulation types and increments) and then
random tables chosen so that every method reaches each of its branches (cuts,
missing variances, quadratics without roots, singular matrices, ...), then
random tables up to the total. Each table is computed twice: in double
arithmetic and at 60 digits. A table where the two disagree on a decision
(an error code, a missing value, a significance) sits on a rounding edge and
is left out. The golden value is the 60-digit one rounded to a double; where
rounding in double costs more than 1e-13 relative (a small variance or
statistic from cancellation), the case carries the absolute tolerance that
value needs. Deterministic: the same script writes the same file.
"""

import json
import math
import random
import sys

sys.dont_write_bytecode = True  # keep the source tree clean
import paired_methods as pm  # noqa: E402

FIELDS = ["error_code", "error_count", "epsilon_Corrections", "value", "variance", "SE",
          "Inf", "Sup", "Length", "Confidence", "semi_amplitud",
          "ITest.Cexp", "ITest.signification", "GTest.Cexp", "GTest.signification"]
ALPHAS = (0.05, 0.01, 0.10)
TOTAL = 200
REL = 1e-12


def run(case, M):
    """Results of the 21 methods (lists in FIELDS order) and their events."""
    rows, measures, events = [], [], set()
    for index in range(1, 22):
        m = pm.Method(index, case["alpha"], case["epsilon"], case["sim_type"], case.get("h"), M)
        r = m.calculate(case["cells"])
        it_sig = pm.significant(r.itest, pm.CHI2_1, M)
        gt_sig = pm.significant(r.gtest, pm.CHI2_2, M)
        count = 1 if r.error_code in (400, 500) else 0
        rows.append([r.error_code, count, r.eps_corrections, r.est, r.var, r.se, r.inf, r.sup,
                     r.length, r.confidence, r.semi, r.itest, it_sig, r.gtest, gt_sig])
        measures.append((m.h, r.measures))
        for e in r.events | {"code%d" % r.error_code,
                             "it_sig" if it_sig else "it_not", "gt_sig" if gt_sig else "gt_not"}:
            events.add((m.label, e))
    return rows, measures, events


def value_of(x):
    if x is None or isinstance(x, bool) or isinstance(x, int):
        return x
    f = float(x)
    if math.isnan(f) or f == -999:
        return None
    if math.isinf(f):
        return "inf" if f > 0 else "-inf"
    return f


def decisions(row):
    """What must not depend on rounding: codes, flags and which values exist."""
    out = []
    for v in row:
        if isinstance(v, (bool, int)):
            out.append(v)
        else:
            v = value_of(v)
            out.append("missing" if v is None else v if isinstance(v, str) else "number")
    return out


def float_events(case):
    """The branches a table reaches in double arithmetic, or None when a division
    by zero stops Python (the engine would go on with an infinity)."""
    try:
        return run(case, pm.FloatMath)
    except ZeroDivisionError:
        return None


def evaluate(case):
    """The case's golden record, or None when a decision sits on a rounding edge."""
    result = float_events(case)
    if result is None:
        return None, set()
    frows, _, events = result
    drows, dmeasures, _ = run(case, pm.DecimalMath)
    tol = {}
    for label, fr, dr in zip((m[1] for m in pm.METHODS), frows, drows):
        if decisions(fr) != decisions(dr):
            return None, events
        for name, f, d in zip(FIELDS, fr, dr):
            f, d = value_of(f), value_of(d)
            if isinstance(d, float) and abs(f - d) > 1e-13 * abs(d):
                # The double formula loses digits here; allow a hundred times that loss.
                tol["%s.%s" % (label, name)] = float("%.3g" % (100 * abs(f - d)))
    record = {k: case[k] for k in ("name", "alpha", "epsilon", "sim_type", "real", "cells")}
    record["h"] = case.get("h")
    record["methods"] = [[value_of(v) for v in row] for row in drows]
    groups = {}
    for h, values in dmeasures:
        groups.setdefault(h, None if values is None else [value_of(v) for v in values])
    record["measures"] = [{"h": h, "values": v} for h, v in groups.items()]
    if tol:
        record["tolerance"] = tol
    return record, events


def case(name, cells, alpha=0.05, epsilon=0.05, sim_type="simAny", real=None, h=None):
    if real is None:
        real = any(not float(c).is_integer() for c in cells)
    c = {"name": name, "cells": list(cells), "alpha": alpha, "epsilon": epsilon,
         "sim_type": sim_type, "real": real}
    if h is not None:
        c["h"] = h
    return c


EXAMPLE = [30, 12, 4, 4, 6, 10, 2, 32]


def named_cases():
    cases = [case("worked example alpha %g" % a, EXAMPLE, alpha=a) for a in ALPHAS]
    cases.append(case("worked example as real cells", [float(v) for v in EXAMPLE], real=True))
    for eps in (0.05, 0.0, 0.01, 0.5, 1.0):
        cases.append(case("one zero cell epsilon %g" % eps, [30, 12, 4, 0, 6, 10, 2, 32],
                          epsilon=eps))
    for eps in (0.05, 0.0, 1.0):
        cases.append(case("all cells zero epsilon %g" % eps, [0] * 8, epsilon=eps))
    cases.append(case("negative cells read as zero", [30, -12, 4, 4, 6, 10, -2, 32]))
    cases.append(case("negative real cells read as zero", [30.5, -1.5, 4, 4, 6, 10, 2, 32],
                      real=True))
    for a in ALPHAS:
        cases.append(case("tests agree alpha %g" % a, [40, 0, 0, 10, 30, 0, 0, 50], alpha=a))
    cases.append(case("tests agree with equal discordant cells", [40, 3, 3, 10, 30, 5, 5, 50]))
    cases.append(case("pooled variance near zero", [500, 1, 1, 1, 1, 1, 1, 1]))
    cases.append(case("pooled variance near zero, epsilon 0", [900, 1, 1, 2, 1, 1, 1, 3],
                      epsilon=0.0))
    cases.append(case("quadratic difference without roots", [1, 1, 1, 1, 1, 1, 1, 2]))
    cases.append(case("Fieller without roots", [1, 1, 1, 1, 1, 5, 5, 1]))
    cases.append(case("Fieller with negative leading term", [1, 50, 1, 1, 5, 5, 5, 5]))
    cases.append(case("ratio intervals not cut", [1, 60, 0, 0, 0, 1, 40, 30]))
    cases.append(case("R1 denominator not positive", [0, 10, 0, 0, 300, 0, 3, 1000]))
    cases.append(case("difference near one", [1, 40, 0, 0, 0, 0, 40, 0]))
    cases.append(case("difference near minus one", [0, 0, 40, 1, 0, 40, 0, 0]))
    for n, cells in ((5000, [1200, 300, 250, 250, 400, 600, 200, 1800]),
                     (20000, [4800, 1200, 1000, 1000, 1600, 2400, 800, 7200]),
                     (100000, [24000, 6000, 5000, 5000, 8000, 12000, 4000, 36000])):
        cases.append(case("large sample n %d" % n, cells))
    # Tests that agree in large samples: the discriminant of Fd just above and
    # below the 1e-9 under which it counts as zero (a double root).
    cases.append(case("Fd discriminant 1.5e-9", [13060, 0, 0, 3265, 9795, 0, 0, 16325]))
    cases.append(case("Fd discriminant 0.7e-9", [19120, 0, 0, 4780, 14340, 0, 0, 23900]))
    cases.append(case("huge real cells: quadratic with a double root",
                      [4e8, 0, 0, 1e8, 3e8, 0, 0, 5e8], real=True))
    cases.append(case("huge real cells, discordant", [4e8, 2.5, 1.5, 1e8, 3e8, 0.5, 3, 5e8],
                      real=True))
    cases.append(case("expected frequencies", [27.3, 11.8, 4.41, 3.95, 6.02, 9.7, 2.25, 31.9]))
    cases.append(case("real cells below one", [0.3, 0.7, 0.2, 0.9, 0.45, 0.15, 0.6, 0.25]))
    cases.append(case("real cells with a zero", [12.5, 0, 3.25, 1.75, 2.5, 4, 0.5, 20]))
    for t in ("SimCI", "simIT", "simGT"):
        cases.append(case("simulation type %s" % t, EXAMPLE, sim_type=t))
        cases.append(case("simulation type %s, Fieller without roots" % t,
                          [1, 1, 1, 1, 1, 5, 5, 1], sim_type=t))
        cases.append(case("simulation type %s, zero cell epsilon 0" % t,
                          [30, 12, 4, 0, 6, 10, 2, 32], epsilon=0.0, sim_type=t))
    for h in (0.25, 1.0, 0.0):
        cases.append(case("every method with increment %g" % h, [30, 12, 4, 0, 6, 10, 2, 32],
                          h=h))
    return cases


def random_case(rng, i):
    kind = rng.random()
    alpha = rng.choice(ALPHAS)
    epsilon = rng.choice((0.05, 0.05, 0.01, 0.1, 0.5, 1.0, 0.0))
    if kind < 0.45:  # small samples: zero cells and degenerate intervals
        top = rng.choice((2, 4, 8, 15))
        cells = [rng.randint(0, top) for _ in range(8)]
    elif kind < 0.75:  # medium samples with uneven cells
        cells = [int(rng.expovariate(1 / rng.choice((5, 20, 60)))) for _ in range(8)]
    elif kind < 0.9:  # strongly correlated tests: few discordant subjects
        cells = [rng.randint(20, 400), rng.randint(0, 3), rng.randint(0, 3), rng.randint(5, 80),
                 rng.randint(5, 80), rng.randint(0, 3), rng.randint(0, 3), rng.randint(20, 400)]
    else:  # real cells
        cells = [round(rng.uniform(0, 30), rng.choice((1, 2, 3))) for _ in range(8)]
        if rng.random() < 0.3:
            cells[rng.randrange(8)] = 0.0
        return case("random real %d" % i, cells, alpha, epsilon, real=True)
    return case("random %d" % i, cells, alpha, epsilon)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "engine/tests/data/golden_methods.json"
    records, covered = [], set()
    for c in named_cases():
        record, events = evaluate(c)
        if record is None:
            sys.exit("named case on a rounding edge: " + c["name"])
        records.append(record)
        covered |= events
    rng = random.Random(20240607)
    candidates = [random_case(rng, i) for i in range(4000)]
    # Tables that reach a branch no earlier table reached, then the rest in order.
    rest = []
    for c in candidates:
        result = float_events(c)
        if result is None:
            continue
        if len(records) < TOTAL and result[2] - covered:
            record, events = evaluate(c)
            if record is not None:
                records.append(record)
                covered |= events
                continue
        rest.append(c)
    for c in rest:
        if len(records) >= TOTAL:
            break
        record, _ = evaluate(c)
        if record is not None:
            records.append(record)
    reached = sorted({e for _, e in covered})
    golden = {
        "about": "Golden values of the 21 interval methods and the homogeneity tests, "
                 "written by reference/make_golden.py. null: missing (-999 or NaN).",
        "relative_tolerance": REL,
        "fields": FIELDS,
        "measure_fields": pm.MEASURE_NAMES,
        "cases": records,
    }
    with open(out, "w") as f:
        json.dump(golden, f, indent=None, separators=(",", ":"))
        f.write("\n")
    print("%d tables, %d method branches reached (%s)" % (len(records), len(covered),
                                                        ", ".join(reached)))


if __name__ == "__main__":
    main()
