#' @include methods.R
NULL

# The cell order of the program: test A, test B, gold standard.
kv_cell_labels <- c("+++", "+-+", "-++", "--+", "++-", "+--", "-+-", "---")

kv_compare <- function(x, alpha = 0.05, epsilon = 0.05, methods = "all",
                       names = NULL, npv = FALSE, a = NULL, b = NULL, gold = NULL,
                       positive = NULL, negative = NULL, decimals = 4) {
  check_alpha(alpha)
  check_epsilon(epsilon)
  check_decimals(decimals)
  flags <- method_flags(methods)
  if (!is.null(names) && (!is.character(names) || length(names) != 2L || anyNA(names) ||
                          any(trimws(names) == "")))
    stop("names: give the two tests' names, for example c(\"Mammography\", \"MRI\")",
         call. = FALSE)
  if (!is.logical(npv) || length(npv) != 1L || is.na(npv))
    stop("npv: must be TRUE or FALSE", call. = FALSE)
  cells <- cells_of(x, a, b, gold, positive, negative)
  test_names <- if (is.null(names)) c("", "") else trimws(names)
  res <- .kv_compare_cells(cells, alpha, epsilon, flags, as.integer(decimals),
                           test_names[1], test_names[2], npv)
  structure(list(cells = stats::setNames(as.numeric(cells), kv_cell_labels), alpha = alpha,
                 epsilon = epsilon, decimals = as.integer(decimals),
                 names = if (is.null(names)) NULL else test_names,
                 subjects = attr(cells, "subjects"),
                 measures = res$measures, methods = res$methods,
                 npv_methods = res$npv_methods,
                 accuracy = res$accuracy, comparisons = res$comparisons,
                 text = list(summary = res$summary_text, full = res$full_text,
                             extended = res$extended_text, npv = res$npv_text)),
            class = "kovalin_comparison")
}

cells_of <- function(x, a, b, gold, positive = NULL, negative = NULL) {
  if (is.data.frame(x)) return(cells_of_subjects(x, a, b, gold, positive, negative))
  if (!is.null(positive) || !is.null(negative))
    stop("positive and negative are the codes of a data frame of subjects; x is not one",
         call. = FALSE)
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

# The index of the positive level of one margin of a 2x2x2 table, the levels
# read as the subject reader reads codes; the first one when the margin has no names.
positive_index <- function(levels, what) {
  if (is.null(levels)) return(1L)
  meaning <- .kv_classify_codes(as.character(levels))
  if (sum(meaning == "positive") == 1L && sum(meaning == "negative") == 1L)
    return(which(meaning == "positive"))
  stop("x: cannot tell the positive level of ", what, " from its levels '",
       paste(levels, collapse = "', '"), "' (name them 1/0, TRUE/FALSE, pos/neg or yes/no)",
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

# One row per subject: the three columns are handed as text to the command
# line's subject reader, which decides what counts as positive, negative or
# missing; a row it cannot count is left out with a warning naming it.
cells_of_subjects <- function(x, a, b, gold, positive, negative) {
  given <- list(a = a, b = b, gold = gold)
  for (arg in names(given)) {
    col <- given[[arg]]
    if (is.null(col))
      stop(arg, ": name the column of ", c(a = "test A", b = "test B",
                                          gold = "the gold standard")[[arg]],
           " in the data frame x", call. = FALSE)
    if (!(is.character(col) || is.numeric(col)) || length(col) != 1L || is.na(col))
      stop(arg, ": give one column name or number", call. = FALSE)
    if (is.character(col) && !(col %in% base::names(x)))
      stop(arg, ": x has no column '", col, "' (columns: ",
           paste(base::names(x), collapse = ", "), ")", call. = FALSE)
    if (is.numeric(col) && (col < 1 || col > ncol(x) || col != round(col)))
      stop(arg, ": x has no column ", col, call. = FALSE)
  }
  codes <- function(v, arg) {
    if (is.null(v)) return(NA_character_)
    if (!is.character(v) || anyNA(v) || !length(v))
      stop(arg, ": give the codes as a character vector", call. = FALSE)
    paste(v, collapse = ",")
  }
  field <- function(v) {
    text <- if (is.factor(v)) as.character(v) else if (is.logical(v)) ifelse(v, "TRUE", "FALSE")
            else as.character(v)
    text[is.na(v)] <- ""
    # A line break inside a field is kept as a character no code uses.
    text <- gsub("[\r\n]", "\u00b6", text)
    paste0("\"", gsub("\"", "\"\"", text, fixed = TRUE), "\"")
  }
  columns <- list(x[[a]], x[[b]], x[[gold]])
  header <- vapply(list(a, b, gold), function(col)
    field(if (is.numeric(col)) base::names(x)[col] else col), "")
  lines <- c(paste(header, collapse = "\t"),
             do.call(paste, c(lapply(columns, field), sep = "\t")))
  counted <- .kv_subject_cells(enc2utf8(paste0(paste(lines, collapse = "\n"), "\n")),
                               codes(positive, "positive"), codes(negative, "negative"))
  left <- length(counted$line)
  if (left) {
    shown <- utils::head(seq_len(left), 10)
    warning(left, " of ", nrow(x), " subjects left out: ",
            paste0("row ", counted$line[shown] - 1L, " (", counted$message[shown], ")",
                   collapse = "; "), if (left > 10) "; ..." else "", call. = FALSE)
  }
  if (sum(counted$cells) == 0)
    stop("x: no subject could be counted", call. = FALSE)
  structure(counted$cells,
            subjects = list(rows = nrow(x), counted = sum(counted$cells),
                            left_out = data.frame(row = counted$line - 1L,
                                                  message = counted$message)))
}

print.kovalin_comparison <- function(x, ...) {
  cat(format(x, ...), sep = "\n")
  invisible(x)
}

# As kovalin-cli compare prints it: the reports, then the extended block, then
# the NPV block when it was asked for.
format.kovalin_comparison <- function(x, what = c("summary", "full", "extended"), ...) {
  what <- match.arg(what)
  c(switch(what,
           summary = x$text$summary,
           full = x$text$full,
           extended = c(x$text$summary, x$text$extended)),
    x$text$npv)
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
