#pragma once

#include <QString>

#include "tables/table_types.h"

class QWidget;

namespace kovalin::app {

class TFMDIChild;
class TFTabla;
class tMainDesk;

// The main window's commands for data tables. Each places its document through
// the desk (a new folder "Analysis n" and the table numbered n) and returns it,
// or nullptr when nothing was created.

// New data table with the choices of the creation dialog: a raw-data or a
// parameter table in state Edit showing only its Input page; the Se/Sp
// parametrisation shows "To be implemented ... " and leaves an empty grid.
TFTabla* NewTableFromOptions(tMainDesk& desk, const tTableOption& options);
// The whole command: the dialog, then New or, for "Open file", Open.
TFTabla* NewTableExecute(tMainDesk& desk, QWidget* dialogParent);

// Opens a record-table file as a new document in state Selection. A file that
// cannot be read shows one message naming it and the reason, and creates no
// document; a file read with warnings opens and shows them.
TFTabla* OpenTableFile(tMainDesk& desk, const QString& path);
// The Open command: an XML data file is read as LoadTable reads it (so a saved
// frequency table can be opened again), any other file as a record table.
TFTabla* ActionOpenExecute(tMainDesk& desk);

// Reads an XML data file into a new document with all four pages (LoadTable).
TFTabla* LoadTableFile(tMainDesk& desk, const QString& path);
TFTabla* LoadTableExecute(tMainDesk& desk);

// A file named on the command line or chosen by Open: ".xml" and ".qxf" as
// LoadTable reads them, any other as a record table.
TFTabla* OpenAnyFile(tMainDesk& desk, const QString& path);

// View > XML with the active document.
void XMLShowClick(TFMDIChild* active);

}  // namespace kovalin::app
