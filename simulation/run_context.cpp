#include "simulation/run_context.h"

namespace kovalin {

tRunContext StartRunContext() {
  tRunContext context;
  context.options = AppOptions;
  context.simOutDecimals = SimOutDecimals;
  context.simOutWidth = SimOutWidth;
  return context;
}

}  // namespace kovalin
