#pragma once

#include <functional>

#include <QItemSelectionModel>
#include <QStandardItemModel>

namespace kovalin::app {

class TFMDIChild;

// A node of the document tree; a folder when it carries no document.
using tNode = QStandardItem*;

enum class tNodeIcon { None, Program, Folder, Table, ActiveTable, AnalysisResults,
                       SimulationResults };

// The document tree: a model and its selection, which the main window's tree view shows
// and which the document logic works on without any window.
class tDocumentTree {
 public:
  tDocumentTree();
  tDocumentTree(const tDocumentTree&) = delete;
  tDocumentTree& operator=(const tDocumentTree&) = delete;

  QStandardItemModel* Model() { return &model_; }
  QItemSelectionModel* Selection() { return &selection_; }

  bool IsEmpty() const { return model_.rowCount() == 0; }
  // The first top-level node (the program's root), or none.
  tNode Root() const;
  int Count() const;
  tNode AddTopLevel(const QString& text);
  // Adds a node as the last child of parent.
  tNode AddChild(tNode parent, const QString& text);
  // Deletes a node with everything below it; the deletion callback runs first.
  void Delete(tNode node);
  // Moves every child of node, in order, to the end of node's parent.
  void MoveChildrenUp(tNode node);

  static tNode Parent(tNode node);
  static tNode PreviousSibling(tNode node);
  static int ChildCount(tNode node) { return node == nullptr ? 0 : node->rowCount(); }
  static tNode Child(tNode node, int row) { return node->child(row); }
  // True when node is below ancestor or is ancestor itself.
  static bool IsWithin(tNode node, tNode ancestor);

  static void SetText(tNode node, const QString& text) { node->setText(text); }
  static QString Text(tNode node) { return node->text(); }
  static void SetIcon(tNode node, tNodeIcon icon);
  static tNodeIcon Icon(tNode node);
  static void Bind(tNode node, TFMDIChild* document);
  static TFMDIChild* Document(tNode node);

  tNode Selected() const;
  void Select(tNode node);

  // Runs before a node leaves the tree, and once it has gone.
  std::function<void(tNode)> onDeletion;
  std::function<void()> onDeleted;
  std::function<void()> onSelectionChange;

 private:
  QStandardItemModel model_;
  QItemSelectionModel selection_;
};

}  // namespace kovalin::app
