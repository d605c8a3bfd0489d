#include "app/shell/main_desk.h"

#include <QPersistentModelIndex>

#include "app/shell/questions.h"

namespace kovalin::app {

tMainDesk::tMainDesk() {
  tree_.onDeletion = [this](tNode node) { TreeViewMainDeletion(node); };
  tree_.onDeleted = [this] { AfterDeletion(); };
  tree_.onSelectionChange = [this] { TreeViewMainChange(); };
}

tMainDesk::~tMainDesk() {
  tree_.onDeletion = nullptr;
  tree_.onDeleted = nullptr;
  tree_.onSelectionChange = nullptr;
}

void tMainDesk::SetStatus(int panel, const QString& text) {
  status_[panel == 0 ? 0 : 1] = text;
  StatusChanged(panel);
}

void tMainDesk::SetSidePanelShown(bool shown) {
  SidePanelShown = shown;
  SidePanelChanged();
}

void tMainDesk::ClearPropertiesList() {
  properties_.Clear();
  properties_.SetTitles({}, {});
}

void tMainDesk::FormCreate() {
  TFMDIParent::FormCreate();
  OI_Panels = {"Object browser", "Properties"};
  properties_.Clear();

  NodoActualFolder = TreeActNode = TreePrevNode = nullptr;
  TreeActTableNode = TreePrevTableNode = nullptr;
  if (tree_.IsEmpty()) {
    NodoRaiz = tree_.AddTopLevel(kTitle);
    tDocumentTree::SetIcon(NodoRaiz, tNodeIcon::Program);
  }
  NodoRaiz = tree_.Root();
  NodoActualFolder = TreeActNode = TreePrevNode = NodoRaiz;
  tree_.Select(NodoRaiz);

  AutoExpand = false;
  properties_.SetTitles({}, {});
  IndxTabla = 0;
  SetStatus(0, kTitle + " (compilation: " + QString::fromLatin1(BuildLabel) + ")");
  SetStatus(1, {});
  CommandsChanged();
}

void tMainDesk::ActiveData_Set(TFMDIChild* document) {
  if (ActiveData != nullptr) {
    ActiveData->IsActiveData = false;
    if (ActiveData->TreeNode != nullptr) {
      tDocumentTree::SetIcon(ActiveData->TreeNode, tNodeIcon::Table);
    }
  }
  ActiveData = document;
  if (document != nullptr) {
    document->IsActiveData = true;
    if (document->TreeNode != nullptr) {
      tDocumentTree::SetIcon(document->TreeNode, tNodeIcon::ActiveTable);
      if (TreeActTableNode != document->TreeNode) TreePrevTableNode = TreeActTableNode;
      TreeActTableNode = document->TreeNode;
    }
    SetStatus(1, "Active data: " + document->Caption() + " [" + QString::number(document->tag) +
                     "]");
  } else {
    SetStatus(1, "Active data: None");
  }
  CommandsChanged();
}

void tMainDesk::ActiveData_DelNotify(TFMDIChild* document) {
  ActiveData = nullptr;
  document->FormType = tFormType::F_Nil;
  document->IsActiveData = false;
  bool any = false;
  // Front to back: the data table furthest back ends as the active data set.
  const QList<TFMDIChild*> documents = DocumentsFrontToBack();
  for (TFMDIChild* other : documents) {
    if (other == document || other->FormType != tFormType::F_Data) continue;
    ActiveData_Set(other);
    any = true;
  }
  if (!any) ActiveData_Set(nullptr);
}

void tMainDesk::BindNewDocument(TFMDIChild* document, tNode node) {
  document->AssignParentForm(this);
  document->AssignTree(&tree_, node);
  document->AssignPropertiesList(&properties_);
  tDocumentTree::Bind(node, document);
}

TFMDIChild* tMainDesk::CreateTable(const QString& problema, const tTableFactory& make) {
  tree_.Select(NodoRaiz);
  tNode folder = tree_.AddChild(NodoRaiz, {});
  NodoActualFolder = folder;
  tree_.Select(folder);
  ++IndxTabla;
  TFMDIChild* table = make(IndxTabla);
  if (table == nullptr) return nullptr;
  table->tag = IndxTabla;
  table->FormType = tFormType::F_Data;
  const QString caption =
      problema.trimmed().isEmpty() ? QString("Table %1").arg(IndxTabla) : problema;
  table->SetCaption(caption);
  table->Alias = caption;
  AddDocument(table);
  table->AssignParentForm(this);
  ShowDocument(table);

  tNode node = tree_.AddChild(folder, caption);
  BindNewDocument(table, node);
  tDocumentTree::SetIcon(folder, tNodeIcon::Folder);
  tDocumentTree::SetText(folder, QString("Analysis %1").arg(IndxTabla));
  tDocumentTree::SetIcon(node, tNodeIcon::ActiveTable);
  tree_.Select(node);
  ActiveData_Set(table);
  if (IndxTabla == 1) SetSidePanelShown(true);
  CommandsChanged();
  return table;
}

bool tMainDesk::PlaceResults(TFMDIChild* results, bool simulation, TFMDIChild* table) {
  TFMDIChild* owner = table != nullptr ? table : ActiveData;
  if (owner == nullptr || owner->TreeNode == nullptr) return false;
  tNode folder = tDocumentTree::Parent(owner->TreeNode);
  if (folder == nullptr) return false;
  const int tableNumber = owner->tag;
  if (results->FormType == tFormType::F_Nil) results->FormType = tFormType::F_Results;
  AddDocument(results);
  results->AssignParentForm(this);
  ShowDocument(results);

  tNode node = tree_.AddChild(folder, {});
  BindNewDocument(results, node);
  int k = tDocumentTree::ChildCount(folder) - 1;
  if (TFMDIChild* previous = tDocumentTree::Document(tDocumentTree::PreviousSibling(node));
      previous != nullptr && previous->FormType == tFormType::F_Results) {
    k = previous->tag + 1;
  }
  results->tag = k;
  tDocumentTree::SetText(node, QString("Results %1.%2").arg(tableNumber).arg(k));
  tDocumentTree::SetIcon(node, simulation ? tNodeIcon::SimulationResults
                                          : tNodeIcon::AnalysisResults);
  tree_.Select(node);
  CommandsChanged();
  return true;
}

bool tMainDesk::DeleteBranchEnabled() const {
  return NodoRaiz != nullptr && tDocumentTree::ChildCount(NodoRaiz) > 0;
}

void tMainDesk::CloseBranchDocuments(tNode branch) {
  // Every close removes its own node (and an emptied folder), so the children are
  // taken from the front; one that stays open is passed, so each is asked once.
  const QPersistentModelIndex branchIndex(branch->index());
  const int children = tDocumentTree::ChildCount(branch);
  int next = 0;
  for (int pass = 0; pass < children && branchIndex.isValid(); ++pass) {
    if (next >= tDocumentTree::ChildCount(branch)) break;
    tNode child = tDocumentTree::Child(branch, next);
    const QPersistentModelIndex childIndex(child->index());
    const int grandchildren = tDocumentTree::ChildCount(child);
    int nextGrandchild = 0;
    for (int inner = 0; inner < grandchildren && childIndex.isValid(); ++inner) {
      if (nextGrandchild >= tDocumentTree::ChildCount(child)) break;
      tNode grandchild = tDocumentTree::Child(child, nextGrandchild);
      TFMDIChild* document = tDocumentTree::Document(grandchild);
      if (document == nullptr || !document->RequestClose()) ++nextGrandchild;
    }
    if (childIndex.isValid()) {
      TFMDIChild* document = tDocumentTree::Document(child);
      if (document == nullptr || !document->RequestClose()) ++next;
    }
  }
}

bool tMainDesk::DeleteBranch() {
  tNode selected = tree_.Selected();
  if (selected == nullptr) return false;
  if (tDocumentTree::ChildCount(selected) == 0 && tDocumentTree::Document(selected) == nullptr) {
    return false;
  }
  if (!Confirm(kTitle, "Please, confirm to delete.")) return true;
  if (tDocumentTree::ChildCount(selected) > 0) {
    CloseBranchDocuments(selected);
  } else if (TFMDIChild* document = tDocumentTree::Document(selected)) {
    document->RequestClose();
  }
  CommandsChanged();
  return true;
}

void tMainDesk::TreeViewMainClick() {
  if (inClick_) return;
  inClick_ = true;
  if (TFMDIChild* document = tDocumentTree::Document(tree_.Selected())) {
    document->BringToFront();
    document->ShowProperties();
    if (document->FormType == tFormType::F_Data) ActiveData_Set(document);
  }
  inClick_ = false;
}

void tMainDesk::TreeViewMainChange() {
  tNode selected = tree_.Selected();
  if (selected != nullptr && selected != TreeActNode) {
    TreePrevNode = TreeActNode;
    TreeActNode = selected;
  }
  // Emptied first, so that the document of the new node fills it again.
  ClearPropertiesList();
  TreeViewMainClick();
  if (!DeleteBranchEnabled()) {
    TreeActTableNode = TreePrevTableNode = nullptr;
    TreeActNode = TreePrevNode = NodoRaiz;
  }
  CommandsChanged();
}

void tMainDesk::TreeViewMainDeletion(tNode node) {
  if (node == TreeActTableNode) {
    TreeActTableNode = TreePrevTableNode;
    TreePrevTableNode = nullptr;
  }
  // No pointer may outlive the node it points to.
  for (tNode* pointer : {&NodoActualFolder, &TreeActNode, &TreePrevNode, &TreeActTableNode,
                         &TreePrevTableNode}) {
    if (*pointer != nullptr && tDocumentTree::IsWithin(*pointer, node)) *pointer = nullptr;
  }
  if (NodoRaiz != nullptr && tDocumentTree::IsWithin(NodoRaiz, node)) NodoRaiz = nullptr;
}

void tMainDesk::AfterDeletion() {
  if (NodoActualFolder == nullptr) NodoActualFolder = NodoRaiz;
  if (TreeActNode == nullptr) TreeActNode = tree_.Selected() ? tree_.Selected() : NodoRaiz;
  if (TreePrevNode == nullptr) TreePrevNode = NodoRaiz;
  if (!DeleteBranchEnabled()) {
    TreeActTableNode = TreePrevTableNode = nullptr;
    TreeActNode = TreePrevNode = NodoRaiz;
    ClearPropertiesList();
  }
  CommandsChanged();
}

}  // namespace kovalin::app
