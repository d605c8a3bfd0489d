#include "app/results/text_editor.h"

#include <QAction>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextBlock>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/results/text_logic.h"
#include "app/shell/questions.h"

namespace kovalin::app {

namespace {

const QString kAllFiles = QStringLiteral("Todos los archivos (*.*)|*.*");

}  // namespace

TTextEditor::TTextEditor(QWidget* parent) : QWidget(parent) {
  memo_ = new QPlainTextEdit(this);
  memo_->setObjectName("Memo1");
  memo_->setAccessibleName("Text");
  memo_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  // Tab stops every 8 columns, as text editors and terminals show a saved report;
  // Qt's 80 pixels put the 14-character fields of the reports two stops apart.
  memo_->setTabStopDistance(8 * QFontMetricsF(memo_->font()).horizontalAdvance(u' '));
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo_->setTabChangesFocus(false);
  // Reports run to hundreds of thousands of lines: no undo history of them.
  memo_->setUndoRedoEnabled(false);
  document_ = new tMemoDocument(memo_, this);

  toolBar_ = new QToolBar(this);
  toolBar_->setIconSize(QSize(16, 16));
  tbOpen_ = toolBar_->addAction(style()->standardIcon(QStyle::SP_DialogOpenButton), "Open");
  tbSave_ = toolBar_->addAction(style()->standardIcon(QStyle::SP_DialogSaveButton), "Save");
  tbDel_ = toolBar_->addAction(style()->standardIcon(QStyle::SP_TrashIcon), "Clear");
  tbOpen_->setObjectName("tbOpen");
  tbSave_->setObjectName("tbSave");
  tbDel_->setObjectName("tbDel");
  toolBar_->setVisible(false);
  connect(tbOpen_, &QAction::triggered, this, &TTextEditor::tbOpenClick);
  connect(tbSave_, &QAction::triggered, this, &TTextEditor::tbSaveClick);
  connect(tbDel_, &QAction::triggered, this, &TTextEditor::tbDelClick);

  statusLine_ = new QWidget(this);
  auto* status = new QHBoxLayout(statusLine_);
  status->setContentsMargins(2, 0, 2, 0);
  toolButton1_ = new QToolButton(statusLine_);
  toolButton1_->setObjectName("ToolButton1");
  toolButton1_->setAccessibleName("Show tool bar");
  toolButton1_->setToolTip("Show or hide the tool bar");
  toolButton1_->setAutoRaise(true);
  toolButton1_->setArrowType(Qt::RightArrow);
  connect(toolButton1_, &QToolButton::clicked, this, &TTextEditor::ToolButton1Click);
  status->addWidget(toolButton1_);
  for (int i = 0; i < 3; ++i) {
    panels_[i] = new QLabel(statusLine_);
    panels_[i]->setFrameShape(QFrame::StyledPanel);
    status->addWidget(panels_[i], i == 2 ? 1 : 0);
  }
  panels_[0]->setMinimumWidth(fontMetrics().horizontalAdvance("00000:00000") + 8);
  panels_[1]->setMinimumWidth(fontMetrics().horizontalAdvance("  *") + 8);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(toolBar_);
  layout->addWidget(memo_, 1);
  layout->addWidget(statusLine_);

  connect(memo_, &QPlainTextEdit::textChanged, this, [this] { SetTxtModificado(true); });
  connect(memo_, &QPlainTextEdit::cursorPositionChanged, this, &TTextEditor::ActualizarPos);
  RefreshButtons();
  ActualizarPos();
}

void TTextEditor::Init(const QString& fileName, const QString& mask) {
  const QString suffix = SuffixOf(fileName);
  defaultSuffix_ = suffix.isEmpty() || suffix.contains(u'*') ? QStringLiteral("txt") : suffix;
  filter_ = DialogFilter(mask.isEmpty() ? kAllFiles : mask);
  TxtNomF = fileName;
  SetTxtModificado(false);
  ClearFileName();
  if (!fileName.isEmpty() && !IsFileMask(fileName) && QFileInfo::exists(fileName)) {
    QStringList lines;
    QString error;
    if (LoadTextLines(fileName, lines, error)) {
      document_->SetLines(lines);
      SetTxtModificado(false);
      ShowFileName(fileName);
    } else {
      ShowError("Kovalin", error);
    }
  }
  RefreshButtons();
  statusLine_->setToolTip(QString());
}

void TTextEditor::Init() {
  Init(QString(), QString());
  defaultSuffix_ = QStringLiteral("txt");
}

void TTextEditor::SetTxtModificado(bool value) {
  txtModificado_ = value;
  RefreshButtons();
  panels_[1]->setText(ModifiedMarkText(value));
  ActualizarPos();
}

void TTextEditor::RefreshButtons() {
  const tEditorButtons b = EditorButtons(document_->LineCount(), txtModificado_);
  tbDel_->setVisible(b.clear);
  tbSave_->setVisible(b.save);
}

void TTextEditor::ActualizarPos() {
  const QTextCursor c = memo_->textCursor();
  panels_[0]->setText(CaretPositionText(c.blockNumber() + 1, c.positionInBlock() + 1));
}

void TTextEditor::ShowFileName(const QString& name) {
  panels_[2]->setText(ShortFileName(name));
  statusLine_->setToolTip(name);
}

void TTextEditor::ClearFileName() {
  panels_[2]->clear();
  statusLine_->setToolTip(QString());
}

QString TTextEditor::StatusPanel(int index) const {
  if (index < 0 || index > 2) return {};
  return panels_[index]->text();
}

QString TTextEditor::StatusHint() const { return statusLine_->toolTip(); }

void TTextEditor::ToolButton1Click() {
  const bool show = toolBar_->isHidden();
  toolBar_->setVisible(show);
  toolButton1_->setArrowType(show ? Qt::DownArrow : Qt::RightArrow);
}

bool TTextEditor::SaveTo(const QString& name) {
  QString error;
  if (!SaveTextLines(name, document_->Lines(), error)) {
    ShowError("Kovalin", error);
    return false;
  }
  TxtNomF = name;
  SetTxtModificado(false);
  ShowFileName(name);
  emit saved();
  return true;
}

void TTextEditor::tbSaveClick() {
  if (!txtModificado_) return;
  tFileRequest request;
  request.caption = "Save";
  request.proposedName = IsFileMask(TxtNomF) ? QString() : TxtNomF;
  request.filter = filter_;
  request.defaultSuffix = defaultSuffix_;
  const tFileAnswer answer = Questions().AskSaveFile(request);
  if (!answer.accepted) return;
  SaveTo(answer.fileName);
}

void TTextEditor::tbOpenClick() {
  if (txtModificado_) {
    const tAnswer a = Ask(tMessageKind::Warning, "Kovalin", "Save existing text?",
                          {tAnswer::Yes, tAnswer::No, tAnswer::Cancel}, tAnswer::Yes,
                          tAnswer::Cancel);
    if (a == tAnswer::Cancel) return;
    if (a == tAnswer::Yes) tbSaveClick();
  }
  tFileRequest request;
  request.caption = "Open";
  request.proposedName = IsFileMask(TxtNomF) ? QString() : TxtNomF;
  request.filter = filter_;
  request.defaultSuffix = defaultSuffix_;
  const tFileAnswer answer = Questions().AskOpenFile(request);
  if (answer.accepted) {
    QStringList lines;
    QString error;
    if (LoadTextLines(answer.fileName, lines, error)) {
      TxtNomF = answer.fileName;
      document_->SetLines(lines);
      SetTxtModificado(false);
      ShowFileName(answer.fileName);
    } else {
      ShowError("Kovalin", error);
    }
  }
  RefreshButtons();
  toolBar_->setVisible(false);
  toolButton1_->setArrowType(Qt::RightArrow);
}

void TTextEditor::tbDelClick() {
  if (txtModificado_) {
    const tAnswer a = Ask(tMessageKind::Warning, "Kovalin", "Save text?",
                          {tAnswer::Yes, tAnswer::No, tAnswer::Cancel}, tAnswer::Yes,
                          tAnswer::Cancel);
    if (a == tAnswer::Yes) {
      tbSaveClick();
      return;
    }
    if (a == tAnswer::Cancel) return;
  }
  document_->Clear();
  SetTxtModificado(false);
  ClearFileName();
}

}  // namespace kovalin::app
