#include "app/views/subject_import.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/shell/document_tree.h"
#include "app/shell/main_desk.h"
#include "app/shell/questions.h"
#include "app/views/data_table_document.h"
#include "app/views/data_table_frame.h"
#include "tables/table_loader.h"

namespace kovalin::app {

namespace {

constexpr const char* kCaption = "Import subjects";
constexpr const char* kNamesProperty = "kovalinTestNames";
constexpr int kPreviewRows = 8;
const char* const kRoleCaptions[3] = {"Test &A:", "Test &B:", "&Gold standard:"};

QString FromStd(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

TFSubjectImport::TFSubjectImport(const QString& fileName, const tSubjectPreview& preview,
                                 QWidget* parent)
    : QDialog(parent), columnNames_(preview.columns) {
  setWindowTitle(kCaption);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("%1: the first rows").arg(QFileInfo(fileName).fileName()), this));

  const int columnCount = static_cast<int>(preview.columns.size());
  preview_ = new QTableWidget(static_cast<int>(preview.rows.size()), columnCount, this);
  preview_->setAccessibleName("First rows");
  preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  QStringList headers;
  for (int c = 0; c < columnCount; ++c)
    headers << QStringLiteral("%1 %2").arg(c + 1).arg(FromStd(preview.columns[static_cast<std::size_t>(c)]));
  preview_->setHorizontalHeaderLabels(headers);
  for (std::size_t r = 0; r < preview.rows.size(); ++r)
    for (std::size_t c = 0; c < preview.rows[r].size() && c < preview.columns.size(); ++c)
      preview_->setItem(static_cast<int>(r), static_cast<int>(c), new QTableWidgetItem(FromStd(preview.rows[r][c])));
  preview_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  preview_->setMinimumHeight(200);
  layout->addWidget(preview_, 1);

  auto* form = new QFormLayout;
  const std::array<int, 3> suggested = SuggestSubjectColumns(preview);
  for (int role = 0; role < 3; ++role) {
    columns_[role] = new QComboBox(this);
    columns_[role]->addItems(headers);
    columns_[role]->setCurrentIndex(suggested[static_cast<std::size_t>(role)] - 1);
    auto* label = new QLabel(kRoleCaptions[role], this);
    label->setBuddy(columns_[role]);
    columns_[role]->setAccessibleName(QString(kRoleCaptions[role]).remove('&').remove(':'));
    form->addRow(label, columns_[role]);
  }
  for (int test = 0; test < 2; ++test) {
    names_[test] = new QLineEdit(this);
    const QString caption = test == 0 ? "Name of test A:" : "Name of test B:";
    names_[test]->setAccessibleName(QString(caption).remove(':'));
    form->addRow(caption, names_[test]);
    ColumnChanged(test);
    connect(columns_[test], &QComboBox::currentIndexChanged, this, [this, test] { ColumnChanged(test); });
  }
  positive_ = new QLineEdit(this);
  positive_->setPlaceholderText("besides 1, pos, positive, yes, +, TRUE (e.g. malignant)");
  positive_->setAccessibleName("Other positive codes");
  negative_ = new QLineEdit(this);
  negative_->setPlaceholderText("besides 0, neg, negative, no, -, FALSE (e.g. benign)");
  negative_->setAccessibleName("Other negative codes");
  form->addRow("Other positive codes:", positive_);
  form->addRow("Other negative codes:", negative_);
  layout->addLayout(form);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(640, 520);
}

void TFSubjectImport::ColumnChanged(int test) {
  const int c = columns_[test]->currentIndex();
  if (c >= 0 && static_cast<std::size_t>(c) < columnNames_.size())
    names_[test]->setText(FromStd(columnNames_[static_cast<std::size_t>(c)]));
}

tSubjectChoice TFSubjectImport::Choice() const {
  tSubjectChoice choice;
  choice.a = columns_[0]->currentIndex() + 1;
  choice.b = columns_[1]->currentIndex() + 1;
  choice.gold = columns_[2]->currentIndex() + 1;
  choice.names = {names_[0]->text().trimmed().toStdString(), names_[1]->text().trimmed().toStdString()};
  choice.positive = positive_->text().trimmed();
  choice.negative = negative_->text().trimmed();
  return choice;
}

tTestNames TestNamesOf(const QWidget* document) {
  if (document == nullptr) return {};
  const QStringList names = document->property(kNamesProperty).toStringList();
  if (names.size() != 2) return {};
  return {names[0].toStdString(), names[1].toStdString()};
}

void SetTestNames(QWidget* document, const tTestNames& names) {
  document->setProperty(kNamesProperty, QStringList{FromStd(names.a), FromStd(names.b)});
}

TFTabla* ImportSubjectsFromChoice(tMainDesk& desk, const QString& path, const tSubjectChoice& choice) {
  tSubjectRequest request;
  request.positions = {choice.a, choice.b, choice.gold};
  std::string error;
  const std::string positive = choice.positive.toStdString();
  const std::string negative = choice.negative.toStdString();
  if (!request.coding.SetCodes(positive.empty() ? std::nullopt : std::optional<std::string_view>(positive),
                               negative.empty() ? std::nullopt : std::optional<std::string_view>(negative),
                               error)) {
    ShowError(kCaption, FromStd(error));
    return nullptr;
  }
  const tSubjectTable table = ReadSubjectFile(path.toStdString(), request);
  if (!table.ok) {
    ShowError(kCaption, FromStd(table.error));
    return nullptr;
  }
  const std::string source = QFileInfo(path).fileName().toStdString();
  if (table.cells[0] == 0) {
    ShowError(kCaption, QStringLiteral("%1: no subject with a result of A, of B and a disease status "
                                       "that can be read.").arg(FromStd(source)));
    return nullptr;
  }
  if (!table.excluded.empty()) {
    QStringList lines;
    lines << FromStd(ExclusionSummary(source, table)) + ".";
    const std::vector<std::string> details = ExclusionLines(source, table);
    constexpr std::size_t kShown = 10;
    for (std::size_t i = 0; i < details.size() && i < kShown; ++i) lines << FromStd(details[i]);
    if (details.size() > kShown) lines << QStringLiteral("... and %1 more").arg(details.size() - kShown);
    lines << "" << "Create the table without these rows?";
    const tAnswer answer = Ask(tMessageKind::Confirmation, kCaption, lines.join('\n'),
                               {tAnswer::Ok, tAnswer::Cancel}, tAnswer::Ok, tAnswer::Cancel);
    if (answer != tAnswer::Ok) return nullptr;
  }

  tRecordTableFile file;
  file.ok = true;
  file.table = RawDataTableOfCells(table.cells);
  file.kind = DBRawData;
  file.delimiter = '\t';
  file.decimals.assign(9, 0);
  TFTabla* document = nullptr;
  desk.CreateTable(QString(), [&](int number) {
    document = new TFTabla(&desk, false, true, false);
    document->NumTable = number;
    return document;
  });
  if (document == nullptr) return nullptr;
  if (QMdiSubWindow* frame = document->SubWindow()) frame->showMaximized();
  // No file behind the table ("N/A", as a new table): a save asks for a name and
  // never writes over the subjects' file.
  document->AdoptRecordFile(std::move(file), QStringLiteral("N/A"));
  const QString name = QFileInfo(path).completeBaseName() + " (subjects)";
  document->SetCaption(name);
  document->Alias = name;
  if (document->TreeNode != nullptr) tDocumentTree::SetText(document->TreeNode, name);
  if (choice.names.given()) SetTestNames(document, choice.names);
  desk.ActiveData_Set(document);
  document->ShowProperties();
  return document;
}

TFTabla* ImportSubjectsExecute(tMainDesk& desk, QWidget* dialogParent) {
  tFileRequest request;
  request.caption = kCaption;
  request.filter = "Delimited text (*.csv *.txt *.tsv *.tab *.dat);;All files (*)";
  const tFileAnswer answer = Questions().AskOpenFile(request);
  if (!answer.accepted) return nullptr;
  const tSubjectPreview preview = PreviewSubjectFile(answer.fileName.toStdString(), kPreviewRows);
  if (!preview.ok) {
    ShowError(kCaption, FromStd(preview.error));
    return nullptr;
  }
  if (preview.columns.size() < 3) {
    ShowError(kCaption, QStringLiteral("%1: the file has %2 column(s); test A, test B and the gold "
                                       "standard need three.")
                            .arg(answer.fileName)
                            .arg(preview.columns.size()));
    return nullptr;
  }
  TFSubjectImport dialog(answer.fileName, preview, dialogParent);
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  return ImportSubjectsFromChoice(desk, answer.fileName, dialog.Choice());
}

}  // namespace kovalin::app
