#pragma once

#include <functional>

#include <QString>

#include "app/shell/build_label.h"
#include "app/shell/document_tree.h"
#include "app/shell/mdi_child.h"
#include "app/shell/properties_list.h"

namespace kovalin::app {

inline const QString kTitle = QStringLiteral("Kovalin (x32) 20E");

// The main window's bookkeeping without its window: the document tree, the active data
// set, where new documents go and what they are called, and Delete branch. The main
// window derives from it and overrides the hooks to show what changed.
class tMainDesk : public TFMDIParent {
 public:
  tMainDesk();
  ~tMainDesk() override;

  // Start-up steps 1 to 4: side panel sections, root node, automatic expansion off,
  // table count 0 and the first status text.
  void FormCreate() override;
  void ActiveData_Set(TFMDIChild* document) override;
  void ActiveData_DelNotify(TFMDIChild* document) override;

  tDocumentTree& Tree() { return tree_; }
  tPropertiesList& Properties() { return properties_; }

  // Places a new data table (New and Open): a new folder "Analysis n" under the root,
  // the table numbered n. `make` creates the document for number n; `problema` is the
  // table settings' title, the caption when not empty.
  using tTableFactory = std::function<TFMDIChild*(int number)>;
  TFMDIChild* CreateTable(const QString& problema, const tTableFactory& make);
  // Places a results document beside its data table (the active one when none is
  // given) as "Results t.k"; false (nothing placed) when that table is not in the tree.
  bool PlaceResults(TFMDIChild* results, bool simulation, TFMDIChild* table = nullptr);

  // Delete branch on the selected node; false when nothing was asked.
  bool DeleteBranch();
  bool DeleteBranchEnabled() const;

  void TreeViewMainChange();
  void TreeViewMainClick();

  // The status panels' texts (0: program and build, 1: active data).
  QString StatusText(int panel) const { return status_[panel == 0 ? 0 : 1]; }

  tNode NodoRaiz = nullptr;
  tNode NodoActualFolder = nullptr;
  tNode TreeActNode = nullptr;
  tNode TreePrevNode = nullptr;
  tNode TreeActTableNode = nullptr;
  tNode TreePrevTableNode = nullptr;
  int IndxTabla = 0;
  bool AutoExpand = false;
  bool SidePanelShown = false;

 protected:
  virtual void StatusChanged(int /*panel*/) {}
  virtual void SidePanelChanged() {}
  // A new document is to be shown (a window kind puts it into the document area).
  virtual void ShowDocument(TFMDIChild* /*document*/) {}
  // Something that decides which commands apply has changed.
  virtual void CommandsChanged() {}

  void SetStatus(int panel, const QString& text);
  void SetSidePanelShown(bool shown);

 private:
  void BindNewDocument(TFMDIChild* document, tNode node);
  void TreeViewMainDeletion(tNode node);
  void AfterDeletion();
  void ClearPropertiesList();
  // Closes the documents two levels below `branch`, each asked once.
  void CloseBranchDocuments(tNode branch);

  tDocumentTree tree_;
  tPropertiesList properties_;
  QString status_[2];
  bool inClick_ = false;
};

}  // namespace kovalin::app
