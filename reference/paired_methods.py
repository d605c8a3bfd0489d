"""Independent reference of the 21 interval methods and the two homogeneity tests.

Written from the formulas alone, not from the C++ engine, so that the golden
values it produces can catch a wrong operator or constant there. Every result
is computed with a number type chosen by the caller: `float` follows the
engine's double arithmetic; `Decimal` at 60 digits gives the exact value of the
same formulas on the same double inputs, which tells how many digits of a
result survive rounding (a small variance or statistic from cancellation).

Missing results are None (the engine's -999 or NaN); everything else is a
number of the chosen type. Standard library only.
"""

import decimal
import math

MISSING = None

# Method table: index, label, class, type, increment h.
H_DIFF = 0.4802
H_RATIO = 0.5
METHODS = [
    (1, "d", "d", "difference", 0.0),
    (2, "da", "d", "difference", H_DIFF),
    (3, "dp", "dp", "difference", 0.0),
    (4, "LR", "LR", "ratio", 0.0),
    (5, "LRa", "LR", "ratio", H_RATIO),
    (6, "LRp", "LRp", "ratio", 0.0),
    (7, "R", "R", "ratio", 0.0),
    (8, "Ra", "R", "ratio", H_RATIO),
    (9, "Rp", "Rp", "ratio", 0.0),
    (10, "Fd", "Fd", "difference", 0.0),
    (11, "Fda", "Fd", "difference", H_DIFF),
    (12, "FdA", "FdA", "difference", 0.0),
    (13, "FdAa", "FdA", "difference", H_DIFF),
    (14, "R1", "R1", "ratio", 0.0),
    (15, "R1a", "R1", "ratio", H_RATIO),
    (16, "R2", "R2", "ratio", 0.0),
    (17, "R2a", "R2", "ratio", H_RATIO),
    (18, "F1R", "F1R", "ratio", 0.0),
    (19, "F1Ra", "F1R", "ratio", H_RATIO),
    (20, "F2R", "F2R", "ratio", 0.0),
    (21, "F2Ra", "F2R", "ratio", H_RATIO),
]

CHI2_1 = 3.8416
CHI2_2 = 5.991
SIM_TYPES = ("simAny", "SimCI", "simIT", "simGT")


class FloatMath:
    """IEEE double arithmetic; the operations that Python refuses give inf/NaN."""

    @staticmethod
    def c(x):
        return float(x)

    @staticmethod
    def sqrt(x):
        return math.sqrt(x) if x >= 0 else math.nan

    @staticmethod
    def log(x):
        if x > 0:
            return math.log(x)
        return -math.inf if x == 0 else math.nan

    @staticmethod
    def exp(x):
        try:
            return math.exp(x)
        except OverflowError:
            return math.inf

    @staticmethod
    def isnan(x):
        return math.isnan(x)


class DecimalMath:
    """The same formulas at 60 digits, starting from the exact double inputs."""

    context = decimal.Context(prec=60, traps=[])
    decimal.setcontext(context)  # every operation, not only the functions below

    @staticmethod
    def c(x):
        return decimal.Decimal(float(x))

    @classmethod
    def sqrt(cls, x):
        return x.sqrt(cls.context) if x >= 0 else decimal.Decimal("NaN")

    @classmethod
    def log(cls, x):
        return x.ln(cls.context) if x > 0 else decimal.Decimal("NaN")

    @classmethod
    def exp(cls, x):
        return x.exp(cls.context)

    @staticmethod
    def isnan(x):
        return x.is_nan()


def z_of(alfa):
    """Z of an alpha level; 0 for an alpha that has no stored quantile."""
    for level, z in ((0.05, 1.96), (0.01, 2.5758), (0.10, 1.6449)):
        if abs(alfa - level) <= 1e-16:
            return z
    return 0.0


def corrected_cells(cells, h, epsilon):
    """Stages 1 and 2 of a calculation, in double arithmetic as the cells are
    stored. Returns (X[0..8], epsilon corrected, valid)."""
    x = [0.0] + [max(float(v), 0.0) for v in cells]
    x[0] = 0.0
    for i in range(1, 9):
        x[i] = x[i] + h
        x[0] = x[0] + x[i]
    corrected = False
    if not all(v > 0 for v in x[1:]):
        x[0] = 0.0
        for i in range(1, 9):
            x[i] = x[i] + epsilon
            x[0] = x[0] + x[i]
        corrected = True
    return x, corrected, all(v > 0 for v in x[1:])


class Sample:
    """The corrected cells, their sums and the measures of both tests."""

    def __init__(self, xs, M):
        X = [M.c(v) for v in xs]
        self.X = X
        self.n = X[0]
        self.n1 = X[1] + X[5]
        self.n2 = X[2] + X[6]
        self.n3 = X[3] + X[7]
        self.n4 = X[4] + X[8]
        self.nA = self.n1 + self.n2
        self.nB = self.n1 + self.n3
        self.nnA = self.n3 + self.n4
        self.nnB = self.n2 + self.n4
        self.m1 = X[1] + X[2] + X[3] + X[4]
        self.m2 = self.n - self.m1
        self.P = self.nA * self.nB
        self.S = self.nA + self.nB
        self.prev = self.m1 / self.n
        self.SeA = (X[1] + X[2]) / self.m1
        self.SeB = (X[1] + X[3]) / self.m1
        self.SpA = (X[7] + X[8]) / self.m2
        self.SpB = (X[6] + X[8]) / self.m2
        self.pA = (X[1] + X[2]) / self.nA
        self.pB = (X[1] + X[3]) / self.nB
        self.qA = (X[7] + X[8]) / self.nnA
        self.qB = (X[6] + X[8]) / self.nnB
        self.O_pos = X[1] * X[4] / (X[2] * X[3])
        self.O_neg = X[5] * X[8] / (X[6] * X[7])

    def measures(self):
        return [self.prev, self.SeA, self.SpA, self.pA, self.qA,
                self.prev, self.SeB, self.SpB, self.pB, self.qB,
                self.O_pos, self.O_neg]


MEASURE_NAMES = ["A.Prevalencia", "A.Se", "A.Sp", "A.PPV", "A.NPV",
                 "B.Prevalencia", "B.Se", "B.Sp", "B.PPV", "B.NPV", "O_pos", "O_neg"]


# Shared variances of the estimate (on the PPVs).
def variance_d(s):
    pA, pB, X = s.pA, s.pB, s.X
    return (pA * (1 - pA) / s.nA + pB * (1 - pB) / s.nB
            - 2 * ((1 - pA) * (1 - pB) * X[1] + pA * pB * X[5]) / s.P)


def pooled_p(s):
    return (s.nA * s.pA + s.nB * s.pB) / s.S


def variance_dp(s):
    p, X = pooled_p(s), s.X
    return p * (1 - p) * s.S / s.P - 2 * ((1 - p) ** 2 * X[1] + p ** 2 * X[5]) / s.P


def variance_LR(s):
    pA, pB, X = s.pA, s.pB, s.X
    return ((1 - pA) / (pA * s.nA) + (1 - pB) / (pB * s.nB)
            - (2 / s.P) * ((1 - pA) * (1 - pB) * X[1] / (pA * pB) + X[5]))


def variance_LRp(s):
    p, X = pooled_p(s), s.X
    w = (1 - p) / p
    return w * s.S / s.P - (2 / s.P) * (w ** 2 * X[1] + X[5])


# Covariance matrices of the global test.
def matrix_D(s, pooled):
    X = s.X
    if pooled:
        pA = pB = pooled_p(s)
        qA = qB = (s.nnA * s.qA + s.nnB * s.qB) / (s.nnA + s.nnB)
    else:
        pA, pB, qA, qB = s.pA, s.pB, s.qA, s.qB
    d11 = (pA * (1 - pA) / s.nA + pB * (1 - pB) / s.nB
           - 2 * ((1 - pA) * (1 - pB) * X[1] + pA * pB * X[5]) / (s.nA * s.nB))
    d22 = (qA * (1 - qA) / s.nnA + qB * (1 - qB) / s.nnB
           - 2 * ((1 - qA) * (1 - qB) * X[8] + qA * qB * X[4]) / (s.nnA * s.nnB))
    d12 = (((1 - pA) * qB * X[2] + (1 - qB) * pA * X[6]) / (s.nA * s.nnB)
           + ((1 - pB) * qA * X[3] + (1 - qA) * pB * X[7]) / (s.nnA * s.nB))
    return d11, d12, d22


def matrix_L(s, pooled):
    X = s.X
    if pooled:
        pA = pB = pooled_p(s)
        qA = qB = (s.nnA * s.qA + s.nnB * s.qB) / (s.nnA + s.nnB)
    else:
        pA, pB, qA, qB = s.pA, s.pB, s.qA, s.qB
    l11 = ((1 - pA) / (pA * s.nA) + (1 - pB) / (pB * s.nB)
           - (2 / (s.nA * s.nB)) * ((1 - pA) * (1 - pB) * X[1] / (pA * pB) + X[5]))
    l22 = ((1 - qA) / (qA * s.nnA) + (1 - qB) / (qB * s.nnB)
           - (2 / (s.nnA * s.nnB)) * ((1 - qA) * (1 - qB) * X[8] / (qA * qB) + X[4]))
    l12 = ((1 / (s.nA * s.nnB)) * ((1 - pA) * X[2] / pA + (1 - qB) * X[6] / qB)
           + (1 / (s.nnA * s.nB)) * ((1 - pB) * X[3] / pB + (1 - qA) * X[7] / qA))
    return l11, l12, l22


def matrix_F2R(s):
    X, pA, pB, qA, qB = s.X, s.pA, s.pB, s.qA, s.qB
    d11, _, d22 = matrix_D(s, False)
    dP = pA - pB
    dN = qA - qB
    m11 = d11 + (1 / s.nA + 1 / s.nB - 4 / s.n) * dP ** 2
    m22 = d22 + (1 / s.nnA + 1 / s.nnB - 4 / s.n) * dN ** 2
    m12 = (((1 - pA) * qB * X[3] + (1 - qB) * pA * X[7]) / (s.nnA * s.nB)
           + ((1 - pB) * qA * X[2] + (1 - qA) * pB * X[6]) / (s.nA * s.nnB)
           - 4 * dP * dN / s.n)
    return m11, m12, m22


class Result:
    """What one calculation of one method leaves behind."""

    def __init__(self):
        self.error_code = 0
        self.eps_corrections = 0
        self.est = self.var = self.se = MISSING
        self.inf = self.sup = self.length = MISSING
        self.confidence = MISSING
        self.semi = 0  # a new object's half-width; only some intervals set it
        self.positive_var = False  # likewise kept from before when not set
        self.itest = MISSING
        self.gtest = MISSING
        self.measures = None
        self.events = set()  # branches taken, to choose tables that reach them all


def missing(x, M):
    return x is None or M.isnan(x) or x == -999


class Method:
    """One configured method; calculate() follows the steps of a calculation."""

    def __init__(self, index, alfa, epsilon, sim_type="simAny", h=None, M=FloatMath):
        _, self.label, self.cls, self.type, self.h = METHODS[index - 1]
        if h is not None:
            self.h = h
        self.alfa, self.epsilon, self.sim_type, self.M = alfa, epsilon, sim_type, M
        self.z = M.c(z_of(alfa))
        self.z2 = M.c(z_of(alfa) * z_of(alfa))  # the double product

    # SetVariance: a variance that is not positive is missing, with error 200.
    def set_variance(self, r, v):
        r.positive_var = not (v <= 0)  # NaN counts as positive
        if r.positive_var:
            r.var, r.se = v, self.M.sqrt(v)
        else:
            r.var = r.se = MISSING
            r.error_code = 200
            r.events.add("var_not_positive")

    def calculate(self, cells):
        M, r = self.M, Result()
        xs, corrected, valid = corrected_cells(cells, self.h, self.epsilon)
        r.eps_corrections = 1 if corrected else 0
        if corrected:
            r.events.add("epsilon")
        if not valid:
            r.events.add("error500")
            r.error_code = 500
            return r
        s = Sample(xs, M)
        r.measures = s.measures()
        r.confidence = M.c(1 - self.alfa)
        self.estimate(s, r)
        if self.sim_type in ("simAny", "SimCI"):
            self.interval(s, r)
            if missing(r.inf, M) or missing(r.sup, M):
                r.error_code = 400
        if self.sim_type in ("simAny", "simIT"):
            self.individual_test(s, r)
        if self.sim_type in ("simAny", "simGT"):
            self.global_test(s, r)
        return r

    # Estimate and variance.
    def estimate(self, s, r):
        M, z, z2, c = self.M, self.z, self.z2, self.cls
        if c in ("d", "dp", "Fd"):
            r.est = s.pA - s.pB
            self.set_variance(r, variance_dp(s) if c == "dp" else variance_d(s))
        elif c == "FdA":
            base = s.pA - s.pB
            base_var = variance_d(s)
            r.est = (1 + z2 * s.n1 / s.P) * base
            u = s.n1 * z * base / s.P
            self.set_variance(r, u ** 2 + (1 + z2 * ((2 * s.n1 + s.S) / s.P - 4 / s.n)) * base_var)
        elif c in ("LR", "R", "R1"):
            r.est = s.pA / s.pB
            self.set_variance(r, variance_LR(s))
        elif c == "LRp":
            r.est = s.pA / s.pB
            self.set_variance(r, variance_LRp(s))
        elif c == "Rp":
            r.est = s.pA / s.pB
            r.var = variance_LRp(s)  # stored as it comes, no SetVariance
            r.se = M.sqrt(r.var)
            if not (r.var > 0):
                r.events.add("pooled_var_negative")
        elif c == "R2":
            base = s.pA / s.pB
            base_var = variance_LR(s)
            r.est = (1 + z2 * base_var / 2) * base
            self.set_variance(r, (M.sqrt(base_var) * base * M.sqrt(1 + z2 * base_var / 4)) ** 2)
        elif c in ("F1R", "F2R"):
            r.est = s.pA / s.pB
            r.var = r.se = MISSING
        else:
            raise ValueError(c)

    # Intervals.
    def interval(self, s, r):
        M, z, z2, c = self.M, self.z, self.z2, self.cls
        est, V, SE = r.est, r.var, r.se
        if c in ("d", "dp"):
            if not r.positive_var:
                r.semi = r.inf = r.sup = r.length = MISSING
                return
            r.semi = z * SE
            r.inf = est - r.semi
            if M.isnan(r.inf) or r.inf < -1:
                r.inf = M.c(-1)
                r.events.add("cut_low")
            r.sup = est + r.semi
            if r.sup > 1:
                r.sup = M.c(1)
                r.events.add("cut_high")
            r.length = r.sup - r.inf
        elif c in ("LR", "LRp"):
            if r.positive_var:
                r.inf = est * M.exp(-z * SE)
                r.sup = est * M.exp(z * SE)
                r.length = r.sup - r.inf
        elif c in ("R", "Rp"):
            Vn = M.c(-999) if V is None else V
            SEn = M.c(-999) if SE is None else SE
            a = 1 + z2 * Vn / 2
            b = z * SEn * M.sqrt(1 + z2 * Vn / 4)
            r.inf = (a - b) * est
            r.sup = (a + b) * est
            r.length = r.sup - r.inf
        elif c == "Fd":
            if not r.positive_var:
                r.semi = r.inf = r.sup = r.length = MISSING
                r.error_code = 200
                return
            n1, S, P = s.n1, s.S, s.P
            k = 4 / s.n
            qa = z2 * ((2 * n1 + S) / P - k) - 1
            qb = -2 * est * (z2 * ((S + n1) / P - k) - 1)
            qc = est ** 2 * (z2 * (S / P - k) - 1) + z2 * V
            D = qb ** 2 - 4 * qa * qc
            if abs(D) <= M.c(1e-9):
                D = M.c(0)
                r.events.add("D_zeroed")
            if D < 0:
                r.inf, r.sup, r.length = M.c(-1), M.c(1), M.c(2)
                r.events.add("no_roots")
            else:
                if qa < 0:
                    r.events.add("qa_negative")
                r1 = (-qb - M.sqrt(D)) / (2 * qa)
                r2 = (-qb + M.sqrt(D)) / (2 * qa)
                r.inf, r.sup = min(r1, r2), max(r1, r2)
                r.length = r.sup - r.inf
                r.semi = r.length / 2
        elif c == "FdA":
            if r.positive_var:
                r.semi = z * SE
                r.inf = est - z * SE
                if r.inf < -1:
                    r.inf = M.c(-1)
                    r.events.add("cut_low")
                r.sup = est + z * SE
                if r.sup > 1:
                    r.sup = M.c(1)
                    r.events.add("cut_high")
                r.length = r.sup - r.inf
            else:
                r.semi = r.inf = r.sup = r.length = MISSING
        elif c == "R1":
            # Without a variance there is no interval: read literally, the missing
            # SE (-999) would give a pair of negative bounds and no error.
            if not r.positive_var:
                return
            k = z * SE / 2
            a = 1 + k
            b = 1 - k
            if not b > 0:
                r.events.add("b_not_positive")
            if b > 0:
                r.inf = est * b / a
                r.sup = est * a / b
                r.length = r.sup - r.inf
        elif c == "R2":
            if r.positive_var:
                r.inf = est - z * SE
                r.sup = est + z * SE
                r.length = r.sup - r.inf
        elif c == "F1R":
            pA, pB, X = s.pA, s.pB, s.X
            cA = pA ** 2 - z2 * pA * (1 - pA) / s.nA
            cAB = 2 * (z2 * ((1 - pA) * (1 - pB) * X[1] + pA * pB * X[5]) / s.P - pA * pB)
            cB = pB ** 2 - z2 * pB * (1 - pB) / s.nB
            self.fieller(r, cA, cAB, cB)
        elif c == "F2R":
            pA, pB, X = s.pA, s.pB, s.X
            g = s.n * z2 / (s.n + 4 * z2)
            cA = pA ** 2 - g * pA * (2 * X[1] + s.nA * pA + s.nB) / s.P
            cAB = 2 * (g * (pA * pB * (s.n1 + s.S) + X[1]) / s.P - pA * pB)
            cB = pB ** 2 - g * pB * (2 * X[1] + s.nB * pB + s.nA) / s.P
            self.fieller(r, cA, cAB, cB)
        else:
            raise ValueError(c)

    def fieller(self, r, cA, cAB, cB):
        M = self.M
        D = cAB ** 2 - 4 * cB * cA
        if D < 0:
            r.semi = r.inf = r.sup = r.length = MISSING
            r.error_code = 300
            r.events.add("no_roots")
            return
        if cB < 0:
            r.events.add("cB_negative")
        r1 = (-cAB - M.sqrt(D)) / (2 * cB)
        r2 = (-cAB + M.sqrt(D)) / (2 * cB)
        r.inf, r.sup = min(r1, r2), max(r1, r2)
        if r.inf < 0:
            r.inf = M.c(0)
            r.events.add("cut_low")
        r.length = r.sup - r.inf

    # Individual homogeneity test.
    def individual_test(self, s, r):
        M, c, est, V = self.M, self.cls, r.est, r.var
        if c == "FdA":
            V0 = variance_d(s)
            u = M.c(1.96) * s.n1 * est / s.P
            w = M.c(CHI2_1) * (2 * s.n1 + s.S) / s.P - 4 / s.n + 1
            e = 1 + M.c(CHI2_1) * s.n1 / s.P
            r.itest = est ** 2 / ((u ** 2 + V0 * w) / e ** 2)
            return
        if c in ("F1R", "F2R") or missing(V, M):
            return
        if c in ("d", "dp"):
            r.itest = est ** 2 / V
        elif c in ("LR", "LRp", "R1", "R2"):
            r.itest = M.log(est) ** 2 / V
        elif c in ("R", "Rp"):
            r.itest = (est - 1) ** 2 / (est * V)
        elif c == "Fd":
            r.itest = est ** 2 / (V + est ** 2 * (1 / s.nA + 1 / s.nB - 1 / s.n))
        else:
            raise ValueError(c)

    # Global homogeneity test.
    def global_test(self, s, r):
        M, c = self.M, self.cls
        rP, rN = s.pA / s.pB, s.qA / s.qB
        if c in ("d", "Fd", "FdA"):
            v, m = (s.pA - s.pB, s.qA - s.qB), matrix_D(s, False)
        elif c == "dp":
            v, m = (s.pA - s.pB, s.qA - s.qB), matrix_D(s, True)
        elif c in ("LR", "R1", "R2", "F1R"):
            v, m = (M.log(rP), M.log(rN)), matrix_L(s, False)
        elif c == "LRp":
            v, m = (M.log(rP), M.log(rN)), matrix_L(s, True)
        elif c == "R":
            v, m = ((rP - 1) / M.sqrt(rP), (rN - 1) / M.sqrt(rN)), matrix_L(s, False)
        elif c == "Rp":
            v, m = ((rP - 1) / M.sqrt(rP), (rN - 1) / M.sqrt(rN)), matrix_L(s, True)
        elif c == "F2R":
            v, m = (s.pA - s.pB, s.qA - s.qB), matrix_F2R(s)
        else:
            raise ValueError(c)
        m11, m12, m22 = m
        det = m11 * m22 - m12 * m12
        # Negligible against the product of the variances: 1 - r^2 <= 1e-9.
        if abs(det) <= M.c(1e-9) * abs(m11 * m22):
            r.events.add("singular")
            return
        i11, i12, i21, i22 = m22 / det, -m12 / det, -m12 / det, m11 / det
        a, b = v
        r.gtest = a * (a * i11 + b * i12) + b * (a * i21 + b * i22)


def significant(stat, crit, M=FloatMath):
    return not missing(stat, M) and stat >= crit
