#include "app/views/table_commands.h"

#include <QFileInfo>
#include <QMdiSubWindow>

#include "app/shell/main_desk.h"
#include "app/shell/questions.h"
#include "app/views/data_table_document.h"
#include "app/views/data_table_frame.h"
#include "app/views/table_settings_dialog.h"
#include "tables/record_table_frame.h"
#include "tables/table_loader.h"
#include "tables/warning_summary.h"
#include "tables/xml_data_file.h"

namespace kovalin::app {

namespace {

constexpr const char* kCaption = "Kovalin";
constexpr const char* kOpenFilter =
    "Data files (*.mrd *.txt *.csv);;XML data files (*.xml *.qxf);;All files (*.*)";

QString FromStd(const std::string& s) { return QString::fromStdString(s); }

TFTabla* Place(tMainDesk& desk, bool tabFreqs, bool tabNTabEd, bool tabText) {
  TFTabla* made = nullptr;
  desk.CreateTable(FromStd(CurrentTableSettings.Problema), [&](int number) {
    made = new TFTabla(&desk, tabFreqs, tabNTabEd, tabText);
    made->NumTable = number;
    return made;
  });
  return made;
}

void Maximize(TFTabla* document) {
  if (QMdiSubWindow* frame = document->SubWindow()) frame->showMaximized();
}

void ShowWarnings(const std::vector<std::string>& warnings) {
  if (warnings.empty()) return;
  QStringList lines;
  for (const std::string& line : SummarizeWarnings(warnings)) lines << FromStd(line);
  ShowWarning(kCaption, lines.join('\n'));
}

}  // namespace

TFTabla* NewTableFromOptions(tMainDesk& desk, const tTableOption& options) {
  TFTabla* document = Place(desk, false, true, false);
  if (document == nullptr) return nullptr;
  Maximize(document);
  std::string message;
  switch (options.InputType) {
    case itRawData: document->createRawData(); break;
    case itParamsPV: document->createParamPV_DB(); break;
    default:
      CreateNewTable(document->Frame()->Frame(), options.InputType, message);
      if (!message.empty()) ShowInformation(kCaption, FromStd(message));
      break;
  }
  document->Frame()->Setstatus(sEdit);
  const QString title = FromStd(options.title).trimmed();
  document->setFileFullName(title.isEmpty() ? QString("N/A") : title);
  if (!title.isEmpty() && document->TreeNode != nullptr) tDocumentTree::SetText(document->TreeNode, title);
  document->ShowProperties();
  return document;
}

TFTabla* NewTableExecute(tMainDesk& desk, QWidget* dialogParent) {
  TFTable_Settings dialog(dialogParent);
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  const tTableOption options = dialog.Options();
  if (!options.FileNew) return ActionOpenExecute(desk);
  return NewTableFromOptions(desk, options);
}

TFTabla* OpenTableFile(tMainDesk& desk, const QString& path) {
  // Read first: a file that cannot be read leaves no half-loaded document.
  tRecordTableFile file = LoadRecordTable(path.toStdString(), csvUnknown);
  if (!file.ok) {
    ShowError(kCaption, FromStd(file.error));
    return nullptr;
  }
  const std::vector<std::string> warnings = file.warnings;
  TFTabla* document = Place(desk, false, true, false);
  if (document == nullptr) return nullptr;
  Maximize(document);
  document->setFileFullName(path);
  const QString name = QFileInfo(path).completeBaseName();
  if (document->TreeNode != nullptr) tDocumentTree::SetText(document->TreeNode, name);
  document->SetCaption(name);
  document->Alias = name;
  document->AdoptRecordFile(std::move(file), path);
  desk.ActiveData_Set(document);  // the status shows the new caption
  document->ShowProperties();
  ShowWarnings(warnings);
  return document;
}

TFTabla* ActionOpenExecute(tMainDesk& desk) {
  tFileRequest request;
  request.caption = "Open";
  request.filter = kOpenFilter;
  const tFileAnswer answer = Questions().AskOpenFile(request);
  if (!answer.accepted) return nullptr;
  return OpenAnyFile(desk, answer.fileName);
}

TFTabla* LoadTableFile(tMainDesk& desk, const QString& path) {
  tXmlLoadResult loaded = LoadTable(path.toStdString());
  if (!loaded.ok) {
    ShowError(kCaption, FromStd(loaded.error));
    return nullptr;
  }
  TFTabla* document = Place(desk, true, true, true);
  if (document == nullptr) return nullptr;
  document->AdoptFrequencyTable(std::move(loaded.table));
  document->setFileFullName(path);
  if (document->TreeNode != nullptr) tDocumentTree::SetText(document->TreeNode, document->Caption());
  desk.ActiveData_Set(document);
  document->ShowProperties();
  ShowWarnings(loaded.warnings);
  return document;
}

TFTabla* LoadTableExecute(tMainDesk& desk) {
  tFileRequest request;
  request.caption = "Open";
  request.filter = QtFileFilter(TFTabla::kXmlFilter);
  request.proposedName = "*.xml";
  request.defaultSuffix = "xml";
  const tFileAnswer answer = Questions().AskOpenFile(request);
  if (!answer.accepted) return nullptr;
  return LoadTableFile(desk, answer.fileName);
}

TFTabla* OpenAnyFile(tMainDesk& desk, const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == "xml" || suffix == "qxf") return LoadTableFile(desk, path);
  return OpenTableFile(desk, path);
}

void XMLShowClick(TFMDIChild* active) {
  if (active == nullptr) return;
  auto* table = dynamic_cast<TFTabla*>(active);
  if (table == nullptr) {
    ShowInformation(kCaption, "A data table must be selected to see its xml structure");
    return;
  }
  table->ShowXmlStructure();
}

}  // namespace kovalin::app
