#pragma once

#include <QString>

#include "app/settings/settings_record.h"

namespace kovalin::app {

// The key and value names of the stored settings, below "SOFTWARE" of the
// machine-wide store.
inline constexpr char kSettingsKey[] = "Common";
inline constexpr char kSettingsValueName[] = "Options";

struct tStoreResult {
  bool ok = true;
  QString location;  // where the store keeps its data, for a message
  QString reason;    // why it failed, when it did
};

// A hierarchical store of named binary values with a machine-wide root. The three
// operations work on "SOFTWARE\Quillon\<key>" and its value `valueName`.
class tSettingsStore {
 public:
  virtual ~tSettingsStore() = default;
  // True when a binary value of 1 to 16 bytes was found; it fills that many bytes of
  // `record`. A value that is not binary, is empty or is longer than 16 bytes counts
  // as missing and leaves `record` alone. Nothing is created when "Quillon" is missing.
  virtual bool ReadSettings(const QString& key, const QString& valueName,
                            tSettingsRec& record) = 0;
  virtual tStoreResult WriteSettings(const QString& key, const QString& valueName,
                                     const tSettingsRec& record) = 0;
  // Removes "Quillon" with everything below it.
  virtual tStoreResult DeleteSettings() = 0;
};

// The desktop's store: a QSettings file of the system scope (on Linux
// /etc/xdg/SOFTWARE.conf), groups "Quillon/<key>", one byte-array value.
class tQSettingsStore : public tSettingsStore {
 public:
  // The machine-wide file of the system scope.
  tQSettingsStore();
  // Any other settings file (INI format).
  explicit tQSettingsStore(const QString& fileName);

  bool ReadSettings(const QString& key, const QString& valueName, tSettingsRec& record) override;
  tStoreResult WriteSettings(const QString& key, const QString& valueName,
                             const tSettingsRec& record) override;
  tStoreResult DeleteSettings() override;

  QString FileName() const;

 private:
  QString fileName_;  // empty: the system scope
};

// The process-wide store: the desktop's unless a test set another (not owned).
tSettingsStore& SettingsStore();
void SetSettingsStore(tSettingsStore* store);

}  // namespace kovalin::app
