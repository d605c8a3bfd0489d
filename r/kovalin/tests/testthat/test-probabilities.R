test_that("cell probabilities equal those the command line draws its samples from", {
  params <- kv_read_table(cli_file("parameters.mrd"))
  p <- kv_probabilities(params$PA, params$PB, params[["NA"]], params$NB, params$P,
                        params$Opos, params$Oneg)
  ref <- cli_json("analyze_parameters.json")
  for (i in seq_len(nrow(params))) {
    expect_identical(unlist(p[i, ], use.names = FALSE),
                     vapply(ref[[i]]$probabilities, num, 0))
  }
})

test_that("rows without valid probabilities give NA and say why", {
  p <- kv_probabilities(c(0.8, 0.8, 1.5), 0.7, 0.9, 0.85, c(0.3, NA, 0.3), 1, 1)
  expect_false(anyNA(p[1, ]))
  expect_equal(sum(p[1, ]), 1, tolerance = 1e-12)
  expect_true(all(is.na(p[2, ])) && all(is.na(p[3, ])))
  expect_identical(attr(p, "reason"),
                   c(NA, "prevalence is missing", "ppv_a is outside 0..1"))
})
