#include "app/shell/side_panel.h"

#include <QHeaderView>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace kovalin::app {

tSidePanel::tSidePanel(QWidget* parent) : QWidget(parent) {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);

  browserBar_ = new QToolBar(this);
  browserBar_->setIconSize({16, 16});
  tree_ = new QTreeView(this);
  tree_->setHeaderHidden(true);
  tree_->setAccessibleName("Object browser");
  properties_ = new QTreeView(this);
  properties_->setRootIsDecorated(false);
  properties_->setAccessibleName("Properties");

  const QList<QPair<QString, QList<QWidget*>>> sections = {
      {"Object browser", {browserBar_, tree_}}, {"Properties", {properties_}}};
  for (const auto& [title, widgets] : sections) {
    auto* header = new QToolButton(this);
    header->setText(title);
    header->setCheckable(true);
    header->setChecked(true);
    header->setFixedHeight(kSectionHeaderHeight);
    header->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    header->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* section = new QWidget(this);
    auto* inner = new QVBoxLayout(section);
    inner->setContentsMargins(0, 0, 0, 0);
    inner->setSpacing(0);
    inner->addWidget(header);
    for (QWidget* widget : widgets) inner->addWidget(widget);
    column->addWidget(section);
    const int index = static_cast<int>(headers_.size());
    connect(header, &QToolButton::clicked, this, [this, index] { ToggleSectionAt(index); });
    headers_ << header;
    sections_ << section;
  }
  column->addStretch(0);
  // Both sections start open, the first at half the panel.
  open_ = {true, true};
  Apply();
}

void tSidePanel::ToggleSectionAt(int section) {
  open_[section] = !open_[section];
  Apply();
}

int tSidePanel::SectionHeight(int section) const { return sections_[section]->height(); }

void tSidePanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Apply();
}

void tSidePanel::Apply() {
  const qsizetype last = sections_.size() - 1;
  int used = 0;
  for (qsizetype i = 0; i < sections_.size(); ++i) {
    const bool open = open_[i];
    int h = open ? height() / 2 : kSectionHeaderHeight;
    if (i == last) h = open ? std::max(kSectionHeaderHeight, height() - used) : kSectionHeaderHeight;
    used += h;
    sections_[i]->setFixedHeight(h);
    headers_[i]->setChecked(open);
    for (QObject* child : sections_[i]->children()) {
      if (auto* widget = qobject_cast<QWidget*>(child); widget != nullptr && widget != headers_[i]) {
        widget->setVisible(open);
      }
    }
  }
}

}  // namespace kovalin::app
