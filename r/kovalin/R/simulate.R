kv_simulate <- function(params, kinds = c("ci", "it", "gt"), samples = 1000, seed = NULL,
                        jobs = NULL, methods = "all", alpha = 0.05, epsilon = 0.05,
                        decimals = 4, progress = interactive()) {
  if (!is.data.frame(params)) stop("params: must be a data frame", call. = FALSE)
  if (!nrow(params)) stop("params: has no row", call. = FALSE)
  kinds <- unique(kinds)
  unknown <- setdiff(kinds, c("ci", "it", "gt"))
  if (!is.character(kinds) || !length(kinds) || length(unknown))
    stop("kinds: unknown kind '", unknown[1], "' (kinds: ci, it, gt)", call. = FALSE)
  if (!is.numeric(samples) || length(samples) != 1L || is.na(samples) ||
      samples != round(samples) || samples < 1 || samples > 2147483647)
    stop("samples: must be a whole number from 1 to 2147483647", call. = FALSE)
  if (is.null(seed)) {
    seed <- NA_real_
  } else if (!is.numeric(seed) || length(seed) != 1L || is.na(seed) || seed != round(seed) ||
             seed < 0 || seed > 4294967295) {
    stop("seed: must be a whole number from 0 to 4294967295", call. = FALSE)
  }
  if (is.null(jobs)) {
    jobs <- 0L
  } else if (!is.numeric(jobs) || length(jobs) != 1L || is.na(jobs) || jobs != round(jobs) ||
             jobs < 1 || jobs > 1024) {
    stop("jobs: must be a whole number from 1 to 1024", call. = FALSE)
  }
  check_alpha(alpha)
  check_epsilon(epsilon)
  check_decimals(decimals)
  flags <- method_flags(methods)
  for (name in names(params)) {
    v <- params[[name]]
    if (!(is.numeric(v) || is.logical(v)))
      stop("params: column '", name, "' must be numeric", call. = FALSE)
  }

  folder <- tempfile("kovalin-sim-")
  dir.create(folder)
  on.exit(unlink(folder, recursive = TRUE), add = TRUE)
  bar <- NULL
  callback <- NULL
  if (is.function(progress)) {
    callback <- progress
  } else if (isTRUE(progress)) {
    bar <- utils::txtProgressBar(min = 0, max = 1, style = 3)
    on.exit(close(bar), add = TRUE)
    callback <- function(fraction) utils::setTxtProgressBar(bar, fraction)
  }
  run <- .kv_simulate(lapply(params, as.numeric), names(params), kinds, as.integer(samples),
                      as.numeric(seed), as.integer(jobs), flags, alpha, epsilon,
                      as.integer(decimals), file.path(folder, "kovalin.txt"), callback)
  if (!is.null(bar) && !run$stopped) utils::setTxtProgressBar(bar, 1)

  tags <- c(`_IC_` = "ci", `_IT_` = "it", `_GT_` = "gt")
  out <- list()
  for (i in seq_along(run$files)) {
    file <- run$files[[i]]
    kind <- tags[[regmatches(basename(file), regexpr("_(IC|IT|GT)_", basename(file)))]]
    if (!file.exists(file)) next
    table <- .kv_read_table(file, "tab")
    df <- as.data.frame(stats::setNames(table$columns, make.unique(table$names)),
                        stringsAsFactors = FALSE, optional = TRUE)
    names(df) <- table$names
    attr(df, "log") <- run$log[[i]]
    out[[kind]] <- df
  }
  if (run$stopped) {
    warning("the simulation was interrupted: the results hold the records finished ",
            "before the stop and the samples drawn so far of those cut short",
            call. = FALSE)
  }
  structure(out, class = "kovalin_simulation", stopped = run$stopped)
}

print.kovalin_simulation <- function(x, ...) {
  for (kind in names(x)) {
    cat("Kind ", kind, ": ", nrow(x[[kind]]), " record(s), ", ncol(x[[kind]]),
        " columns\n", sep = "")
  }
  if (isTRUE(attr(x, "stopped"))) cat("(interrupted: partial results)\n")
  invisible(x)
}
