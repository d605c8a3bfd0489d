kv_probabilities <- function(ppv_a, ppv_b, npv_a, npv_b, prevalence, or_pos, or_neg) {
  args <- list(ppv_a = ppv_a, ppv_b = ppv_b, npv_a = npv_a, npv_b = npv_b,
               prevalence = prevalence, or_pos = or_pos, or_neg = or_neg)
  for (name in names(args))
    if (!is.numeric(args[[name]]) && !all(is.na(args[[name]])))
      stop(name, ": must be numeric", call. = FALSE)
  n <- max(lengths(args))
  if (any(lengths(args) == 0L)) n <- 0L
  args <- lapply(args, function(v) rep_len(as.numeric(v), n))
  res <- do.call(.kv_probabilities, unname(args))
  cells <- res$cells
  colnames(cells) <- paste0("X", 1:8)
  out <- as.data.frame(cells)
  reason <- res$reason
  reason[reason == ""] <- NA_character_
  attr(out, "reason") <- reason
  out
}
