test_that("the worked example prints, in full and extended, what kovalin-cli prints", {
  x <- kv_compare(worked)
  expect_identical(capture.output(print(x)), cli_lines("compare_worked.txt"))
  expect_identical(format(x, "full"), cli_lines("compare_worked_full.txt"))
  y <- kv_compare(worked, alpha = 0.01, decimals = 6)
  expect_identical(format(y, "extended"), cli_lines("compare_worked_extended.txt"))
})

test_that("every number equals the command line's JSON to the last bit", {
  for (case in list(list(file = "compare_worked.json", args = list(worked)),
                    list(file = "compare_zero_cells.json",
                         args = list(c(0, 3, 2.5, 1, 4, 0, 7, 20), alpha = 0.10,
                                     epsilon = 0.2, methods = c("d", "LR", "F2Ra"))))) {
    ref <- cli_json(case$file)
    x <- do.call(kv_compare, case$args)
    expect_identical(x$measures, vapply(ref$measures, num, 0))
    m <- as.data.frame(x)
    expect_identical(m$label, vapply(ref$methods, `[[`, "", "label"))
    field <- function(f) vapply(ref$methods, function(r) num(f(r)), 0)
    expect_identical(m$estimate, field(function(r) r$estimate))
    expect_identical(m$se, field(function(r) r$se))
    expect_identical(m$lower, field(function(r) r$ci$lower))
    expect_identical(m$upper, field(function(r) r$ci$upper))
    expect_identical(m$it_statistic, field(function(r) r$individual_test$statistic))
    expect_identical(m$it_p_value, field(function(r) r$individual_test$p_value))
    expect_identical(m$gt_p_value, field(function(r) r$global_test$p_value))
    expect_identical(m$error_code, vapply(ref$methods, function(r) as.integer(r$error_code), 0L))
    cmp <- x$comparisons
    expect_identical(cmp$name, vapply(ref$comparisons, `[[`, "", "name"))
    expect_identical(cmp$p_value, vapply(ref$comparisons, function(r) num(r$p_value), 0))
    expect_identical(cmp$p_holm, vapply(ref$comparisons, function(r) num(r$p_holm), 0))
    acc <- x$accuracy
    expect_identical(acc$estimate[acc$test == "B" & acc$measure == "NPV"],
                     num(ref$accuracy$B$npv$estimate))
    expect_identical(acc$wilson_upper[acc$test == "A" & acc$measure == "Se"],
                     num(ref$accuracy$A$sensitivity$intervals$wilson$upper))
  }
})

test_that("a 2x2x2 table, an array and a tab.paired object give the worked example's cells", {
  expected <- kv_compare(worked)$methods
  subjects <- data.frame(
    A = rep(c(1, 1, 0, 0, 1, 1, 0, 0), worked),
    B = rep(c(1, 0, 1, 0, 1, 0, 1, 0), worked),
    D = rep(c(1, 1, 1, 1, 0, 0, 0, 0), worked))
  # table() puts level 0 first: the positive level is found by its name.
  tab <- table(subjects$A, subjects$B, subjects$D)
  expect_identical(kv_compare(tab)$methods, expected)
  logical_tab <- table(A = subjects$A == 1, B = subjects$B == 1, D = subjects$D == 1)
  expect_identical(kv_compare(logical_tab)$methods, expected)
  # Without names the first index is positive, as in the program's order.
  arr <- array(worked[c(1, 3, 2, 4, 5, 7, 6, 8)], c(2, 2, 2))
  expect_identical(kv_compare(arr)$methods, expected)
  paired <- structure(list(
    diseased = matrix(c(30, 12, 42, 4, 4, 8, 34, 16, 50), 3, byrow = FALSE),
    non.diseased = matrix(c(6, 10, 16, 2, 32, 34, 8, 42, 50), 3, byrow = FALSE),
    testnames = c("A", "B")), class = "tab.paired")
  expect_identical(kv_compare(paired)$methods, expected)
  expect_error(kv_compare(table(c("x", "y"), c("u", "v"), c("p", "q"))),
               "cannot tell the positive level")
  expect_error(kv_compare(array(1, c(2, 2, 3))), "must be 2x2x2")
})

test_that("bad input stops with a message naming the argument and its value", {
  expect_error(kv_compare(c(1, 2, 3)), "expected the 8 cell frequencies")
  expect_error(kv_compare(c(30, 12, -4, 4, 6, 10, 2, 32)), "X3 \\(-\\+\\+\\): '-4' is negative")
  expect_error(kv_compare(c(30, 12, NA, 4, 6, 10, 2, 32)), "X3 .* is not a number")
  expect_error(kv_compare(worked, alpha = 0.2), "alpha")
  expect_error(kv_compare(worked, epsilon = 2), "epsilon")
  expect_error(kv_compare(worked, methods = c("d", "XX")), "unknown method label 'XX'")
  expect_error(kv_compare(worked, methods = 22), "22 is not a method number")
})

test_that("methods choose the rows, summary and plot work on the result", {
  x <- kv_compare(worked, methods = c(1, 4, 21))
  expect_identical(as.data.frame(x)$label, c("d", "LR", "F2Ra"))
  expect_identical(nrow(kv_methods()), 21L)
  s <- summary(x)
  expect_s3_class(s, "summary.kovalin_comparison")
  expect_output(print(s), "PPV of A against B, 95% intervals")
  pdf(NULL)
  on.exit(dev.off())
  expect_invisible(plot(kv_compare(worked)))
})

test_that("a data frame of subjects is counted by the command line's reader", {
  subjects <- utils::read.csv(cli_file("subjects.csv"), colClasses = "character")
  ref <- cli_json("compare_subjects.json")
  expect_warning(x <- kv_compare(subjects, a = "mammo", b = "mri", gold = "cancer"),
                 "2 of 102 subjects left out: row 101 \\(.*missing.*\\); row 102 \\(.*maybe")
  expect_identical(unname(x$cells), vapply(ref$input$cells, num, 0))
  expect_identical(x$cells, kv_compare(worked)$cells)
  expect_identical(x$methods, kv_compare(worked)$methods)
  expect_identical(x$subjects$left_out$row, c(101L, 102L))
  # Columns by number, logical and factor codes, and codes of one's own.
  df <- data.frame(t1 = subjects$mammo == "pos", t2 = factor(subjects$mri),
                   d = suppressWarnings(as.integer(subjects$cancer)))
  expect_warning(y <- kv_compare(df, a = 1, b = "t2", gold = "d"), "left out")
  expect_identical(y$cells, x$cells)
  recoded <- data.frame(a = ifelse(df$t1, "M", "B"), b = df$t2, d = df$d)
  expect_warning(z <- kv_compare(recoded, a = "a", b = "b", gold = "d",
                                 positive = c("M", "yes", "1"), negative = c("B", "no", "0")),
                 "left out")
  expect_identical(z$cells, x$cells)
  expect_error(kv_compare(subjects, a = "mammo", b = "mri"), "gold: name the column")
  expect_error(kv_compare(subjects, a = "x", b = "mri", gold = "cancer"), "no column 'x'")
})

test_that("names and the NPV comparison print and compute as the command line's", {
  x <- kv_compare(worked, names = c("Mammography", "MRI"), npv = TRUE, alpha = 0.05)
  expect_identical(format(x, "extended"), cli_lines("compare_names_npv.txt"))
  ref <- cli_json("compare_npv.json")
  npv <- kv_compare(worked, npv = TRUE)$npv_methods
  expect_identical(npv$label, vapply(ref$npv_methods, `[[`, "", "label"))
  expect_identical(npv$estimate, vapply(ref$npv_methods, function(r) num(r$estimate), 0))
  expect_identical(npv$upper, vapply(ref$npv_methods, function(r) num(r$ci$upper), 0))
  expect_null(kv_compare(worked)$npv_methods)
  expect_error(kv_compare(worked, names = "A"), "names: give the two tests' names")
})
