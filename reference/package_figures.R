# Writes the figures that the R packages DTComPair (1.2) and testCompareR (1.1)
# compute for a set of paired tables, for engine/tests/package_figures_test.cpp.
#
#   Rscript reference/package_figures.R [LIB] > engine/tests/data/package_figures.json
#
# LIB: a library holding DTComPair (with PropCIs, gee, ellipse) and
# testCompareR, e.g. one filled with R CMD INSTALL -l LIB from their sources.
# Not run by ./test. The figures are the packages' own, unrounded: testCompareR
# rounds its printed estimates and intervals to percent, so those are taken
# from its internal functions (conf.prev, conf.acc, conf.pv, conf.lr) that
# compareR() calls. Orientation is the packages' (DTComPair: test2 - test1,
# test2 / test1 except the likelihood ratios); the test turns it round.
# A figure a package cannot compute (an error, NA, NaN, an infinity) is null.
args <- commandArgs(trailingOnly = TRUE)
if (length(args) > 0) .libPaths(c(args[1], .libPaths()))
suppressPackageStartupMessages({
  library(DTComPair)
  library(testCompareR)
})

# Cells X1..X8 in Kovalin's order: +++ +-+ -++ --+ ++- +-- -+- --- (A, B, disease).
tables <- list(
  c(30, 12, 4, 4, 6, 10, 2, 32),          # the worked example
  c(319, 78, 22, 32, 31, 53, 22, 155),    # DTComPair's Paired1
  c(473, 29, 81, 25, 22, 46, 44, 151),    # testCompareR's cass
  c(18, 0, 14, 18, 18, 2, 12, 18),        # DTComPair's sesp.diff.ci example: a zero cell
  c(850, 60, 40, 50, 60, 15, 25, 900),    # Lachenbruch and Lynch (1998)
  c(3, 1, 2, 1, 1, 2, 0, 5),              # small cells
  c(5, 2, 0, 3, 0, 1, 2, 10),
  c(1, 0, 1, 2, 0, 1, 1, 3),
  c(2, 5, 1, 0, 3, 0, 4, 6),
  c(1, 1, 1, 1, 1, 1, 1, 1),
  c(0, 4, 3, 5, 2, 6, 1, 9),              # no subject positive on both tests
  c(25, 0, 7, 3, 0, 4, 0, 61),            # zeros among the discordant cells
  c(7, 0, 0, 1, 0, 0, 2, 30),             # no discordant diseased pair
  c(10, 3, 3, 2, 2, 4, 4, 20),            # equal discordant counts
  c(15, 9, 2, 4, 1, 3, 8, 40),
  c(40, 6, 9, 5, 3, 7, 4, 120),
  c(20, 5, 2, 3, 3, 2, 5, 60),            # n = 100
  c(3, 1, 1, 1, 2, 3, 4, 85),             # n = 100, prevalence 6%
  c(60, 15, 8, 17, 12, 9, 14, 365),       # n = 500
  c(100, 10, 5, 2, 50, 20, 30, 800),      # n = 1017
  c(500, 1, 2, 0, 3, 0, 1, 700),
  c(12000, 3400, 2100, 900, 1500, 2600, 3100, 80000),            # large totals
  c(250000, 20000, 30000, 15000, 10000, 25000, 20000, 600000)
)

num <- function(x) {
  x <- suppressWarnings(as.numeric(x))
  if (length(x) != 1 || is.na(x) || !is.finite(x)) return("null")
  sprintf("%.17g", x)
}
safe <- function(expr) tryCatch(expr, error = function(e) NULL)

figures <- function(X) {
  out <- list()
  put <- function(key, value) out[[key]] <<- if (is.null(value)) "null" else num(value)
  tab <- read.tab.paired(X[1], X[3], X[2], X[4], X[5], X[7], X[6], X[8])

  acc <- safe(acc.paired(tab))
  for (t in c("Test1", "Test2")) for (m in c("sensitivity", "specificity", "ppv", "npv"))
    for (f in c("est", "se", "lcl", "ucl")) put(paste("dt", t, m, f, sep = "."), safe(acc[[t]][[m]][[f]]))
  for (t in c("Test1", "Test2")) for (m in c("pdlr", "ndlr"))
    for (f in c("est", "se.ln", "lcl", "ucl")) put(paste("dt", t, m, f, sep = "."), safe(acc[[t]][[m]][[f]]))

  mc <- safe(sesp.mcnemar(tab))
  eb <- safe(sesp.exactbinom(tab))
  for (m in c("sensitivity", "specificity")) {
    put(paste("dt.mcnemar", m, "stat", sep = "."), safe(mc[[m]][["test.statistic"]]))
    put(paste("dt.mcnemar", m, "p", sep = "."), safe(mc[[m]][["p.value"]]))
    put(paste("dt.exact", m, "p", sep = "."), safe(eb[[m]][["p.value"]]))
  }
  gm <- safe(sesp.gen.mcnemar(tab))
  put("dt.genmcnemar.stat", safe(gm[["test.statistic"]]))
  put("dt.genmcnemar.p", safe(gm[["p.value"]]))

  for (ci in list(c("wald", FALSE), c("wald", TRUE), c("agresti-min", FALSE),
                  c("bonett-price", FALSE), c("tango", FALSE))) {
    d <- safe(sesp.diff.ci(tab, ci.method = ci[1], cont.corr = as.logical(ci[2])))
    key <- if (as.logical(ci[2])) "wald-cc" else ci[1]
    for (m in c("sensitivity", "specificity")) for (f in c("diff", "diff.se", "diff.lcl", "diff.ucl"))
      put(paste("dt.diff", key, m, f, sep = "."), safe(d[[m]][[f]]))
  }
  rel <- safe(sesp.rel(tab))
  for (f in c("rel.sens", "se.log.rel.sens", "lcl.rel.sens", "ucl.rel.sens", "pval.rel.sens"))
    put(paste("dt.rel", f, sep = "."), safe(rel$sensitivity[[f]]))
  for (f in c("rel.spec", "se.log.rel.spec", "lcl.rel.spec", "ucl.rel.spec", "pval.rel.spec"))
    put(paste("dt.rel", f, sep = "."), safe(rel$specificity[[f]]))

  tf <- safe(tpffpf.rel(tab))
  for (f in c("rel.fpf", "se.log.rel.fpf", "lcl.rel.fpf", "ucl.rel.fpf", "pval.rel.fpf"))
    put(paste("dt.tpffpf", f, sep = "."), safe(tf$fpf[[f]]))
  for (f in c("rel.tpf", "se.log.rel.tpf", "lcl.rel.tpf", "ucl.rel.tpf", "pval.rel.tpf"))
    put(paste("dt.tpffpf", f, sep = "."), safe(tf$tpf[[f]]))

  for (fn in c("gs", "wgs")) {
    r <- safe(get(paste0("pv.", fn))(tab))
    for (m in c("ppv", "npv")) for (f in c("diff", "test.statistic", "p.value"))
      put(paste("dt", fn, m, f, sep = "."), safe(r[[m]][[f]]))
  }
  rpv <- safe(pv.rpv(tab))
  for (f in c("rppv", "se.log.rppv", "lcl.rppv", "ucl.rppv", "test.statistic", "p.value"))
    put(paste("dt.rpv.ppv", f, sep = "."), safe(rpv$ppv[[f]]))
  for (f in c("rnpv", "se.log.rnpv", "lcl.rnpv", "ucl.rnpv", "test.statistic", "p.value"))
    put(paste("dt.rpv.npv", f, sep = "."), safe(rpv$npv[[f]]))
  put("dt.rpv.cov", safe(rpv$Sigma[1, 2]))

  # The GEE fit takes minutes for a hundred thousand subjects and more; its
  # figures equal the delta-method ones on the smaller tables already.
  dlr <- NULL
  if (sum(X) <= 20000) {
    sink(tempfile())
    dlr <- safe(suppressWarnings(suppressMessages(dlr.regtest(tab))))
    # dlr.regtest leaves its own diversion open when the fit fails.
    while (sink.number() > 0) sink()
  }
  for (m in c("pdlr", "ndlr")) for (f in c("ratio", "se.log", "test.statistic", "p.value", "lcl", "ucl"))
    put(paste("dt.regtest", m, f, sep = "."), safe(dlr[[m]][[f]]))

  # testCompareR: one row per subject.
  pattern <- rbind(c(1, 1, 1), c(1, 0, 1), c(0, 1, 1), c(0, 0, 1),
                   c(1, 1, 0), c(1, 0, 0), c(0, 1, 0), c(0, 0, 0))
  df <- as.data.frame(pattern[rep(1:8, X), , drop = FALSE])
  names(df) <- c("test1", "test2", "gold")
  res <- safe(compareR(df))
  for (part in list(c("acc", "glob", "sens", "spec"), c("pv", "glob", "ppv", "npv"),
                    c("lr", "glob", "plr", "nlr")))
    for (what in part[2:4]) for (f in c("test.stat", "p.value", "p.adj"))
      put(paste("tc", part[1], what, f, sep = "."), safe(res[[part[1]]][[paste(what, f, sep = ".")]]))
  put("tc.youden1", safe(res$other$Youden1))
  put("tc.youden2", safe(res$other$Youden2))

  vals <- safe(testCompareR:::values.2test(testCompareR:::recoder(df)))
  for (stats in c("contemporary", "classic")) {
    prev <- safe(testCompareR:::conf.prev(vals, stats = stats))
    for (f in c("est", "SE", "ci.lower", "ci.upper")) put(paste("tc", stats, "prev", f, sep = "."), safe(prev[[f]]))
    a <- safe(testCompareR:::conf.acc(vals, stats = stats))
    p <- safe(testCompareR:::conf.pv(vals, stats = stats))
    for (m in c("test1.se", "test2.se", "test1.sp", "test2.sp"))
      for (f in c("est", "SE", "ci.lower", "ci.upper")) put(paste("tc", stats, m, f, sep = "."), safe(a[[m]][[f]]))
    for (m in c("test1.ppv", "test2.ppv", "test1.npv", "test2.npv"))
      for (f in c("est", "SE", "ci.lower", "ci.upper")) put(paste("tc", stats, m, f, sep = "."), safe(p[[m]][[f]]))
  }
  lr <- safe(testCompareR:::conf.lr(vals))
  for (m in c("test1.plr", "test2.plr", "test1.nlr", "test2.nlr"))
    for (f in c("est", "SE", "ci.lower", "ci.upper")) put(paste("tc", m, f, sep = "."), safe(lr[[m]][[f]]))
  out
}

cat("{\n  \"packages\": {\"DTComPair\": \"", as.character(packageVersion("DTComPair")),
    "\", \"testCompareR\": \"", as.character(packageVersion("testCompareR")),
    "\", \"PropCIs\": \"", as.character(packageVersion("PropCIs")), "\"},\n  \"tables\": [\n", sep = "")
for (i in seq_along(tables)) {
  X <- tables[[i]]
  f <- figures(X)
  body <- paste(sprintf("      \"%s\": %s", names(f), unlist(f)), collapse = ",\n")
  cat("    {\n      \"cells\": [", paste(X, collapse = ", "), "],\n", body, "\n    }",
      if (i < length(tables)) "," else "", "\n", sep = "")
}
cat("  ]\n}\n")
