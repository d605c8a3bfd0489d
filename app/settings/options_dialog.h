#pragma once

#include <QDialog>
#include <QList>

#include "app/settings/options_logic.h"

class QCheckBox;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace kovalin::app {

class TNumIO2;

// The Options dialog over AppOptions. Creating it is the opening: alpha 0.05,
// decimals 4 and SimOutDecimals 4 are set at once and stay even after Cancel.
// OK puts the form into AppOptions, SimOutDecimals and SimOutWidth.
class TFMethods : public QDialog {
  Q_OBJECT

 public:
  TFMethods(QWidget* parent, tOptionsVariant variant);

  // The form as the controls hold it now (decimals as the field's leaving rule reads them).
  tOptionsForm Form() const;

  QCheckBox* MethodBox(int index) const { return methods_[index]; }  // 0: "d"
  QPushButton* MethodButton(tMethodButton button) const;
  TNumIO2* CorrectionField() const { return correction_; }
  QSpinBox* DecimalsField() const { return decimals_; }
  QCheckBox* FullOutputBox() const { return fullOutput_; }
  QCheckBox* ExtendedOutputBox() const { return extendedOutput_; }
  QCheckBox* NpvOutputBox() const { return npvOutput_; }
  QRadioButton* AlphaButton(tAlphaChoice choice) const;
  QPushButton* OkButton() const { return ok_; }

  void accept() override;

 private:
  QWidget* BuildMethods();
  QWidget* BuildParameters();
  QWidget* BuildOutput();
  void Press(tMethodButton button);
  void Show(const tOptionsForm& form);

  QList<QCheckBox*> methods_;
  QList<QPushButton*> methodButtons_;
  TNumIO2* correction_ = nullptr;
  QRadioButton* alpha010_ = nullptr;
  QRadioButton* alpha005_ = nullptr;
  QRadioButton* alpha001_ = nullptr;
  QSpinBox* decimals_ = nullptr;
  QCheckBox* fullOutput_ = nullptr;
  QCheckBox* extendedOutput_ = nullptr;
  QCheckBox* npvOutput_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace kovalin::app
