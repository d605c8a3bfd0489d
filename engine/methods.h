#pragma once

#include "engine/t2bdm.h"

namespace kovalin {

// Difference of the predictive values, unpooled variance, Wald interval (d, da).
class tMethod_d : public t2BDM {
 public:
  using t2BDM::t2BDM;
  int EstimateFamily() const override { return 1; }
  int GTestFamily() const override { return 1; }
  void Calc_Variance() override;
  void Calc_Estimate() override;
  void Calc_ITest() override;
  void Calc_GTest() override;
};

// Difference with the pooled predictive value in the variance (dp).
class tMethod_dp : public tMethod_d {
 public:
  using tMethod_d::tMethod_d;
  int EstimateFamily() const override { return 2; }
  int GTestFamily() const override { return 2; }
  void Calc_Variance() override;
  void Calc_GTest() override;
};

// Quadratic (Fieller-type) interval for the difference (Fd, Fda).
class tMethod_Fd : public tMethod_d {
 public:
  using tMethod_d::tMethod_d;
  int EstimateFamily() const override { return 1; }
  void Calc_ITest() override;
  void Calc_CI() override;
};

// Adjusted difference with its own variance (FdA, FdAa).
class tMethod_Fd_A : public tMethod_d {
 public:
  using tMethod_d::tMethod_d;
  int EstimateFamily() const override { return 3; }
  void Calc_Variance() override;
  void Calc_Estimate() override;
  void Calc_ITest() override;
  void Calc_CI() override;
  double base_Estimate = 0;
  double base_Var = 0;
};

// Ratio of the predictive values on the log scale (LR, LRa).
class tMethod_LR : public t2BDM {
 public:
  using t2BDM::t2BDM;
  int EstimateFamily() const override { return 4; }
  int GTestFamily() const override { return 3; }
  void Calc_Variance() override;
  void Calc_Estimate() override;
  void Calc_ITest() override;
  void Calc_GTest() override;
  void Calc_CI() override;
};

// Log ratio with the pooled predictive value in the variance (LRp).
class tMethod_LRp : public tMethod_LR {
 public:
  using tMethod_LR::tMethod_LR;
  int EstimateFamily() const override { return 5; }
  int GTestFamily() const override { return 4; }
  void Calc_Variance() override;
  void Calc_GTest() override;
};

// Ratio with a score-type interval around the estimate (R, Ra).
class tMethod_R : public tMethod_LR {
 public:
  using tMethod_LR::tMethod_LR;
  int EstimateFamily() const override { return 4; }
  int GTestFamily() const override { return 5; }
  void Calc_ITest() override;
  void Calc_GTest() override;
  void Calc_CI() override;
};

// Ratio interval of R with the pooled variance, stored as it comes (Rp).
class tMethod_Rp : public tMethod_R {
 public:
  using tMethod_R::tMethod_R;
  int EstimateFamily() const override { return 6; }
  int GTestFamily() const override { return 6; }
  void Calc_Variance() override;
  void Calc_GTest() override;
};

// Ratio interval est·(1∓k)/(1±k) (R1, R1a).
class tMethod_R1 : public tMethod_LR {
 public:
  using tMethod_LR::tMethod_LR;
  int EstimateFamily() const override { return 4; }
  void Calc_CI() override;
};

// Adjusted ratio with a Wald interval on the ratio scale (R2, R2a).
class tMethod_R2 : public tMethod_LR {
 public:
  using tMethod_LR::tMethod_LR;
  int EstimateFamily() const override { return 7; }
  void Calc_Variance() override;
  void Calc_Estimate() override;
  void Calc_CI() override;
  double base_Estimate = 0;
  double base_Var = 0;
};

// Fieller interval for the ratio (F1R, F1Ra); no variance, no individual test.
class tMethod_F1R : public tMethod_LR {
 public:
  using tMethod_LR::tMethod_LR;
  int EstimateFamily() const override { return 8; }
  void Calc_Variance() override;
  void Calc_ITest() override;
  void Calc_CI() override;

 protected:
  // Solves cB·r² + cAB·r + cA = 0 for the interval; error 300 without real roots.
  void FiellerInterval(double cA, double cAB, double cB);
};

// Fieller interval with the adjusted variance (F2R, F2Ra).
class tMethod_F2R : public tMethod_F1R {
 public:
  using tMethod_F1R::tMethod_F1R;
  int EstimateFamily() const override { return 8; }
  int GTestFamily() const override { return 7; }
  void Calc_GTest() override;
  void Calc_CI() override;
};

}  // namespace kovalin
