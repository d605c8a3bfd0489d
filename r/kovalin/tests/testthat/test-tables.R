test_that("a record table reads as the program reads it and writes back byte for byte", {
  raw <- kv_read_table(system.file("extdata", "raw_data.mrd", package = "kovalin"))
  expect_identical(names(raw)[1:3], c("Id", "X[1]", "X[2]"))
  expect_identical(attr(raw, "kind"), "Raw Data")
  expect_identical(raw[["X[1]"]][1], 30)
  out <- tempfile(fileext = ".mrd")
  kv_write_table(raw, out)
  expect_identical(readBin(out, "raw", 1e6),
                   readBin(system.file("extdata", "raw_data.mrd", package = "kovalin"),
                           "raw", 1e6))
  expect_identical(kv_read_table(out), raw)
  # The command line's export with semicolons, the same bytes.
  semi <- tempfile(fileext = ".csv")
  kv_write_table(raw, semi, delimiter = "semicolon")
  expect_identical(readBin(semi, "raw", 1e6), readBin(cli_file("raw_export.csv"), "raw", 1e6))
})

test_that("a data frame of numbers round-trips; NA, texts and lost digits are not passed over", {
  df <- data.frame(a = c(1.5, -2.25, 1e6), b = c(0.1, 0.123456789, 3))
  out <- tempfile(fileext = ".txt")
  kv_write_table(df, out, delimiter = "comma")
  back <- kv_read_table(out)
  expect_identical(attr(back, "delimiter"), "comma")
  expect_identical(lapply(back, identity), lapply(df, identity))
  expect_error(kv_write_table(data.frame(a = c(1, NA)), out), "column 'a' row 2 is NA")
  expect_error(kv_write_table(data.frame(a = "x"), out), "column 'a' holds character")
  expect_warning(kv_write_table(data.frame(a = 1 / 3), out), "written with 11 decimals")
  expect_error(kv_read_table(file.path(tempdir(), "no-such-file.txt")), "no such file")
})
