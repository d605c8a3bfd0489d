#pragma once

#include <QList>
#include <QWidget>

class QToolButton;
class QToolBar;
class QTreeView;

namespace kovalin::app {

// A closed section shows only its header, this high.
inline constexpr int kSectionHeaderHeight = 15;

// The object inspector: the object browser (a small tool bar over the document tree)
// and the properties list, each under a header that opens and collapses it.
class tSidePanel : public QWidget {
  Q_OBJECT

 public:
  explicit tSidePanel(QWidget* parent = nullptr);

  QToolBar* BrowserToolBar() const { return browserBar_; }
  QTreeView* Tree() const { return tree_; }
  QTreeView* PropertiesView() const { return properties_; }
  QToolButton* Header(int section) const { return headers_[section]; }
  bool SectionOpen(int section) const { return open_[section]; }
  int SectionHeight(int section) const;
  // OI_ShowHidePanels, a click on a section header: a section lower than 16 pixels opens
  // to half the panel (the last one fills what is left), an open one collapses to its
  // header (the last one then sits at the top).
  void ToggleSectionAt(int section);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Apply();

  QList<QToolButton*> headers_;
  QList<QWidget*> sections_;
  QToolBar* browserBar_;
  QTreeView* tree_;
  QTreeView* properties_;
  QList<bool> open_;
};

}  // namespace kovalin::app
