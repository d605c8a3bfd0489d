#include "app/settings/settings_store.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QVariant>

#include <memory>

namespace kovalin::app {

namespace {

constexpr char kRoot[] = "SOFTWARE";
constexpr char kCompany[] = "Quillon";

tSettingsStore* current = nullptr;

std::unique_ptr<QSettings> Open(const QString& fileName) {
  if (fileName.isEmpty()) {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::SystemScope, kRoot);
  }
  return std::make_unique<QSettings>(fileName, QSettings::IniFormat);
}

// QSettings only says that it could not write; find the cause on the way to the file.
QString WriteFailureReason(const QString& fileName) {
  const QFileInfo file(fileName);
  if (file.exists() && !file.isWritable()) return QStringLiteral("no permission to write the file");
  if (file.exists() && !file.isFile()) return QStringLiteral("it is not a file");
  QString folder = file.absolutePath();
  while (!QFileInfo::exists(folder)) {
    const QString parent = QFileInfo(folder).absolutePath();
    if (parent == folder) break;
    folder = parent;
  }
  const QFileInfo existing(folder);
  if (!existing.isDir()) return QStringLiteral("%1 is not a folder").arg(QDir::toNativeSeparators(folder));
  if (!existing.isWritable()) {
    return QStringLiteral("no permission to write in %1").arg(QDir::toNativeSeparators(folder));
  }
  return QStringLiteral("the file could not be written");
}

tStoreResult Finish(QSettings& settings) {
  settings.sync();
  tStoreResult result;
  result.location = QDir::toNativeSeparators(settings.fileName());
  if (settings.status() != QSettings::NoError || !settings.isWritable()) {
    result.ok = false;
    result.reason = settings.status() == QSettings::FormatError
                        ? QStringLiteral("the file is not a settings file")
                        : WriteFailureReason(settings.fileName());
  }
  return result;
}

}  // namespace

tQSettingsStore::tQSettingsStore() = default;
tQSettingsStore::tQSettingsStore(const QString& fileName) : fileName_(fileName) {}

QString tQSettingsStore::FileName() const { return Open(fileName_)->fileName(); }

bool tQSettingsStore::ReadSettings(const QString& key, const QString& valueName,
                                   tSettingsRec& record) {
  const auto settings = Open(fileName_);
  if (!settings->childGroups().contains(kCompany)) return false;
  settings->beginGroup(kCompany);
  if (!settings->childGroups().contains(key)) return false;
  settings->beginGroup(key);
  const QVariant value = settings->value(valueName);
  if (value.typeId() != QMetaType::QByteArray) return false;
  const QByteArray bytes = value.toByteArray();
  if (bytes.isEmpty() || bytes.size() > static_cast<qsizetype>(kSettingsRecSize)) return false;
  FillSettingsBytes(record, reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                    static_cast<std::size_t>(bytes.size()));
  return true;
}

tStoreResult tQSettingsStore::WriteSettings(const QString& key, const QString& valueName,
                                            const tSettingsRec& record) {
  const auto settings = Open(fileName_);
  const tSettingsBytes bytes = EncodeSettings(record);
  settings->beginGroup(kCompany);
  settings->beginGroup(key);
  settings->setValue(valueName, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                           static_cast<qsizetype>(bytes.size())));
  settings->endGroup();
  settings->endGroup();
  return Finish(*settings);
}

tStoreResult tQSettingsStore::DeleteSettings() {
  const auto settings = Open(fileName_);
  if (!settings->childGroups().contains(kCompany)) {
    tStoreResult nothing;
    nothing.location = QDir::toNativeSeparators(settings->fileName());
    return nothing;
  }
  settings->remove(kCompany);
  return Finish(*settings);
}

tSettingsStore& SettingsStore() {
  if (current != nullptr) return *current;
  static tQSettingsStore desktop;
  return desktop;
}

void SetSettingsStore(tSettingsStore* store) { current = store; }

}  // namespace kovalin::app
