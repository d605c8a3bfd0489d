# The command line's outputs for the same inputs, written by scripts/build-r-package.
cli_file <- function(name) test_path("cli", name)
cli_lines <- function(name) readLines(cli_file(name), warn = FALSE)
cli_json <- function(name) jsonlite::fromJSON(cli_file(name), simplifyVector = FALSE)
# JSON null is a missing value.
num <- function(x) if (is.null(x)) NA_real_ else x
worked <- c(30, 12, 4, 4, 6, 10, 2, 32)
