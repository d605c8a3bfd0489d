#include "app/shell/mdi_child.h"

#include "app/shell/properties_list.h"
#include "app/shell/questions.h"

namespace kovalin::app {

bool AskOnClose = true;

namespace {
tCloseGuard g_closeGuard;
}  // namespace

void SetCloseGuard(tCloseGuard guard) { g_closeGuard = std::move(guard); }

void TFMDIParent::FormCreate() {
  ActiveData = nullptr;
  OI_Panels.clear();
}

void TFMDIParent::ActiveData_Set(TFMDIChild* document) { ActiveData = document; }

void TFMDIParent::ActiveData_DelNotify(TFMDIChild* /*document*/) { ActiveData = nullptr; }

void TFMDIParent::AddDocument(TFMDIChild* document) {
  if (!documents_.contains(document)) documents_.prepend(document);
}

void TFMDIParent::BringDocumentToFront(TFMDIChild* document) {
  if (documents_.removeOne(document)) documents_.prepend(document);
}

void TFMDIParent::RemoveDocument(TFMDIChild* document) {
  documents_.removeOne(document);
  if (ActiveData == document) ActiveData = nullptr;
}

TFMDIChild::TFMDIChild(TFMDIParent* creator) : ParentForm(creator) {}

TFMDIChild::~TFMDIChild() {
  // A document destroyed without closing (its owner goes first) leaves no trace behind.
  if (closed_) return;
  if (MainTreeview != nullptr && TreeNode != nullptr) tDocumentTree::Bind(TreeNode, nullptr);
  if (ParentForm != nullptr) ParentForm->RemoveDocument(this);
}

tFileNameParts SplitFileName(const QString& fullName) {
  tFileNameParts parts;
  if (fullName.isEmpty() || fullName == "N/A" || fullName == "?") return parts;
  parts.fullName = fullName;
  const qsizetype slash = fullName.lastIndexOf('/');
  parts.path = slash < 0 ? QString() : fullName.left(slash + 1);
  parts.name = fullName.mid(slash + 1);
  const qsizetype dot = parts.name.lastIndexOf('.');
  parts.ext = dot < 0 ? QString() : parts.name.mid(dot);
  parts.nameNoExt = dot < 0 ? parts.name : parts.name.left(dot);
  return parts;
}

QString QtFileFilter(const QString& filter) {
  const QStringList pieces = filter.split('|');
  QStringList out;
  for (qsizetype i = 0; i + 1 < pieces.size(); i += 2) {
    QStringList masks = pieces[i + 1].split(';', Qt::SkipEmptyParts);
    for (QString& mask : masks) {
      if (!mask.contains('*')) mask = "*." + mask;
    }
    out << pieces[i] + " (" + masks.join(' ') + ")";
  }
  if (out.isEmpty() && !filter.isEmpty()) out << filter;
  return out.join(";;");
}

void TFMDIChild::setFileFullName(const QString& name) {
  const tFileNameParts parts = SplitFileName(name);
  pFileName = parts.name;
  pFileFullName = parts.fullName;
  pFilePath = parts.path;
  pFileNameNoExt = parts.nameNoExt;
  pfileExt = parts.ext;
}

void TFMDIChild::SetFileSettings(const QString& defaultName, const QString& defaultExt,
                                 const QString& filter) {
  pFileName = defaultName;
  pfileExt = defaultExt;
  FileFilter = filter;
}

void TFMDIChild::AssignTree(tDocumentTree* tree, tNode node) {
  MainTreeview = tree;
  TreeNode = node;
}

void TFMDIChild::SetProperties(const QStringList* names, const QStringList* values) {
  PropertyNames = names;
  PropertyValues = values;
}

void TFMDIChild::SetCaption(const QString& caption) {
  caption_ = caption;
  CaptionChanged();
}

void TFMDIChild::ShowProperties() {
  if (MainTreeview == nullptr || MainTreeview->Count() <= 1 || PropertiesList == nullptr) return;
  PropertiesList->Clear();
  if (PropertyNames == nullptr || PropertyValues == nullptr) return;
  const qsizetype rows = std::min(PropertyNames->size(), PropertyValues->size());
  for (qsizetype row = 0; row < rows; ++row) {
    PropertiesList->AddRow(PropertyNames->at(row), PropertyValues->at(row));
  }
}

void TFMDIChild::FormActivate() {
  if (closed_) return;
  if (ParentForm != nullptr) ParentForm->BringDocumentToFront(this);
  if (MainTreeview != nullptr && TreeNode != nullptr) MainTreeview->Select(TreeNode);
  if (FormType == tFormType::F_Data) {
    IsActiveData = true;
    if (ParentForm != nullptr) ParentForm->ActiveData_Set(this);
  }
  ShowProperties();
}

bool TFMDIChild::SaveFile() {
  tFileRequest request;
  request.caption = "Save as";
  request.directory = pFilePath;
  request.proposedName = pFileName.isEmpty() ? Alias : pFileName;
  request.filter = QtFileFilter(FileFilter);
  request.selectedFilter = SelectedFilter;
  request.defaultSuffix = pfileExt.startsWith('.') ? pfileExt.mid(1) : pfileExt;
  const tFileAnswer answer = Questions().AskSaveFile(request);
  if (!answer.accepted || answer.fileName.isEmpty()) return false;
  pFileName = answer.fileName;
  const QString ext = SplitFileName(answer.fileName).ext;
  if (!ext.isEmpty()) pfileExt = ext;
  SelectedFilter = answer.selectedFilter;
  StatusModificado = false;
  return true;
}

TFMDIChild::tCloseDecision TFMDIChild::AskCloseDecision() {
  if (closeAgreed_) return tCloseDecision::Close;
  CommitPendingEdits();
  if (g_closeGuard && !g_closeGuard(this)) return tCloseDecision::Stay;
  if (!AskOnClose) IsCloseQuery = false;
  if (!IsCloseQuery || !StatusModificado) return tCloseDecision::Close;
  const QString shown = pFileName.isEmpty() ? Caption() : pFileName;
  const tSavePromptAnswer answer =
      Questions().AskSaveBeforeClose(shown + "\nhas been modified. Save before close?");
  if (answer.dontAskAgain) AskOnClose = false;
  switch (answer.choice) {
    case tSavePromptChoice::Cancel: return tCloseDecision::Stay;
    case tSavePromptChoice::Discard: return tCloseDecision::Close;
    case tSavePromptChoice::SaveAndClose: return tCloseDecision::SaveThenClose;
  }
  return tCloseDecision::Stay;
}

bool TFMDIChild::CarryOutClose(tCloseDecision decision) {
  if (closeAgreed_) return true;
  bool mayClose = decision == tCloseDecision::Close;
  if (decision == tCloseDecision::SaveThenClose) {
    const tFileNameParts before{pFileName, pFileFullName, pFilePath, pFileNameNoExt, pfileExt};
    if (!SaveNeedsFileDialog()) {
      mayClose = SaveToFile(0);
    } else {
      mayClose = SaveFile();
      // A save that fails keeps the window and its changes: closing would lose them.
      if (mayClose && !SaveToFile(0)) {
        mayClose = false;
        StatusModificado = true;
        pFileName = before.name;
        pfileExt = before.ext;
      } else if (mayClose) {
        setFileFullName(pFileName);
      }
    }
  }
  IsCloseQuery = StatusModificado && !mayClose;
  return mayClose;
}

bool TFMDIChild::FormCloseQuery() { return CarryOutClose(AskCloseDecision()); }

bool TFMDIParent::AgreeAllToClose() {
  // A copy: nothing closes here, but a save may reorder nothing we rely on.
  const QList<TFMDIChild*> documents = documents_;
  QList<TFMDIChild::tCloseDecision> decisions;
  for (TFMDIChild* document : documents) {
    const TFMDIChild::tCloseDecision decision = document->AskCloseDecision();
    if (decision == TFMDIChild::tCloseDecision::Stay) return false;
    decisions << decision;
  }
  for (qsizetype i = 0; i < documents.size(); ++i) {
    if (decisions[i] != TFMDIChild::tCloseDecision::SaveThenClose) continue;
    if (!documents[i]->CarryOutClose(decisions[i])) return false;
  }
  for (TFMDIChild* document : documents) document->AgreeToClose();
  return true;
}

void TFMDIChild::FormClose() {
  if (closed_) return;
  closed_ = true;
  if (MainTreeview != nullptr && TreeNode != nullptr) {
    tNode node = TreeNode;
    tNode parent = tDocumentTree::Parent(node);
    MainTreeview->MoveChildrenUp(node);
    TreeNode = nullptr;
    MainTreeview->Delete(node);
    // Only an emptied folder goes: never the root, never another document's node.
    if (RaizEliminable && parent != nullptr && parent != MainTreeview->Root() &&
        parent->rowCount() == 0 && tDocumentTree::Document(parent) == nullptr) {
      MainTreeview->Delete(parent);
    }
  }
  if (ParentForm != nullptr) {
    const bool wasActive = IsActiveData || ParentForm->ActiveData == this;
    ParentForm->RemoveDocument(this);
    if (wasActive) ParentForm->ActiveData_DelNotify(this);
  }
  IsActiveData = false;
}

bool TFMDIChild::RequestClose() {
  if (!FormCloseQuery()) return false;
  FormClose();
  return true;
}

}  // namespace kovalin::app
