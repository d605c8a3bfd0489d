seeded_params <- function() kv_read_table(cli_file("parameters.mrd"))

test_that("a seeded simulation equals the command line's files to the last digit", {
  for (jobs in c(1, 2)) {
    sim <- kv_simulate(seeded_params(), samples = 200, seed = 1, jobs = jobs, progress = FALSE)
    expect_identical(names(sim), c("ci", "it", "gt"))
    for (kind in c("ci", "it", "gt")) {
      tag <- c(ci = "IC", it = "IT", gt = "GT")[[kind]]
      ref <- kv_read_table(cli_file(paste0("seeded_", tag, "_0001.txt")))
      expect_identical(lapply(sim[[kind]], identity), lapply(ref, identity))
    }
  }
  opt <- kv_simulate(seeded_params(), kinds = "ci", samples = 100, seed = 7, jobs = 1,
                     methods = c("d", "R1a"), alpha = 0.01, decimals = 7, progress = FALSE)
  expect_identical(lapply(opt$ci, identity),
                   lapply(kv_read_table(cli_file("options_IC_0001.txt")), identity))
  expect_match(attr(opt$ci, "log"), "Random seed: 7", all = FALSE)
})

test_that("a stop returns the records so far with a warning", {
  calls <- 0
  stop_at_second_yield <- function(fraction) {
    calls <<- calls + 1
    if (calls == 2) stop("stopped by the test")
  }
  params <- seeded_params()[rep(1, 50), ]
  params$Id <- seq_len(50)
  expect_warning(sim <- kv_simulate(params, kinds = "ci", samples = 20000, seed = 3, jobs = 1,
                                    progress = stop_at_second_yield),
                 "interrupted")
  expect_true(isTRUE(attr(sim, "stopped")))
  expect_gt(nrow(sim$ci), 0)
  expect_lt(nrow(sim$ci), 50)
})

test_that("bad settings stop before anything runs", {
  expect_error(kv_simulate(seeded_params(), kinds = "xx"), "unknown kind 'xx'")
  expect_error(kv_simulate(seeded_params(), samples = 0), "samples")
  expect_error(kv_simulate(seeded_params(), seed = -1), "seed")
  expect_error(kv_simulate(seeded_params(), jobs = 0), "jobs")
  expect_error(kv_simulate(data.frame(x = 1), progress = FALSE), "params: ")
})
