kv_read_table <- function(file, delimiter = c("auto", "tab", "semicolon", "comma", "blank",
                                              "colon")) {
  delimiter <- match.arg(delimiter)
  if (!is.character(file) || length(file) != 1L || is.na(file))
    stop("file: give one file name", call. = FALSE)
  path <- path.expand(file)
  if (!file.exists(path)) stop(file, ": no such file", call. = FALSE)
  res <- .kv_read_table(path, delimiter)
  for (w in res$warnings) warning(w, call. = FALSE)
  df <- as.data.frame(stats::setNames(res$columns, make.unique(res$names)),
                      stringsAsFactors = FALSE, optional = TRUE)
  names(df) <- res$names
  attr(df, "kind") <- res$kind
  attr(df, "decimals") <- stats::setNames(res$decimals, res$names)
  attr(df, "delimiter") <- res$delimiter
  df
}

kv_write_table <- function(x, file, delimiter = c("tab", "semicolon", "comma", "blank")) {
  delimiter <- match.arg(delimiter)
  if (!is.data.frame(x)) stop("x: must be a data frame", call. = FALSE)
  if (!is.character(file) || length(file) != 1L || is.na(file))
    stop("file: give one file name", call. = FALSE)
  if (!ncol(x)) stop("x: has no column", call. = FALSE)
  for (name in names(x)) {
    v <- x[[name]]
    if (!(is.numeric(v) || is.logical(v)))
      stop("x: column '", name, "' holds ", class(v)[1], " values; the program's record ",
           "tables hold numbers only", call. = FALSE)
    empty <- which(is.na(v))
    if (length(empty))
      stop("x: column '", name, "' row ", empty[1], " is NA; an export writes every cell ",
           "as a number, so an empty cell would come back as 0", call. = FALSE)
    if (any(!is.finite(v)))
      stop("x: column '", name, "' row ", which(!is.finite(v))[1], " is not finite",
           call. = FALSE)
  }
  columns <- lapply(x, as.numeric)
  given <- attr(x, "decimals")
  places <- vapply(names(x), function(name) {
    p <- .kv_column_places(columns[[name]])
    if (!is.null(given) && !is.na(given[name])) p <- max(p, as.integer(given[[name]]))
    as.integer(min(p, 11L))
  }, integer(1))
  for (name in names(x)) {
    v <- columns[[name]]
    back <- as.numeric(formatC(v, format = "f", digits = places[[name]]))
    lost <- which(back != v)
    if (length(lost))
      warning("column '", name, "' row ", lost[1], ": ", format(v[lost[1]], digits = 17),
              " is written with ", places[[name]], " decimals (", length(lost),
              " value(s) of the column are rounded)", call. = FALSE)
  }
  .kv_write_table(unname(columns), names(x), unname(places), path.expand(file), delimiter)
  invisible(file)
}
