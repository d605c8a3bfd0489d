#pragma once

#include <QStringList>

#include "app/shell/mdi_child.h"

namespace kovalin::app {

// A document without a window: it records its saves and can be told to fail them.
class tPlainDocument : public TFMDIChild {
 public:
  explicit tPlainDocument(TFMDIParent* parent = nullptr, tFormType type = tFormType::F_Nil)
      : TFMDIChild(parent) {
    FormType = type;
  }
  bool SaveToFile(int mode) override {
    saves << QString("%1:%2").arg(mode).arg(pFileName);
    return saveSucceeds;
  }
  QStringList saves;
  bool saveSucceeds = true;
};

}  // namespace kovalin::app
