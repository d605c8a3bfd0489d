#pragma once

#include <functional>

#include <QList>
#include <QString>
#include <QStringList>

#include "app/shell/document_tree.h"

namespace kovalin::app {

class tPropertiesList;
class TFMDIChild;

enum class tFormType { F_Data, F_Results, F_Config, F_Nil };

// Cleared by "Don't ask again" in a close prompt; stays cleared until the program ends.
extern bool AskOnClose;

// Asked before the close prompt of every document; false keeps the document open (a
// running simulation guards the table it reads and the results it writes).
using tCloseGuard = std::function<bool(TFMDIChild* document)>;
void SetCloseGuard(tCloseGuard guard);

// The document container (the main window derives from it). Window-free: it only keeps
// the active data set and the order of its documents.
class TFMDIParent {
 public:
  virtual ~TFMDIParent() = default;

  virtual void FormCreate();
  virtual void ActiveData_Set(TFMDIChild* document);
  virtual void ActiveData_DelNotify(TFMDIChild* document);

  // A document joins the container when it is created and leaves it when it closes;
  // the list is in window order, front first.
  void AddDocument(TFMDIChild* document);
  void BringDocumentToFront(TFMDIChild* document);
  void RemoveDocument(TFMDIChild* document);
  const QList<TFMDIChild*>& DocumentsFrontToBack() const { return documents_; }

  // Before the program ends: every document is asked first, front to back, and
  // the saves chosen are made; only then may all of them close. False, with
  // nothing closed and every document as it was, when one answer was Cancel or
  // a save was not made. True when every document agreed to close (they are
  // then closed without a second question).
  bool AgreeAllToClose();

  TFMDIChild* ActiveData = nullptr;
  // The side panel's sections in order: object browser, properties.
  QStringList OI_Panels;

 private:
  QList<TFMDIChild*> documents_;
};

// What every document shares, without its window: the bound file name and its parts, the
// modified flag, the tree node, the properties, the close prompt and the tree clean-up on
// close. The window base (tDocumentWindow) adds the Qt side.
class TFMDIChild {
 public:
  explicit TFMDIChild(TFMDIParent* creator);
  virtual ~TFMDIChild();
  TFMDIChild(const TFMDIChild&) = delete;
  TFMDIChild& operator=(const TFMDIChild&) = delete;

  // Mode -1 is Save, 1 is Save as, 0 the save of the close prompt (pFileName already
  // chosen). Returns false when nothing was written, so a closing document stays open.
  virtual bool SaveToFile(int mode) = 0;
  virtual void AssignParentForm(TFMDIParent* parent) { ParentForm = parent; }
  virtual void setFileFullName(const QString& name);
  virtual void ShowProperties();
  virtual void SetProperties(const QStringList* names, const QStringList* values);

  void SetFileSettings(const QString& defaultName, const QString& defaultExt,
                       const QString& filter);
  void AssignTree(tDocumentTree* tree, tNode node);
  void AssignPropertiesList(tPropertiesList* list) { PropertiesList = list; }

  // The window caption; a window kind shows it in its title.
  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);

  // The window was activated.
  void FormActivate();
  // The close decision; true when the document may close.
  bool FormCloseQuery();
  // The two halves of it. First the question (the close guard, then the
  // prompt when the document is modified): no file is written yet.
  enum class tCloseDecision { Close, SaveThenClose, Stay };
  tCloseDecision AskCloseDecision();
  // Then the decision carried out: a chosen save is made; true when the
  // document may close.
  bool CarryOutClose(tCloseDecision decision);
  // The document agreed to close: its next close asks nothing.
  void AgreeToClose() { closeAgreed_ = true; }
  // What a user typed and has not committed yet (an open cell editor) is
  // taken into the document; runs before every close and save.
  virtual void CommitPendingEdits() {}
  // The base's save dialog; true when a name was chosen.
  bool SaveFile();
  // Whether "Save and close" needs the base's save dialog first. A document
  // whose unsaved part is kept in a file of its own (a data table's record
  // table) saves it there, without a dialog for a file it does not write.
  virtual bool SaveNeedsFileDialog() const { return true; }
  // The document has closed: its node leaves the tree (children move up to its parent,
  // an emptied folder goes too) and the container forgets it. Runs once.
  void FormClose();

  // Asks the document to close (prompt included); true when it closed. A window kind
  // closes its window, which runs FormCloseQuery and FormClose.
  virtual bool RequestClose();
  // Shows the window in front of the others (a click on its tree node).
  virtual void BringToFront() {}

  bool IsCloseQuery = true;
  bool StatusModificado = false;
  bool RaizEliminable = true;
  QString pFileName, pFileFullName, pFilePath, pFileNameNoExt, pfileExt;
  QString Alias;
  QString FileFilter;
  // The filter picked in the last save dialog.
  QString SelectedFilter;
  tFormType FormType = tFormType::F_Nil;
  bool IsActiveData = false;
  tDocumentTree* MainTreeview = nullptr;
  tNode TreeNode = nullptr;
  TFMDIParent* ParentForm = nullptr;
  tPropertiesList* PropertiesList = nullptr;
  const QStringList* PropertyNames = nullptr;
  const QStringList* PropertyValues = nullptr;
  int tag = 0;

 protected:
  virtual void CaptionChanged() {}

 private:
  QString caption_;
  bool closed_ = false;
  bool closeAgreed_ = false;
};

// The parts of a file name as the document keeps them.
struct tFileNameParts {
  QString name, fullName, path, nameNoExt, ext;
};
tFileNameParts SplitFileName(const QString& fullName);

// "Text|*.txt|All|*.*" as a Qt filter ("Text (*.txt);;All (*.*)"); a mask without a
// wildcard is taken as an extension ("rtf" -> "*.rtf").
QString QtFileFilter(const QString& filter);

}  // namespace kovalin::app
