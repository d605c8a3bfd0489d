#' @include methods.R
NULL

# The cell order of the program: test A, test B, gold standard.
kv_cell_labels <- c("+++", "+-+", "-++", "--+", "++-", "+--", "-+-", "---")

kv_compare <- function(x, alpha = 0.05, epsilon = 0.05, methods = "all",
                       names = NULL, npv = FALSE, a = NULL, b = NULL, gold = NULL,
                       decimals = 4) {
  check_alpha(alpha)
  check_epsilon(epsilon)
  check_decimals(decimals)
  flags <- method_flags(methods)
  if (!is.null(names))
    stop("names: test names are not available in this build of kovalin", call. = FALSE)
  if (!isFALSE(npv))
    stop("npv: the comparison of negative predictive values by the 21 methods ",
         "is not available in this build of kovalin", call. = FALSE)
  cells <- cells_of(x, a, b, gold)
  res <- .kv_compare_cells(cells, alpha, epsilon, flags, as.integer(decimals))
  structure(list(cells = stats::setNames(cells, kv_cell_labels), alpha = alpha,
                 epsilon = epsilon, decimals = as.integer(decimals),
                 measures = res$measures, methods = res$methods,
                 accuracy = res$accuracy, comparisons = res$comparisons,
                 text = list(summary = res$summary_text, full = res$full_text,
                             extended = res$extended_text)),
            class = "kovalin_comparison")
}

cells_of <- function(x, a, b, gold) {
  if (is.data.frame(x)) return(cells_of_subjects(x, a, b, gold))
  if (!is.null(a) || !is.null(b) || !is.null(gold))
    stop("a, b and gold name the columns of a data frame of subjects; x is not one",
         call. = FALSE)
  if (inherits(x, "tab.paired")) return(cells_of_tab_paired(x))
  if (!is.null(dim(x))) return(cells_of_array(x))
  check_cells(x)
}

check_cells <- function(cells) {
  if (!is.numeric(cells) || length(cells) != 8L)
    stop("x: expected the 8 cell frequencies (", paste(kv_cell_labels, collapse = " "),
         "), a 2x2x2 table, a data frame of subjects or a tab.paired object", call. = FALSE)
  for (i in seq_along(cells)) {
    if (!is.finite(cells[i]))
      stop("x: cell X", i, " (", kv_cell_labels[i], "): '", cells[i], "' is not a number",
           call. = FALSE)
    if (cells[i] < 0)
      stop("x: cell X", i, " (", kv_cell_labels[i], "): '", cells[i], "' is negative",
           call. = FALSE)
  }
  as.numeric(unname(cells))
}

# The index of the positive level of one margin of a 2x2x2 table: the level
# named like a positive result, else the first one when the margin has no names.
positive_index <- function(levels, what) {
  if (is.null(levels)) return(1L)
  positive <- tolower(levels) %in% c("1", "true", "pos", "positive", "+", "yes", "diseased")
  negative <- tolower(levels) %in% c("0", "false", "neg", "negative", "-", "no",
                                     "non-diseased", "healthy")
  if (sum(positive) == 1L && sum(negative) == 1L) return(which(positive))
  stop("x: cannot tell the positive level of ", what, " from its levels '",
       paste(levels, collapse = "', '"), "' (name them 1/0, TRUE/FALSE or pos/neg)",
       call. = FALSE)
}

cells_of_array <- function(x) {
  if (!identical(as.integer(dim(x)), c(2L, 2L, 2L)))
    stop("x: a table must be 2x2x2 (test A, test B, gold standard), not ",
         paste(dim(x), collapse = "x"), call. = FALSE)
  dn <- dimnames(x)
  pa <- positive_index(dn[[1]], "test A (the first margin)")
  pb <- positive_index(dn[[2]], "test B (the second margin)")
  pd <- positive_index(dn[[3]], "the gold standard (the third margin)")
  other <- function(p) 3L - p
  cells <- numeric(8)
  # The program's order: +++ +-+ -++ --+ within the diseased, then the non-diseased.
  idx <- list(c(pa, pb, pd), c(pa, other(pb), pd), c(other(pa), pb, pd),
              c(other(pa), other(pb), pd), c(pa, pb, other(pd)), c(pa, other(pb), other(pd)),
              c(other(pa), pb, other(pd)), c(other(pa), other(pb), other(pd)))
  for (i in seq_along(idx)) cells[i] <- x[idx[[i]][1], idx[[i]][2], idx[[i]][3]]
  check_cells(cells)
}

# DTComPair's tab.paired: rows test 2 (pos, neg), columns test 1 (pos, neg);
# test 1 is test A.
cells_of_tab_paired <- function(x) {
  d <- x$diseased
  nd <- x$non.diseased
  if (is.null(d) || is.null(nd))
    stop("x: a tab.paired object needs its 'diseased' and 'non.diseased' tables", call. = FALSE)
  check_cells(c(d[1, 1], d[2, 1], d[1, 2], d[2, 2], nd[1, 1], nd[2, 1], nd[1, 2], nd[2, 2]))
}

cells_of_subjects <- function(x, a, b, gold) {
  stop("x: a data frame of subjects is not available in this build of kovalin; ",
       "give the 8 cells or table(A, B, gold) instead", call. = FALSE)
}

print.kovalin_comparison <- function(x, ...) {
  cat(format(x, ...), sep = "\n")
  invisible(x)
}

format.kovalin_comparison <- function(x, what = c("summary", "full", "extended"), ...) {
  what <- match.arg(what)
  switch(what,
         summary = x$text$summary,
         full = x$text$full,
         extended = c(x$text$summary, x$text$extended))
}

as.data.frame.kovalin_comparison <- function(x, row.names = NULL, optional = FALSE, ...) {
  df <- x$methods
  if (!is.null(row.names)) rownames(df) <- row.names
  df
}

summary.kovalin_comparison <- function(object, ...) {
  m <- object$methods
  structure(list(cells = object$cells, alpha = object$alpha, measures = object$measures,
                 intervals = m[, c("label", "type", "estimate", "lower", "upper",
                                   "it_p_value", "gt_p_value", "error_code")]),
            class = "summary.kovalin_comparison")
}

print.summary.kovalin_comparison <- function(x, digits = 4, ...) {
  cat("Paired comparison of two binary tests, n =", format(x$measures[["n"]]), "\n")
  cat("Cells (A, B, gold):", paste(names(x$cells), format(x$cells), collapse = "  "), "\n\n")
  meas <- x$measures
  tab <- rbind(A = meas[c("se_a", "sp_a", "ppv_a", "npv_a")],
               B = meas[c("se_b", "sp_b", "ppv_b", "npv_b")])
  colnames(tab) <- c("Se", "Sp", "PPV", "NPV")
  print(round(tab, digits))
  cat("\nPrevalence", format(round(meas[["prevalence"]], digits)),
      " OR+", format(round(meas[["or_pos"]], digits)),
      " OR-", format(round(meas[["or_neg"]], digits)), "\n\n")
  cat("PPV of A against B, ", 100 * (1 - x$alpha), "% intervals:\n", sep = "")
  iv <- x$intervals
  num <- vapply(iv, is.numeric, logical(1)) & names(iv) != "error_code"
  iv[num] <- lapply(iv[num], round, digits)
  print(iv, row.names = FALSE)
  invisible(x)
}

plot.kovalin_comparison <- function(x, y, ...) {
  m <- x$methods
  types <- unique(m$type)
  old <- graphics::par(mfrow = c(1, length(types)), mar = c(4, 5, 3, 1))
  on.exit(graphics::par(old))
  for (type in types) {
    rows <- m[m$type == type, ]
    k <- nrow(rows)
    ratio <- type == "ratio"
    finite <- c(rows$lower, rows$upper, rows$estimate)
    finite <- finite[is.finite(finite) & (!ratio | finite > 0)]
    ref <- if (ratio) 1 else 0
    lim <- range(c(finite, ref))
    if (ratio && lim[1] == lim[2]) lim <- c(lim[1] / 2, lim[2] * 2)
    if (!ratio && lim[1] == lim[2]) lim <- lim + c(-1, 1)
    graphics::plot(rows$estimate, rev(seq_len(k)), xlim = lim, ylim = c(0.5, k + 0.5),
                   log = if (ratio) "x" else "", yaxt = "n", pch = 19,
                   xlab = if (ratio) "PPV(A) / PPV(B)" else "PPV(A) - PPV(B)", ylab = "",
                   main = if (ratio) "Ratios" else "Differences", ...)
    graphics::segments(rows$lower, rev(seq_len(k)), rows$upper, rev(seq_len(k)))
    graphics::abline(v = ref, lty = 2)
    graphics::axis(2, at = rev(seq_len(k)), labels = rows$label, las = 1)
  }
  invisible(x)
}
