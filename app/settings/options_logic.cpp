#include "app/settings/options_logic.h"

#include <charconv>
#include <cmath>

#include "engine/app_options.h"

namespace kovalin::app {

bool FirstAnalysisPending = true;
bool FirstSimulationPending = true;

void ResetAppOptions() { AppOptions = DefaultAppOptions(); }

void PrepareOptionsDialog(tConf_rec& options, int& simOutDecimals) {
  options.alfa_level = 0.05;
  options.decimals = 4;
  simOutDecimals = 4;
}

tOptionsForm OptionsFormFrom(const tConf_rec& options, int simOutDecimals,
                             tOptionsVariant variant) {
  tOptionsForm form;
  if (variant == tOptionsVariant::Simulation) {
    form.fullOutputEnabled = false;
    form.fullOutput = false;
    form.alpha = tAlphaChoice::Alpha005;
  } else {
    form.fullOutputEnabled = true;
    form.fullOutput = options.fulloutput;
  }
  form.extendedOutput = options.extendedoutput;
  form.npvOutput = options.npvoutput;
  for (int i = 0; i < kMethodCount; ++i) {
    form.ticks[static_cast<std::size_t>(i)] =
        i < kMethodsShownFromOptions && options.Methods[static_cast<std::size_t>(i) + 1];
  }
  form.epsilon = options.epsilon;
  form.decimals = simOutDecimals;
  // Exact comparisons, in this order; the form's own choice is 0.05.
  if (options.alfa_level == 0.10) {
    form.alpha = tAlphaChoice::Alpha010;
  } else if (options.alfa_level == 0.01) {
    form.alpha = tAlphaChoice::Alpha001;
  } else if (options.alfa_level == 0.05) {
    form.alpha = tAlphaChoice::Alpha005;
  }
  return form;
}

void ApplyOptionsForm(const tOptionsForm& form, tConf_rec& options) {
  for (int i = 0; i < kMethodCount; ++i) {
    options.Methods[static_cast<std::size_t>(i) + 1] = form.ticks[static_cast<std::size_t>(i)];
  }
  options.epsilon = form.epsilon;
  options.fulloutput = form.fullOutputEnabled && form.fullOutput;
  options.extendedoutput = form.extendedOutput;
  options.npvoutput = form.npvOutput;
  options.decimals = form.decimals;
  if (form.alpha == tAlphaChoice::Alpha005) {
    options.alfa_level = 0.05;
  } else if (form.alpha == tAlphaChoice::Alpha001) {
    options.alfa_level = 0.01;
  } else {
    options.alfa_level = 0.10;
  }
}

tOptionsForm BeginOptionsDialog(tOptionsVariant variant) {
  PrepareOptionsDialog(AppOptions, SimOutDecimals);
  return OptionsFormFrom(AppOptions, SimOutDecimals, variant);
}

void ConfirmOptionsDialog(const tOptionsForm& form) {
  ApplyOptionsForm(form, AppOptions);
  SetSimOutDecimals(form.decimals);
}

void PressMethodButton(tMethodButton button, std::array<bool, kMethodCount>& ticks) {
  for (std::size_t i = 0; i < ticks.size(); ++i) {
    switch (button) {
      case tMethodButton::SelectAll: ticks[i] = true; break;
      case tMethodButton::ClearAll: ticks[i] = false; break;
      case tMethodButton::Invert: ticks[i] = !ticks[i]; break;
      case tMethodButton::D: ticks[i] = i < 3; break;
      case tMethodButton::R: ticks[i] = i >= 3; break;
    }
  }
}

int DecimalsOnLeave(std::optional<int> value) {
  if (!value || *value < 1 || *value > 14) return 4;
  return *value;
}

std::string CorrectionText(double value) {
  char digits[400];
  const auto [end, error] =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 4);
  if (error != std::errc()) return {};
  return std::string(digits, end);
}

bool CorrectionInRange(double value) { return value >= 0.0 && value <= 1.0; }

bool KeepsRealNumber(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && text[i] == '-') ++i;
  bool point = false;
  for (; i < text.size(); ++i) {
    if (text[i] == '.') {
      if (point) return false;
      point = true;
    } else if (text[i] < '0' || text[i] > '9') {
      return false;
    }
  }
  return true;
}

}  // namespace kovalin::app
