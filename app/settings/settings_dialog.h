#pragma once

#include <QDialog>

#include "app/settings/settings_store.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kovalin::app {

// The Settings dialog. Creating it reloads the settings record from the store;
// OK puts the fields into the record and, with "Set as default options", stores it.
class TForm_Orsino_Cnf : public QDialog {
  Q_OBJECT

 public:
  TForm_Orsino_Cnf(QWidget* parent, tSettingsStore& store);

  QLineEdit* Field(int tag) const;  // kTagIterations, kTagTolerance, kTagDecimals
  QCheckBox* RichTextBox() const { return richText_; }
  QCheckBox* VersionBox() const { return version_; }
  QCheckBox* SetAsDefaultBox() const { return setAsDefault_; }
  QPushButton* OkButton() const { return ok_; }
  QString StatusText() const;

  void accept() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QLineEdit* AddField(QWidget* group, int tag);
  void ShowStatus(int tag);
  void FieldEdited(QLineEdit* field);
  void WatchTags();

  tSettingsStore& store_;
  QLineEdit* iterations_ = nullptr;
  QLineEdit* tolerance_ = nullptr;
  QLineEdit* decimals_ = nullptr;
  QCheckBox* richText_ = nullptr;
  QCheckBox* version_ = nullptr;
  QCheckBox* setAsDefault_ = nullptr;
  QPushButton* ok_ = nullptr;
  QLabel* status_ = nullptr;
};

}  // namespace kovalin::app
