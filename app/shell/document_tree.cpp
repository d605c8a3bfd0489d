#include "app/shell/document_tree.h"

#include "app/shell/node_icons.h"

namespace kovalin::app {

namespace {
constexpr int kIconRole = Qt::UserRole + 1;
constexpr int kDocumentRole = Qt::UserRole + 2;
}  // namespace

tDocumentTree::tDocumentTree() : selection_(&model_) {
  QObject::connect(&selection_, &QItemSelectionModel::currentChanged, &model_, [this] {
    if (onSelectionChange) onSelectionChange();
  });
}

tNode tDocumentTree::Root() const { return model_.item(0); }

int tDocumentTree::Count() const {
  int count = 0;
  std::function<void(const QStandardItem*)> walk = [&](const QStandardItem* item) {
    ++count;
    for (int row = 0; row < item->rowCount(); ++row) walk(item->child(row));
  };
  for (int row = 0; row < model_.rowCount(); ++row) walk(model_.item(row));
  return count;
}

static QStandardItem* NewItem(const QString& text) {
  auto* item = new QStandardItem(text);
  item->setEditable(false);
  return item;
}

tNode tDocumentTree::AddTopLevel(const QString& text) {
  QStandardItem* item = NewItem(text);
  model_.appendRow(item);
  return item;
}

tNode tDocumentTree::AddChild(tNode parent, const QString& text) {
  QStandardItem* item = NewItem(text);
  parent->appendRow(item);
  return item;
}

void tDocumentTree::Delete(tNode node) {
  if (node == nullptr) return;
  if (onDeletion) onDeletion(node);
  if (QStandardItem* parent = node->parent()) {
    parent->removeRow(node->row());
  } else {
    model_.removeRow(node->row());
  }
  if (onDeleted) onDeleted();
}

void tDocumentTree::MoveChildrenUp(tNode node) {
  QStandardItem* parent = node->parent();
  while (node->rowCount() > 0) {
    QList<QStandardItem*> row = node->takeRow(0);
    if (parent != nullptr) {
      parent->appendRow(row);
    } else {
      model_.appendRow(row);
    }
  }
}

tNode tDocumentTree::Parent(tNode node) { return node == nullptr ? nullptr : node->parent(); }

tNode tDocumentTree::PreviousSibling(tNode node) {
  if (node == nullptr || node->row() == 0) return nullptr;
  if (QStandardItem* parent = node->parent()) return parent->child(node->row() - 1);
  return node->model()->item(node->row() - 1);
}

bool tDocumentTree::IsWithin(tNode node, tNode ancestor) {
  for (tNode at = node; at != nullptr; at = at->parent()) {
    if (at == ancestor) return true;
  }
  return false;
}

void tDocumentTree::SetIcon(tNode node, tNodeIcon icon) {
  node->setData(static_cast<int>(icon), kIconRole);
  node->setIcon(NodeIcon(icon));
}

tNodeIcon tDocumentTree::Icon(tNode node) {
  const QVariant value = node->data(kIconRole);
  return value.isValid() ? static_cast<tNodeIcon>(value.toInt()) : tNodeIcon::None;
}

void tDocumentTree::Bind(tNode node, TFMDIChild* document) {
  node->setData(QVariant::fromValue(static_cast<void*>(document)), kDocumentRole);
}

TFMDIChild* tDocumentTree::Document(tNode node) {
  if (node == nullptr) return nullptr;
  return static_cast<TFMDIChild*>(node->data(kDocumentRole).value<void*>());
}

tNode tDocumentTree::Selected() const {
  return model_.itemFromIndex(selection_.currentIndex());
}

void tDocumentTree::Select(tNode node) {
  if (node == nullptr) {
    selection_.clearCurrentIndex();
    selection_.clearSelection();
    return;
  }
  selection_.setCurrentIndex(node->index(), QItemSelectionModel::ClearAndSelect);
}

}  // namespace kovalin::app
