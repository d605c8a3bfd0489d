#pragma once

#include <QString>
#include <QStringList>

#include "app/settings/settings_record.h"
#include "app/settings/settings_store.h"

namespace kovalin::app {

// Whether the first command-line argument (arguments[1]; arguments[0] is the program)
// asks to delete the stored settings: it contains "killreg" in any letter case.
bool KillregRequested(const QStringList& arguments);

// Program start over a store: DefaultsPending set, killreg honoured, the record read
// (defaults when nothing was read). A failed delete keeps the defaults for the run,
// since the user asked not to use what is stored; the result says why it failed.
tStoreResult StartSettings(const QStringList& arguments, tSettingsStore& store);

// The Settings dialog's opening: reloads the record from the store. True when a
// stored record was read ("Set as default options" then starts ticked). Without one
// the defaults come in once per run; later openings keep the values of the last OK.
bool ReloadSettings(tSettingsStore& store);

// The user's last OK of this run left "Set as default options" unticked: the
// box then starts unticked at the next openings too, so that an OK does not
// write the machine-wide store behind the user's back.
extern bool SetAsDefaultDeclined;
// Whether the box starts ticked: a stored record was read, and the user has not
// declined to store the settings at an earlier OK of this run.
bool SetAsDefaultStartsTicked(bool storedRead);

// The Settings dialog's OK: the record takes the values for the run and, when asked,
// they are stored. A failed write is reported once, naming the store and the reason.
void ConfirmSettings(const tSettingsRec& values, bool setAsDefault, tSettingsStore& store);

// The message of a store that could not be written or cleared.
QString StoreFailureText(const tStoreResult& result);

// Part of the record that others read.
bool RichTextDocumentWanted();

}  // namespace kovalin::app
