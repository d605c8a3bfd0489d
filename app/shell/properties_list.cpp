#include "app/shell/properties_list.h"

namespace kovalin::app {

tPropertiesList::tPropertiesList() : model_(0, 2) { SetTitles({}, {}); }

void tPropertiesList::Clear() { model_.removeRows(0, model_.rowCount()); }

void tPropertiesList::AddRow(const QString& name, const QString& value) {
  auto* key = new QStandardItem(name);
  auto* item = new QStandardItem(value);
  key->setEditable(false);
  item->setEditable(false);
  model_.appendRow({key, item});
}

void tPropertiesList::SetTitles(const QString& first, const QString& second) {
  model_.setHorizontalHeaderLabels({first, second});
}

QString tPropertiesList::Name(int row) const { return model_.item(row, 0)->text(); }
QString tPropertiesList::Value(int row) const { return model_.item(row, 1)->text(); }

QString tPropertiesList::Title(int column) const {
  return model_.headerData(column, Qt::Horizontal).toString();
}

}  // namespace kovalin::app
