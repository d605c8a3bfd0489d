#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/paired_types.h"

namespace kovalin::app {

// Before the first analysis and the first simulation of a run the Options dialog
// opens by itself; each flag is cleared when that has happened.
extern bool FirstAnalysisPending;
extern bool FirstSimulationPending;

// Main window creation: AppOptions takes its defaults.
void ResetAppOptions();

enum class tOptionsVariant { Ordinary, Simulation };
enum class tAlphaChoice { Alpha010, Alpha005, Alpha001 };
enum class tMethodButton { SelectAll, ClearAll, Invert, D, R };

// How many of the method list's ticks come from the options; the rest open unticked.
inline constexpr int kMethodsShownFromOptions = 9;

// What the Options dialog shows and edits. ticks[i] is method i + 1.
struct tOptionsForm {
  std::array<bool, kMethodCount> ticks{};
  double epsilon = 0.05;
  int decimals = 4;
  bool fullOutputEnabled = true;
  bool fullOutput = false;
  bool extendedOutput = false;
  bool npvOutput = false;  // "Negative predictive values (21 methods)"
  tAlphaChoice alpha = tAlphaChoice::Alpha005;
};

// The first step of every opening, kept even when the dialog is cancelled:
// alpha 0.05, decimals 4, SimOutDecimals 4.
void PrepareOptionsDialog(tConf_rec& options, int& simOutDecimals);

// The form as the dialog opens over `options`.
tOptionsForm OptionsFormFrom(const tConf_rec& options, int simOutDecimals,
                             tOptionsVariant variant);

// OK: the form into the options. alfa_level, epsilon, methods, full and extended
// output and decimals; za and maxsamples stay.
void ApplyOptionsForm(const tOptionsForm& form, tConf_rec& options);

// The whole opening over AppOptions and SimOutDecimals/SimOutWidth, for callers
// that drive the form themselves: step one, then the form.
tOptionsForm BeginOptionsDialog(tOptionsVariant variant);
// OK over AppOptions; SimOutDecimals takes the decimals and SimOutWidth 6 more.
void ConfirmOptionsDialog(const tOptionsForm& form);

void PressMethodButton(tMethodButton button, std::array<bool, kMethodCount>& ticks);

// The decimals field when it is left: a value outside 1 to 14, or none, becomes 4.
int DecimalsOnLeave(std::optional<int> value);

// The correction field: the value shown with four decimals; a value outside 0 to 1
// is drawn in warning colours and still taken.
std::string CorrectionText(double value);
bool CorrectionInRange(double value);
// Whether a text typed into the correction field keeps it a real number being
// written ("", "-", "0.", ".5" are on the way to one; "1e", "a", "1.2.3" are not).
bool KeepsRealNumber(std::string_view text);

}  // namespace kovalin::app
