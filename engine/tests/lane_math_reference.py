#!/usr/bin/env python3
"""Writes data/lane_math_reference.txt: arguments of the engine's Exp and Log
with their exact values to 50 significant digits (mpmath), for the test that
holds both functions within one ulp.  Run from this folder:
    python3 lane_math_reference.py > data/lane_math_reference.txt
Each line: exp|log, the argument as a C hexadecimal float, the value."""
import random
import struct

import mpmath

mpmath.mp.dps = 60


def hexfloat(x):
    return float.hex(x)


def from_bits(b):
    return struct.unpack("<d", struct.pack("<Q", b))[0]


def main():
    rng = random.Random(2026)
    exp_args = []
    exp_args += [rng.uniform(-5, 5) for _ in range(6000)]          # the intervals' range
    exp_args += [rng.uniform(-745, 709.78) for _ in range(3000)]   # the whole range
    exp_args += [rng.uniform(-1e-6, 1e-6) for _ in range(500)]
    exp_args += [rng.uniform(-745.13, -708) for _ in range(500)]   # subnormal results
    log_args = []
    log_args += [rng.uniform(0.001, 1000) for _ in range(5000)]    # ratios of proportions
    log_args += [1 + rng.uniform(-1e-3, 1e-3) for _ in range(1500)]
    log_args += [1 + rng.uniform(-2e-6, 2e-6) for _ in range(500)]
    log_args += [from_bits(rng.randrange(1, 0x7FF0000000000000)) for _ in range(3000)]
    for x in exp_args:
        print("exp", hexfloat(x), mpmath.nstr(mpmath.exp(mpmath.mpf(x)), 50))
    for x in log_args:
        print("log", hexfloat(x), mpmath.nstr(mpmath.log(mpmath.mpf(x)), 50))


if __name__ == "__main__":
    main()
