#pragma once

#include <QString>
#include <QWidget>

#include "app/results/memo_document.h"

class QAction;
class QLabel;
class QPlainTextEdit;
class QToolBar;
class QToolButton;

namespace kovalin::app {

// A text page of a results document: the memo in a fixed-pitch font, a tool bar
// (hidden at start) with open, save and clear, and a status line with the caret
// position, the modified mark and the bound file name.
class TTextEditor : public QWidget {
  Q_OBJECT
 public:
  explicit TTextEditor(QWidget* parent = nullptr);

  // Binds the file name (or a mask with "*"); loads the file when it exists.
  void Init(const QString& fileName, const QString& mask);
  // No file, default extension "txt", every file in the filter.
  void Init();

  QString GetArchivo() const { return TxtNomF; }
  void SetArchivo(const QString& name) { TxtNomF = name; }
  bool TxtModificado() const { return txtModificado_; }
  void SetTxtModificado(bool value);
  void ActualizarPos();

  // The engine appends to this document.
  tMemoDocument& Document() { return *document_; }
  QPlainTextEdit* Memo1() const { return memo_; }
  QStringList Lines() { return document_->Lines(); }

  void tbSaveClick();
  void tbOpenClick();
  void tbDelClick();
  void ToolButton1Click();

  QToolBar* ToolBar() const { return toolBar_; }
  QAction* tbOpen() const { return tbOpen_; }
  QAction* tbSave() const { return tbSave_; }
  QAction* tbDel() const { return tbDel_; }
  QToolButton* ToolButton1() const { return toolButton1_; }
  // The three status panels (0 caret, 1 modified mark, 2 file) and the hint.
  QString StatusPanel(int index) const;
  QString StatusHint() const;

 signals:
  // The text was written to a file from this editor's own Save.
  void saved();

 private:
  void RefreshButtons();
  void ShowFileName(const QString& name);
  void ClearFileName();
  bool SaveTo(const QString& name);

  QString TxtNomF;
  bool txtModificado_ = false;
  QString defaultSuffix_ = QStringLiteral("txt");
  QString filter_;
  QPlainTextEdit* memo_;
  tMemoDocument* document_;
  QToolBar* toolBar_;
  QAction* tbOpen_;
  QAction* tbSave_;
  QAction* tbDel_;
  QToolButton* toolButton1_;
  QLabel* panels_[3];
  QWidget* statusLine_;
};

}  // namespace kovalin::app
