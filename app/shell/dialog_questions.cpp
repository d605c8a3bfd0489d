#include "app/shell/dialog_questions.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace kovalin::app {

namespace {

QMessageBox::StandardButton ToStandard(tAnswer answer) {
  switch (answer) {
    case tAnswer::Ok: return QMessageBox::Ok;
    case tAnswer::Cancel: return QMessageBox::Cancel;
    case tAnswer::Yes: return QMessageBox::Yes;
    case tAnswer::No: return QMessageBox::No;
    case tAnswer::Abort: return QMessageBox::Abort;
    case tAnswer::Retry: return QMessageBox::Retry;
    case tAnswer::Ignore: return QMessageBox::Ignore;
  }
  return QMessageBox::Ok;
}

tAnswer FromStandard(int button, tAnswer fallback) {
  switch (button) {
    case QMessageBox::Ok: return tAnswer::Ok;
    case QMessageBox::Cancel: return tAnswer::Cancel;
    case QMessageBox::Yes: return tAnswer::Yes;
    case QMessageBox::No: return tAnswer::No;
    case QMessageBox::Abort: return tAnswer::Abort;
    case QMessageBox::Retry: return tAnswer::Retry;
    case QMessageBox::Ignore: return tAnswer::Ignore;
    default: return fallback;
  }
}

QMessageBox::Icon ToIcon(tMessageKind kind) {
  switch (kind) {
    case tMessageKind::Error: return QMessageBox::Critical;
    case tMessageKind::Warning: return QMessageBox::Warning;
    case tMessageKind::Information: return QMessageBox::Information;
    case tMessageKind::Confirmation: return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

tAnswer tDialogQuestions::Show(const tMessage& message) {
  QMessageBox box(ToIcon(message.kind), message.caption, message.text, QMessageBox::NoButton,
                  QApplication::activeWindow());
  const QList<tAnswer> buttons = message.buttons.isEmpty() ? QList<tAnswer>{tAnswer::Ok}
                                                           : message.buttons;
  for (tAnswer answer : buttons) box.addButton(ToStandard(answer));
  box.setDefaultButton(ToStandard(message.defaultButton));
  if (QAbstractButton* escape = box.button(ToStandard(message.escapeButton))) {
    box.setEscapeButton(escape);
  }
  return FromStandard(box.exec(), message.escapeButton);
}

tSavePromptAnswer tDialogQuestions::AskSaveBeforeClose(const QString& text) {
  QMessageBox box(QMessageBox::Question, "Orsino", text, QMessageBox::NoButton,
                  QApplication::activeWindow());
  QPushButton* save = box.addButton("Save and close", QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton("Discard", QMessageBox::DestructiveRole);
  QPushButton* cancel = box.addButton("Cancel", QMessageBox::RejectRole);
  box.setDefaultButton(save);
  box.setEscapeButton(cancel);
  auto* dontAsk = new QCheckBox("Don't ask again", &box);
  box.setCheckBox(dontAsk);
  box.exec();
  tSavePromptAnswer answer;
  answer.dontAskAgain = dontAsk->isChecked();
  if (box.clickedButton() == save) {
    answer.choice = tSavePromptChoice::SaveAndClose;
  } else if (box.clickedButton() == discard) {
    answer.choice = tSavePromptChoice::Discard;
  } else {
    answer.choice = tSavePromptChoice::Cancel;
  }
  return answer;
}

static tFileAnswer RunFileDialog(const tFileRequest& request, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(QApplication::activeWindow(), request.caption, request.directory,
                     request.filter);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  if (!request.defaultSuffix.isEmpty()) dialog.setDefaultSuffix(request.defaultSuffix);
  if (!request.selectedFilter.isEmpty()) dialog.selectNameFilter(request.selectedFilter);
  if (!request.proposedName.isEmpty()) dialog.selectFile(request.proposedName);
  tFileAnswer answer;
  if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    answer.accepted = true;
    answer.fileName = dialog.selectedFiles().constFirst();
    answer.selectedFilter = dialog.selectedNameFilter();
  }
  return answer;
}

tFileAnswer tDialogQuestions::AskOpenFile(const tFileRequest& request) {
  return RunFileDialog(request, QFileDialog::AcceptOpen);
}

tFileAnswer tDialogQuestions::AskSaveFile(const tFileRequest& request) {
  return RunFileDialog(request, QFileDialog::AcceptSave);
}

}  // namespace kovalin::app
