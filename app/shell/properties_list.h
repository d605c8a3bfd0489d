#pragma once

#include <QStandardItemModel>
#include <QString>

namespace kovalin::app {

// The side panel's two-column key/value list, as a model its view shows.
class tPropertiesList {
 public:
  tPropertiesList();
  QStandardItemModel* Model() { return &model_; }

  void Clear();
  void AddRow(const QString& name, const QString& value);
  void SetTitles(const QString& first, const QString& second);
  int RowCount() const { return model_.rowCount(); }
  QString Name(int row) const;
  QString Value(int row) const;
  QString Title(int column) const;

 private:
  QStandardItemModel model_;
};

}  // namespace kovalin::app
