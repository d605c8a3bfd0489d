#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "app/shell/main_window.h"
#include "app/testing/scripted_questions.h"
#include "app/views/data_table_document.h"
#include "app/views/table_registration.h"

namespace kovalin::app {

TEST(TableRegistration, KillregIsNoFileOnlyAsTheFirstArgument) {
  EXPECT_EQ(FilesToOpen({"kovalin", "-KILLREG", "a.txt"}), QStringList{"a.txt"});
  EXPECT_EQ(FilesToOpen({"kovalin", "a.txt", "killreg.txt"}), (QStringList{"a.txt", "killreg.txt"}));
}

TEST(TableRegistration, FilesOfTheCommandLineOpenAfterStartUp) {
  ScriptedQuestions().Reset();
  CurrentTableSettings = rTableSettings{};
  QTemporaryDir dir;
  auto write = [&](const QString& name, const QByteArray& bytes) {
    QFile f(dir.filePath(name));
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return f.fileName();
  };
  const QString records = write("trial.csv", "Id,X[1],X[2]\r\n1,3,4\r\n");
  const QString xml = write("t.xml",
      "<dataset><table><title>T</title><dim><dimrows>1</dimrows><dimcols>1</dimcols></dim>"
      "<sampling>0</sampling><cells><cell><row>1</row><col>1</col><val>7</val></cell></cells></table></dataset>");
  {
    TFMain window;
    ConnectTableCommands(window, {"kovalin", "killreg", records, xml});
    EXPECT_TRUE(window.DocumentsFrontToBack().isEmpty());  // not before the event loop runs
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.DocumentsFrontToBack().size() == 2; }));
    auto* table = dynamic_cast<TFTabla*>(window.DocumentsFrontToBack().back());
    auto* loaded = dynamic_cast<TFTabla*>(window.DocumentsFrontToBack().front());
    ASSERT_TRUE(table != nullptr && loaded != nullptr);
    EXPECT_EQ(table->Caption(), "trial");
    EXPECT_EQ(table->pDBtype, DBRawData);  // a spreadsheet's comma CSV
    EXPECT_DOUBLE_EQ(loaded->Frequencies().Value(1, 1), 7);
    EXPECT_TRUE(window.CommandAction(tCommand::Open) != nullptr);
    for (TFMDIChild* d : window.DocumentsFrontToBack()) d->IsCloseQuery = false;
  }
  CurrentTableSettings = rTableSettings{};
}

}  // namespace kovalin::app
