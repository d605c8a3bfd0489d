#pragma once

#include <QDialog>

#include "tables/table_types.h"

class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QStatusBar;

namespace kovalin::app {

// "Open or create data table": the problem title, open or new, and the input
// format of a new table. OK gives the choices as a tTableOption.
class TFTable_Settings : public QDialog {
  Q_OBJECT
 public:
  static constexpr const char* kTitleHint = "The problem title will be used as label in the browser";
  static constexpr const char* kOkHint = "Apply settings and close this form";

  explicit TFTable_Settings(QWidget* parent = nullptr);

  tTableOption Options() const;
  QString Hint() const;

  QLineEdit* TitleEdit() const { return title_; }
  QRadioButton* OpenFileChoice() const { return openFile_; }
  QRadioButton* NewFileChoice() const { return newFile_; }
  QRadioButton* ParametersChoice() const { return parameters_; }
  QRadioButton* RawChoice() const { return raw_; }
  QListWidget* Parametrization() const { return parametrization_; }
  QPushButton* OkButton() const { return ok_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void UpdateEnabling();

  QGroupBox* titleGroup_;
  QLineEdit* title_;
  QRadioButton* openFile_;
  QRadioButton* newFile_;
  QGroupBox* formatGroup_;
  QRadioButton* parameters_;
  QRadioButton* raw_;
  QGroupBox* parametrizationGroup_;
  QListWidget* parametrization_;
  QPushButton* ok_;
  QStatusBar* status_;
};

}  // namespace kovalin::app
