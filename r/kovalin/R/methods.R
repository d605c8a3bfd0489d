# The 21 interval methods in the program's order, with their type and
# continuity increment, as the C++ core defines them.
kv_methods <- function() .kv_method_table()

# "all", labels, or indexes 1..21 as 21 flags; an unknown method is an error
# naming it.
method_flags <- function(methods) {
  table <- .kv_method_table()
  if (is.character(methods) && length(methods) == 1L && identical(methods, "all"))
    return(rep(TRUE, nrow(table)))
  if (is.numeric(methods)) {
    bad <- methods[is.na(methods) | methods < 1 | methods > nrow(table) |
                     methods != round(methods)]
    if (length(bad))
      stop("methods: ", paste(bad, collapse = ", "),
           " is not a method number from 1 to 21", call. = FALSE)
    return(seq_len(nrow(table)) %in% methods)
  }
  if (!is.character(methods) || !length(methods))
    stop("methods: give \"all\", method labels or method numbers", call. = FALSE)
  unknown <- setdiff(methods, table$label)
  if (length(unknown))
    stop("methods: unknown method label '", unknown[1], "' (labels: ",
         paste(table$label, collapse = ", "), ")", call. = FALSE)
  table$label %in% methods
}

check_alpha <- function(alpha) {
  if (!is.numeric(alpha) || length(alpha) != 1L || !(alpha %in% c(0.10, 0.05, 0.01)))
    stop("alpha: must be 0.10, 0.05 or 0.01", call. = FALSE)
}

check_epsilon <- function(epsilon) {
  if (!is.numeric(epsilon) || length(epsilon) != 1L || is.na(epsilon) ||
      epsilon < 0 || epsilon > 1)
    stop("epsilon: must be a number from 0 to 1", call. = FALSE)
}

check_decimals <- function(decimals) {
  if (!is.numeric(decimals) || length(decimals) != 1L || is.na(decimals) ||
      decimals != round(decimals) || decimals < 1 || decimals > 14)
    stop("decimals: must be a whole number from 1 to 14", call. = FALSE)
}
