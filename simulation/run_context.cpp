#include "simulation/run_context.h"

#include "engine/app_options.h"

namespace kovalin {

tRunContext StartRunContext() {
  tRunContext context;
  context.options = AppOptions;
  context.simOutDecimals = SimOutDecimals;
  context.simOutWidth = SimOutWidth;
  return context;
}

}  // namespace kovalin
