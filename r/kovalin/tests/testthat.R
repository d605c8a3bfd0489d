library(testthat)
library(kovalin)
test_check("kovalin")
