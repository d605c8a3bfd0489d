#pragma once

#include <QWidget>

#include "app/shell/mdi_child.h"

class QMdiSubWindow;

namespace kovalin::app {

// The window of a document: the content of one QMdiSubWindow in the main window's
// document area. How a new document kind plugs in:
//  - derive from tDocumentWindow; in the constructor set FormType, the file settings
//    (SetFileSettings) and what else the kind starts with;
//  - implement SaveToFile(mode) (-1 Save, 1 Save as, 0 the close prompt's save to the
//    pFileName just chosen) and return false when nothing was written;
//  - bind its property lists with SetProperties and override ShowProperties when the
//    kind sets the list's column titles (call the base first);
//  - call SetModified on every change, so closing it asks whether to save;
//  - a data table overrides ShowXmlStructure;
//  - let the main window place it: TFMain::CreateTable for data tables (New, Open),
//    TFMain::CreateResults for analysis and simulation results.
// Closing it from its close box, the Close command, Delete branch or at exit always goes
// through the close prompt (FormCloseQuery) and then FormClose.
class tDocumentWindow : public QWidget, public TFMDIChild {
  Q_OBJECT

 public:
  explicit tDocumentWindow(TFMDIParent* creator, QWidget* parent = nullptr);

  // The document area's frame around this document (none before it is placed).
  QMdiSubWindow* SubWindow() const;

  bool RequestClose() override;
  void BringToFront() override;
  // Marks unsaved changes (the title shows "*") or their end.
  void SetModified(bool modified);
  // The View menu's XML command with this document in front; data tables show the XML
  // text of their frequency table (other kinds never get the call).
  virtual void ShowXmlStructure() {}

 protected:
  void closeEvent(QCloseEvent* event) override;
  void CaptionChanged() override;
};

}  // namespace kovalin::app
