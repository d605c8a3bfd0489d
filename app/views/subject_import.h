#pragma once

#include <QDialog>
#include <QString>

#include "engine/test_names.h"
#include "tables/subject_table.h"

class QComboBox;
class QLineEdit;
class QTableWidget;

namespace kovalin::app {

class TFTabla;
class tMainDesk;

// What the import dialog chose: the three columns (from 1), the names of the
// tests, and the codes of one's own (empty: the built-in codes).
struct tSubjectChoice {
  int a = 1, b = 2, gold = 3;
  tTestNames names;
  QString positive, negative;
};

// The small dialog of "Import subjects...": the file's columns and first rows,
// a choice of the column of test A, of test B and of the gold standard, the
// names of the tests (the columns' names to start with) and, when the file uses
// codes of its own, those positive and negative codes.
class TFSubjectImport : public QDialog {
  Q_OBJECT
 public:
  TFSubjectImport(const QString& fileName, const tSubjectPreview& preview, QWidget* parent = nullptr);

  tSubjectChoice Choice() const;
  QComboBox* ColumnBox(int role) const { return columns_[role]; }  // 0 A, 1 B, 2 gold
  QLineEdit* NameEdit(int test) const { return names_[test]; }     // 0 A, 1 B
  QLineEdit* PositiveEdit() const { return positive_; }
  QLineEdit* NegativeEdit() const { return negative_; }
  QTableWidget* PreviewTable() const { return preview_; }

 private:
  void ColumnChanged(int role);

  std::vector<std::string> columnNames_;
  QComboBox* columns_[3];
  QLineEdit* names_[2];
  QLineEdit* positive_;
  QLineEdit* negative_;
  QTableWidget* preview_;
};

// The table names of a document made by the import, kept with the document
// for the analyses of its records; none for any other document.
tTestNames TestNamesOf(const QWidget* document);
void SetTestNames(QWidget* document, const tTestNames& names);

// Counts the file with the choice and, when some rows cannot be counted, asks
// whether to go on without them; then a new raw-data table document with one
// record, the eight cells. A file or a choice that gives no table shows why
// and creates nothing.
TFTabla* ImportSubjectsFromChoice(tMainDesk& desk, const QString& path, const tSubjectChoice& choice);

// The whole command: the file dialog, the column dialog, the table.
TFTabla* ImportSubjectsExecute(tMainDesk& desk, QWidget* dialogParent);

}  // namespace kovalin::app
