#pragma once

#include "app/settings/options_logic.h"

class QWidget;

namespace kovalin::app {

// The Options dialog of either variant, modal. True on OK. Clears no flag.
bool RunOptionsDialog(QWidget* parent, tOptionsVariant variant);

// Before an analysis: the ordinary Options dialog opens once per run, the first time.
// The analysis goes on whatever closed the dialog.
void OptionsBeforeAnalysis(QWidget* parent);

// Before a simulation: the simulation variant opens once per run, the first time.
// The launch goes on whatever closed the dialog.
void OptionsBeforeSimulation(QWidget* parent);

}  // namespace kovalin::app
