#include "engine/app_options.h"

namespace kovalin {

tConf_rec DefaultAppOptions() {
  tConf_rec options;
  options.Methods.fill(true);
  options.Methods[0] = false;
  options.epsilon = 0.05;
  options.maxsamples = 0;
  options.decimals = 4;
  options.fulloutput = false;
  options.alfa_level = 0.05;
  options.za = 1.96;
  return options;
}

tConf_rec AppOptions = DefaultAppOptions();
int SimOutDecimals = kInitialSimOutDecimals;
int SimOutWidth = kInitialSimOutWidth;

void SetSimOutDecimals(int decimals) {
  SimOutDecimals = decimals;
  SimOutWidth = decimals + 6;
}

}  // namespace kovalin
