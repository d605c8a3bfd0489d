# kv_simulate against kovalin-cli simulate on the same run, and against a plain-R
# loop of two methods (d and LR), in samples per second. Not run by ./test:
#
#   Rscript bench/r/simulate_speed.R [path/to/kovalin-cli] [repeats]
#
# Needs the kovalin package installed (scripts/build-r-package, R CMD INSTALL).
# The run: the example parameter table's rows repeated to 20 rows, n as in the
# table, 20,000 samples per row, intervals, seeded, --jobs 1 and 2. Each figure
# is the median of `repeats` runs, the programs taking turns, with the load
# average printed beside it.
library(kovalin)
args <- commandArgs(trailingOnly = TRUE)
cli <- if (length(args) >= 1) args[1] else "build/release/cli/kovalin-cli"
repeats <- if (length(args) >= 2) as.integer(args[2]) else 5L
stopifnot(file.exists(cli))

base <- kv_read_table(system.file("extdata", "parameters_vp.mrd", package = "kovalin"))
params <- base[rep(seq_len(nrow(base)), length.out = 20), ]
params$Id <- seq_len(nrow(params))
samples <- 20000
total <- nrow(params) * samples
folder <- tempfile("kovalin-bench-")
dir.create(folder)
table_file <- file.path(folder, "params.txt")
kv_write_table(params, table_file)

load_average <- function() {
  if (file.exists("/proc/loadavg")) strsplit(readLines("/proc/loadavg"), " ")[[1]][1] else "?"
}

time_cli <- function(jobs, methods) {
  out <- file.path(folder, "cli.txt")
  t <- system.time(system2(cli, c("simulate", table_file, "--kinds", "ci", "--samples", samples,
                                  "--seed", 1, "--jobs", jobs, "--methods", methods,
                                  "--out", out), stdout = FALSE, stderr = FALSE))[["elapsed"]]
  unlink(list.files(folder, "^cli_", full.names = TRUE))
  t
}

time_r <- function(jobs, methods) {
  m <- if (methods == "all") "all" else strsplit(methods, ",")[[1]]
  system.time(kv_simulate(params, kinds = "ci", samples = samples, seed = 1, jobs = jobs,
                          methods = m, progress = FALSE))[["elapsed"]]
}

for (methods in c("all", "d,LR")) for (jobs in c(1, 2)) {
  cli_t <- r_t <- numeric(repeats)
  loads <- character(repeats)
  for (i in seq_len(repeats)) {
    loads[i] <- load_average()
    cli_t[i] <- time_cli(jobs, methods)
    r_t[i] <- time_r(jobs, methods)
  }
  cat(sprintf(paste("methods %-4s jobs %d: kovalin-cli %.2fM samples/s, kv_simulate %.2fM",
                    "samples/s (R/cli %.3f); load %s\n"),
              methods, jobs, total / median(cli_t) / 1e6, total / median(r_t) / 1e6,
              median(cli_t) / median(r_t), paste(loads, collapse = " ")))
}

# A plain-R loop of methods d and LR: one multinomial sample at a time, the two
# intervals and their coverage, as a user would write it without the package.
plain_r <- function(params, samples, seed) {
  set.seed(seed)
  z <- 1.96
  cover <- matrix(0, nrow(params), 2)
  for (row in seq_len(nrow(params))) {
    p <- unlist(kv_probabilities(params$PA[row], params$PB[row], params[["NA"]][row],
                                 params$NB[row], params$P[row], params$Opos[row],
                                 params$Oneg[row]))
    d_true <- params$PA[row] - params$PB[row]
    r_true <- params$PA[row] / params$PB[row]
    n <- params$n[row]
    for (s in seq_len(samples)) {
      x <- as.vector(stats::rmultinom(1, n, p))
      if (any(x == 0)) x <- x + 0.05
      nA <- x[1] + x[2] + x[5] + x[6]
      nB <- x[1] + x[3] + x[5] + x[7]
      pA <- (x[1] + x[2]) / nA
      pB <- (x[1] + x[3]) / nB
      P <- nA * nB
      vd <- pA * (1 - pA) / nA + pB * (1 - pB) / nB -
        2 * ((1 - pA) * (1 - pB) * x[1] + pA * pB * x[5]) / P
      d <- pA - pB
      if (vd > 0 && abs(d_true - d) <= z * sqrt(vd)) cover[row, 1] <- cover[row, 1] + 1
      vl <- (1 - pA) / (pA * nA) + (1 - pB) / (pB * nB) -
        (2 / P) * ((1 - pA) * (1 - pB) * x[1] / (pA * pB) + x[5])
      r <- pA / pB
      if (vl > 0 && r * exp(-z * sqrt(vl)) <= r_true && r_true <= r * exp(z * sqrt(vl)))
        cover[row, 2] <- cover[row, 2] + 1
    }
  }
  cover / samples
}

loop_samples <- 2000
loop_t <- system.time(plain_r(params, loop_samples, 1))[["elapsed"]]
loop_rate <- nrow(params) * loop_samples / loop_t
kv_t <- median(replicate(repeats, time_r(1, "d,LR")))
cat(sprintf(paste("plain-R loop of d and LR: %.0f samples/s; kv_simulate, same two methods,",
                  "one job: %.2fM samples/s: %.0f times faster; load %s\n"),
            loop_rate, total / kv_t / 1e6, (total / kv_t) / loop_rate, load_average()))
unlink(folder, recursive = TRUE)
