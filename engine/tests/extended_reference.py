#!/usr/bin/env python3
"""Reference values for extended_stats_test.cpp, computed with mpmath at 50 digits.

Run: python3 engine/tests/extended_reference.py (needs mpmath; Debian: python3-mpmath).
Not part of the build: its output was written into the tests by hand.

Each formula is written here in the notation of its source (the R package
DTComPair's layout of the table for the score statistics and the relative
predictive values, an explicit multinomial covariance matrix for the likelihood
ratios), not as the C++ code computes it, so that the two only agree when both
are right. Orientation as in Kovalin: differences A - B, ratios A / B.
"""
import mpmath as mp

mp.mp.dps = 50

TABLES = {
    "worked example": [30, 12, 4, 4, 6, 10, 2, 32],
    "DTComPair Paired1": [319, 78, 22, 32, 31, 53, 22, 155],
    "CASS (testCompareR cass)": [473, 29, 81, 25, 22, 46, 44, 151],
    "zero cell (DTComPair sesp.diff.ci example)": [18, 0, 14, 18, 18, 2, 12, 18],
}


def z_of(alpha):
    return mp.sqrt(2) * mp.erfinv(1 - mp.mpf(alpha))


def chi2_tail(x, df):
    x = mp.mpf(x)
    return mp.erfc(mp.sqrt(x / 2)) if df == 1 else mp.exp(-x / 2)


def norm_two_sided(z):
    return mp.erfc(abs(z) / mp.sqrt(2))


def wald(x, n, z):
    p = mp.mpf(x) / n
    if x == 0:
        return p, None, 0, -mp.log(mp.mpf("0.05")) / n
    if x == n:
        return p, None, 1 + mp.log(mp.mpf("0.05")) / n, 1
    se = mp.sqrt(p * (1 - p) / n)
    return p, se, max(0, p - z * se), min(1, p + z * se)


def wilson(x, n, z):
    p = mp.mpf(x) / n
    mid = (p + z**2 / (2 * n)) / (1 + z**2 / n)
    half = z * mp.sqrt(p * (1 - p) / n + z**2 / (4 * n**2)) / (1 + z**2 / n)
    return mid - half, mid + half


def test_tables(X):
    x = [None] + [mp.mpf(v) for v in X]
    a = dict(tp=x[1] + x[2], fn=x[3] + x[4], fp=x[5] + x[6], tn=x[7] + x[8])
    b = dict(tp=x[1] + x[3], fn=x[2] + x[4], fp=x[5] + x[7], tn=x[6] + x[8])
    return x, a, b


def accuracy(t, z):
    out = {}
    for name, num, den in (("se", "tp", ("tp", "fn")), ("sp", "tn", ("tn", "fp")),
                           ("ppv", "tp", ("tp", "fp")), ("npv", "tn", ("tn", "fn"))):
        n = t[den[0]] + t[den[1]]
        p, se, lo, hi = wald(t[num], n, z)
        wlo, whi = wilson(t[num], n, z)
        out[name] = (p, se, lo, hi, wlo, whi)
    se_ = t["tp"] / (t["tp"] + t["fn"])
    sp_ = t["tn"] / (t["tn"] + t["fp"])
    # Simel, Samsa and Matchar (1991): log-method intervals.
    pl = se_ / (1 - sp_)
    pl_se = mp.sqrt((1 - se_) / t["tp"] + sp_ / t["fp"])
    nl = (1 - se_) / sp_
    nl_se = mp.sqrt(se_ / t["fn"] + (1 - sp_) / t["tn"])
    out["dlr_pos"] = (pl, pl_se, pl * mp.exp(-z * pl_se), pl * mp.exp(z * pl_se))
    out["dlr_neg"] = (nl, nl_se, nl * mp.exp(-z * nl_se), nl * mp.exp(z * nl_se))
    return out


def dtcompair_layout(x):
    # tab$diseased / tab$non.diseased: rows test 2 (+, -), columns test 1 (+, -).
    d = {(1, 1): x[1], (1, 2): x[3], (2, 1): x[2], (2, 2): x[4]}
    nd = {(1, 1): x[5], (1, 2): x[7], (2, 1): x[6], (2, 2): x[8]}
    for t in (d, nd):
        t[(1, 3)] = t[(1, 1)] + t[(1, 2)]
        t[(2, 3)] = t[(2, 1)] + t[(2, 2)]
        t[(3, 1)] = t[(1, 1)] + t[(2, 1)]
        t[(3, 2)] = t[(1, 2)] + t[(2, 2)]
        t[(3, 3)] = t[(1, 3)] + t[(2, 3)]
    return d, nd


def comparisons(X, z):
    x, A, B = test_tables(X)
    d, nd = dtcompair_layout(x)
    out = {}
    # McNemar (1947), uncorrected and with Edwards' continuity correction.
    for name, b_, c_, n_ in (("se", x[2], x[3], d[(3, 3)]), ("sp", x[7], x[6], nd[(3, 3)])):
        stat = (b_ - c_) ** 2 / (b_ + c_) if b_ + c_ > 0 else None
        out[name + "_mcnemar"] = (stat, chi2_tail(stat, 1) if stat is not None else None)
        cc = (abs(b_ - c_) - 1) ** 2 / (b_ + c_) if b_ + c_ > 0 else None
        out[name + "_mcnemar_cc"] = (cc, chi2_tail(cc, 1) if cc is not None else None)
        m = int(b_ + c_)
        k = int(min(b_, c_))
        p = min(mp.mpf(1), 2 * mp.fsum(mp.binomial(m, j) for j in range(k + 1)) / mp.mpf(2) ** m)
        out[name + "_exact"] = p
        # Wald interval of the paired difference A - B = (b - c) / n: b counts the
        # subjects A classifies right and B wrong (A+ B- diseased, A- B+ not diseased).
        diff = (b_ - c_) / n_
        se = mp.sqrt((b_ + c_) - (b_ - c_) ** 2 / n_) / n_
        out[name + "_diff"] = (diff, se, diff - z * se, diff + z * se)
    # Leisenring, Alonzo and Pepe (2000), as DTComPair's pv.gs writes it.
    zb = (d[(1, 3)] + nd[(1, 3)]) / (d[(1, 1)] + d[(1, 3)] + d[(2, 1)] + nd[(1, 1)] + nd[(1, 3)] + nd[(2, 1)])
    db = (2 * d[(1, 1)] + d[(1, 2)] + d[(2, 1)]) / (2 * d[(1, 1)] + d[(1, 2)] + d[(2, 1)] + 2 * nd[(1, 1)] + nd[(1, 2)] + nd[(2, 1)])
    num = (d[(1, 1)] * (1 - 2 * zb) + d[(1, 2)] * (1 - zb) + d[(2, 1)] * (0 - zb)) ** 2
    den = ((1 - db) ** 2 * (d[(1, 1)] * (1 - 2 * zb) ** 2 + d[(1, 2)] * (1 - zb) ** 2 + d[(2, 1)] * zb**2)
           + db**2 * (nd[(1, 1)] * (1 - 2 * zb) ** 2 + nd[(1, 2)] * (1 - zb) ** 2 + nd[(2, 1)] * zb**2))
    out["ppv_gs"] = (num / den, chi2_tail(num / den, 1))
    zb = (d[(2, 3)] + nd[(2, 3)]) / (d[(2, 2)] + d[(2, 3)] + d[(1, 2)] + nd[(2, 2)] + nd[(2, 3)] + nd[(1, 2)])
    db = (nd[(2, 2)] + nd[(2, 3)] + nd[(1, 2)]) / (d[(2, 2)] + d[(2, 3)] + d[(1, 2)] + nd[(2, 2)] + nd[(2, 3)] + nd[(1, 2)])
    num = (nd[(2, 2)] * (1 - 2 * zb) + nd[(2, 1)] * (1 - zb) + nd[(1, 2)] * (0 - zb)) ** 2
    den = ((1 - db) ** 2 * (nd[(2, 2)] * (1 - 2 * zb) ** 2 + nd[(2, 1)] * (1 - zb) ** 2 + nd[(1, 2)] * zb**2)
           + db**2 * (d[(2, 2)] * (1 - 2 * zb) ** 2 + d[(2, 1)] * (1 - zb) ** 2 + d[(1, 2)] * zb**2))
    out["npv_gs"] = (num / den, chi2_tail(num / den, 1))
    # Kosinski (2013), as DTComPair's pv.wgs writes it.
    ppv1 = d[(3, 1)] / (d[(3, 1)] + nd[(3, 1)])
    ppv2 = d[(1, 3)] / (d[(1, 3)] + nd[(1, 3)])
    npv1 = nd[(3, 2)] / (d[(3, 2)] + nd[(3, 2)])
    npv2 = nd[(2, 3)] / (d[(2, 3)] + nd[(2, 3)])
    tot = d[(1, 3)] + nd[(1, 3)] + d[(3, 1)] + nd[(3, 1)]
    pp = (2 * d[(1, 1)] + d[(1, 2)] + d[(2, 1)]) / tot
    cp = (d[(1, 1)] * (1 - pp) ** 2 + nd[(1, 1)] * pp**2) / tot
    t = (ppv2 - ppv1) ** 2 / ((pp * (1 - pp) - 2 * cp) * (1 / (d[(1, 3)] + nd[(1, 3)]) + 1 / (d[(3, 1)] + nd[(3, 1)])))
    out["ppv_wgs"] = (t, chi2_tail(t, 1))
    tot = d[(2, 3)] + nd[(2, 3)] + d[(3, 2)] + nd[(3, 2)]
    pn = (2 * nd[(2, 2)] + nd[(1, 2)] + nd[(2, 1)]) / tot
    cn = (d[(2, 2)] * pn**2 + nd[(2, 2)] * (1 - pn) ** 2) / tot
    t = (npv2 - npv1) ** 2 / ((pn * (1 - pn) - 2 * cn) * (1 / (d[(2, 3)] + nd[(2, 3)]) + 1 / (d[(3, 2)] + nd[(3, 2)])))
    out["npv_wgs"] = (t, chi2_tail(t, 1))
    # Moskowitz and Pepe (2006), DTComPair's pv.rpv; its ratio is test 2 / test 1.
    N = d[(3, 3)] + nd[(3, 3)]
    p1, p2, p3, p4 = nd[(1, 1)] / N, nd[(1, 2)] / N, nd[(2, 1)] / N, nd[(2, 2)] / N
    p5, p6, p7, p8 = d[(1, 1)] / N, d[(1, 2)] / N, d[(2, 1)] / N, d[(2, 2)] / N
    s2p = (p6 * (1 - ppv1) + p5 * (ppv1 - ppv2) + 2 * (p7 + p3) * ppv2 * ppv1 + p7 * (1 - 3 * ppv2)) / ((p5 + p7) * (p5 + p6))
    s2n = (npv1 * (-p3 + p4 - 2 * (p4 + p8) * npv2) + (p2 + p3) - npv2 * (p2 - p4)) / ((p2 + p4) * (p3 + p4))
    for name, r, s2 in (("rppv", ppv1 / ppv2, s2p), ("rnpv", npv1 / npv2, s2n)):
        se = mp.sqrt(s2 / N)
        zz = mp.log(r) / se
        out[name] = (r, se, r * mp.exp(-z * se), r * mp.exp(z * se), zz, norm_two_sided(zz))
    # Relative likelihood ratios: delta method with the multinomial covariance
    # (Roldan-Nofuentes and Luna del Castillo, 2007), cells in Kovalin's order.
    n = sum(x[1:])
    p = [c / n for c in x[1:]]
    sigma = mp.matrix(8, 8)
    for i in range(8):
        for j in range(8):
            sigma[i, j] = ((p[i] if i == j else 0) - p[i] * p[j]) / n
    def grad_of(f):
        h = [mp.mpf(0)] * 8
        eps = mp.mpf(10) ** -25
        for i in range(8):
            q = list(p)
            q[i] += eps
            h[i] = (f(q) - f(p)) / eps
        return mp.matrix(h)
    def lpos(q):
        se_a = (q[0] + q[1]) / sum(q[0:4]); se_b = (q[0] + q[2]) / sum(q[0:4])
        sp_a = (q[6] + q[7]) / sum(q[4:8]); sp_b = (q[5] + q[7]) / sum(q[4:8])
        return mp.log(se_a / (1 - sp_a)) - mp.log(se_b / (1 - sp_b))
    def lneg(q):
        se_a = (q[0] + q[1]) / sum(q[0:4]); se_b = (q[0] + q[2]) / sum(q[0:4])
        sp_a = (q[6] + q[7]) / sum(q[4:8]); sp_b = (q[5] + q[7]) / sum(q[4:8])
        return mp.log((1 - se_a) / sp_a) - mp.log((1 - se_b) / sp_b)
    for name, f in (("rdlr_pos", lpos), ("rdlr_neg", lneg)):
        g = grad_of(f)
        var = (g.T * sigma * g)[0]
        se = mp.sqrt(var)
        r = mp.exp(f(p))
        zz = mp.log(r) / se
        out[name] = (r, se, r * mp.exp(-z * se), r * mp.exp(z * se), zz, norm_two_sided(zz))
    return out


def holm(ps):
    # Holm (1979) step-down, as R's p.adjust(method = "holm").
    order = sorted(range(len(ps)), key=lambda i: ps[i])
    m = len(ps)
    adj = [None] * m
    run = mp.mpf(0)
    for rank, i in enumerate(order):
        run = max(run, min(mp.mpf(1), (m - rank) * ps[i]))
        adj[i] = run
    return adj


def show(v):
    return "null" if v is None else mp.nstr(v, 17)


if __name__ == "__main__":
    z = z_of(0.05)
    print("z(0.05) =", show(z), " z(0.10) =", show(z_of(0.10)), " z(0.01) =", show(z_of(0.01)))
    for x in ("1e-10", "0.5", "2.485298", "3.8416", "5.991", "50", "700"):
        print("chi2 tails", x, show(chi2_tail(x, 1)), show(chi2_tail(x, 2)))
    for m, k in ((10, 5), (100, 30), (1000, 480), (5000, 2400), (0, 0)):
        p = min(mp.mpf(1), 2 * mp.fsum(mp.binomial(m, j) for j in range(k + 1)) / mp.mpf(2) ** m)
        print("exact", m, k, show(p))
    for title, X in TABLES.items():
        print("==", title, X)
        x, A, B = test_tables(X)
        for label, t in (("A", A), ("B", B)):
            for k, v in accuracy(t, z).items():
                print(label, k, ", ".join(show(e) for e in v))
        c = comparisons(X, z)
        for k, v in c.items():
            print(k, ", ".join(show(e) for e in v) if isinstance(v, tuple) else show(v))
        fam = [c["se_mcnemar"][1], c["sp_mcnemar"][1], c["ppv_wgs"][1], c["npv_wgs"][1],
               c["rdlr_pos"][5], c["rdlr_neg"][5]]
        if all(f is not None for f in fam):
            print("holm (se, sp, ppv, npv, dlr+, dlr-):", ", ".join(show(e) for e in holm(fam)))
