#include <QByteArray>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/settings/settings_commands.h"
#include "app/settings/settings_state.h"
#include "app/settings/settings_store.h"
#include "app/testing/scripted_questions.h"

namespace kovalin::app {
namespace {

class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ScriptedQuestions().Reset();
    ProgramSettings = tSettingsRec{};
    DefaultsPending = true;
  }
  QString StoreFile() const { return dir_.filePath("store/SOFTWARE.conf"); }
  void PutRaw(const QVariant& value) {
    QSettings raw(StoreFile(), QSettings::IniFormat);
    raw.setValue("Quillon/Common/Options", value);
  }
  tSettingsRec Stored(std::int32_t iterations) {
    tSettingsRec record;
    record.Iterations = iterations;
    record.CheckNewVersion = 1;
    return record;
  }

  QTemporaryDir dir_;
};

TEST_F(SettingsStoreTest, KillregInAnyLetterCaseStartsWithTheDefaults) {
  tQSettingsStore store(StoreFile());
  ASSERT_TRUE(store.WriteSettings(kSettingsKey, kSettingsValueName, Stored(5000)).ok);

  // Only the first command-line argument counts.
  StartSettings({"kovalin", "data.mrd", "killreg"}, store);
  EXPECT_EQ(ProgramSettings.Iterations, 5000);
  EXPECT_TRUE(ProgramSettings.CheckNewVersion);

  ProgramSettings.Iterations = 777;
  EXPECT_TRUE(StartSettings({"kovalin", "-KiLLReG"}, store).ok);
  EXPECT_EQ(ProgramSettings, tSettingsRec{});
  EXPECT_EQ(ProgramSettings.Tolerance, 10);
  EXPECT_EQ(ProgramSettings.Decimals, 3);
  EXPECT_EQ(ProgramSettings.RTFDocument, 1);
  EXPECT_EQ(ProgramSettings.CheckNewVersion, 0);
  EXPECT_TRUE(DefaultsPending);
  // Gone from the store, not just ignored for the run.
  tSettingsRec probe;
  EXPECT_FALSE(store.ReadSettings(kSettingsKey, kSettingsValueName, probe));
  EXPECT_FALSE(QSettings(StoreFile(), QSettings::IniFormat).childGroups().contains("Quillon"));
}

TEST_F(SettingsStoreTest, AStoredValueOfTheWrongSizeOrKind) {
  tQSettingsStore store(StoreFile());
  tSettingsRec record;
  record.Iterations = 4242;

  PutRaw(QByteArray(17, '\x01'));
  EXPECT_FALSE(store.ReadSettings(kSettingsKey, kSettingsValueName, record));
  PutRaw(QString("0123456789abcdef"));
  EXPECT_FALSE(store.ReadSettings(kSettingsKey, kSettingsValueName, record));
  PutRaw(QByteArray());
  EXPECT_FALSE(store.ReadSettings(kSettingsKey, kSettingsValueName, record));
  EXPECT_EQ(record.Iterations, 4242);

  // Five bytes: the iterations and the lowest byte of the tolerance, nothing more.
  PutRaw(QByteArray("\x10\x27\x00\x00\x0c", 5));
  EXPECT_TRUE(store.ReadSettings(kSettingsKey, kSettingsValueName, record));
  tSettingsRec expected;
  expected.Iterations = 10000;
  expected.Tolerance = 12;
  EXPECT_EQ(record, expected);

  // At program start a value that counts as missing gives the defaults.
  PutRaw(QByteArray(20, '\x05'));
  ProgramSettings.Iterations = 1;
  StartSettings({"kovalin"}, store);
  EXPECT_EQ(ProgramSettings, tSettingsRec{});
}

TEST_F(SettingsStoreTest, TheStoredBytesAreLittleEndianWithTheReservedBytesKept) {
  tQSettingsStore store(StoreFile());
  tSettingsRec record;
  record.Iterations = 0x01020304;
  record.Tolerance = -2;
  record.reserved = {0xAB, 0xCD};
  ASSERT_TRUE(store.WriteSettings(kSettingsKey, kSettingsValueName, record).ok);
  const QByteArray raw =
      QSettings(StoreFile(), QSettings::IniFormat).value("Quillon/Common/Options").toByteArray();
  EXPECT_EQ(raw, QByteArray("\x04\x03\x02\x01\xfe\xff\xff\xff\x03\x00\x00\x00\x01\x00\xab\xcd", 16));
  tSettingsRec back;
  ASSERT_TRUE(store.ReadSettings(kSettingsKey, kSettingsValueName, back));
  EXPECT_EQ(back, record);
}

TEST_F(SettingsStoreTest, TheRecordIsReloadedAtEachOpening) {
  tQSettingsStore store(StoreFile());
  // Nothing stored: the first opening brings the defaults, later ones keep the last OK.
  ProgramSettings.Iterations = 123;
  EXPECT_FALSE(ReloadSettings(store));
  EXPECT_EQ(ProgramSettings.Iterations, 1000);
  ConfirmSettings(Stored(2000), false, store);
  EXPECT_FALSE(ReloadSettings(store));
  EXPECT_EQ(ProgramSettings.Iterations, 2000);

  // Once stored, values confirmed without "Set as default options" last until the next opening.
  ConfirmSettings(Stored(3000), true, store);
  ConfirmSettings(Stored(4000), false, store);
  EXPECT_EQ(ProgramSettings.Iterations, 4000);
  EXPECT_TRUE(ReloadSettings(store));
  EXPECT_EQ(ProgramSettings.Iterations, 3000);
  EXPECT_TRUE(ScriptedQuestions().Messages().isEmpty());
}

TEST_F(SettingsStoreTest, AnUnwritableStoreKeepsTheValuesAndSaysWhereAndWhy) {
  // A file where the store's folder should be: not writable, even for root.
  QFile blocker(dir_.filePath("blocked"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  tQSettingsStore store(dir_.filePath("blocked/xdg/SOFTWARE.conf"));

  ScriptedQuestions().AnswerNext(tAnswer::Ok);
  ConfirmSettings(Stored(6000), true, store);
  EXPECT_EQ(ProgramSettings.Iterations, 6000);
  ASSERT_EQ(ScriptedQuestions().Messages().size(), 1);
  const tMessage& message = ScriptedQuestions().Messages()[0];
  EXPECT_EQ(message.kind, tMessageKind::Warning);
  EXPECT_TRUE(message.text.contains(dir_.filePath("blocked/xdg/SOFTWARE.conf"))) << message.text.toStdString();
  EXPECT_TRUE(message.text.contains(dir_.filePath("blocked") + " is not a folder"))
      << message.text.toStdString();
  EXPECT_TRUE(ScriptedQuestions().AllAnswersUsed());

}

// A store that holds a record and cannot be changed.
class tLockedStore : public tSettingsStore {
 public:
  bool ReadSettings(const QString&, const QString&, tSettingsRec& record) override {
    record.Iterations = 9000;
    return true;
  }
  tStoreResult WriteSettings(const QString&, const QString&, const tSettingsRec&) override {
    return Locked();
  }
  tStoreResult DeleteSettings() override { return Locked(); }
  static tStoreResult Locked() { return {false, "/etc/xdg/SOFTWARE.conf", "no permission"}; }
};

TEST_F(SettingsStoreTest, KillregThatCannotDeleteStillStartsWithTheDefaults) {
  tLockedStore locked;
  SetSettingsStore(&locked);
  ScriptedQuestions().AnswerNext(tAnswer::Ok);
  StartSettings(QStringList{"kovalin", "KillReg"});
  SetSettingsStore(nullptr);
  EXPECT_EQ(ProgramSettings, tSettingsRec{});
  ASSERT_EQ(ScriptedQuestions().Messages().size(), 1);
  EXPECT_TRUE(ScriptedQuestions().Messages()[0].text.contains("/etc/xdg/SOFTWARE.conf: no permission"));
}

}  // namespace
}  // namespace kovalin::app
