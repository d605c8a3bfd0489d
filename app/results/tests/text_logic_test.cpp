#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/results/results_save.h"
#include "app/results/text_logic.h"

namespace kovalin::app {
namespace {

QByteArray ReadAll(const QString& name) {
  QFile f(name);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly));
  return f.readAll();
}

TEST(TextLogic, ShortFileNameKeepsThirtyCharactersAndCutsLongerNames) {
  const QString thirty = "/home/u/simulations/abcdefghij";
  ASSERT_EQ(thirty.size(), 30);
  EXPECT_EQ(ShortFileName(thirty), thirty);
  const QString longer = "/home/user/simulations/table_IC_0001.txt";
  EXPECT_EQ(ShortFileName(longer), "/home..." + longer.right(23));
  EXPECT_EQ(ShortFileName(longer).size(), 31);
  EXPECT_EQ(CaretPositionText(3, 12), "    3:   12");
}

TEST(TextLogic, SaveProposalStemsAndCounter) {
  ResultsSaveCounter = 1;
  // A numbered caption is proposed as it is and leaves the counter alone.
  tResultsSaveProposal p = ProposeResultsSave("Results 2.1", false);
  EXPECT_EQ(p.proposedName, "Results 2.1");
  EXPECT_EQ(p.defaultSuffix, "txt");
  EXPECT_EQ(p.selectedFilter, "Plain text (*.txt)");
  EXPECT_EQ(ResultsSaveCounter, 1);
  // A bare "Results" stem takes the counter, two digits at least.
  EXPECT_EQ(ProposeResultsSave("Results (x)", false).proposedName, "Results01");
  EXPECT_EQ(ProposeResultsSave("Results (x)", false).proposedName, "Results02");
  for (int i = 3; i < 10; ++i) ProposeResultsSave("results:y", false);
  p = ProposeResultsSave("Results (x)", true);
  EXPECT_EQ(p.stem, "Results10");
  EXPECT_EQ(p.proposedName, "Results10");
  EXPECT_EQ(p.defaultSuffix, "rtf");
  EXPECT_EQ(p.selectedFilter, "Reach text format (*.rtf)");
  EXPECT_EQ(ResultsSaveCounter, 11);
  // Stems shorter than two characters.
  EXPECT_EQ(ProposeResultsSave("a:b", true).proposedName, "*");
  EXPECT_EQ(ProposeResultsSave("(x)", true).proposedName, "*");
  EXPECT_EQ(ProposeResultsSave("a:b", false).proposedName, "a:b");
  EXPECT_EQ(p.filter,
            "Reach text format (*.rtf);;Plain text (*.txt);;All files (*.*)");
}

TEST(TextLogic, RichTextEscapesReservedAndNonAsciiCharacters) {
  const QByteArray rtf = RichTextOf({QString::fromUtf8("\xC2\xB7Se {x}\\ \xC2\xB1" "1\t\xE2\x80\x94"), ""});
  EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
  EXPECT_TRUE(rtf.contains("\\f0\\fs20 \\u183?Se \\{x\\}\\\\ \\u177?1\\tab \\u8212?\\par\r\n\\par\r\n}"))
      << rtf.constData();
  // Nothing beyond ASCII reaches the file itself.
  for (const char c : rtf) EXPECT_LT(static_cast<unsigned char>(c), 0x80);
}

TEST(TextLogic, SavePicksRichTextByNameAndWritesPlainTextWithCrLf) {
  QTemporaryDir dir;
  const QStringList lines = {QString::fromUtf8("\xC2\xB7PPV  \xC2\xB1"), "", "end"};
  QString error;
  ASSERT_TRUE(SaveTextLines(dir.filePath("out.Rtf"), lines, error)) << error.toStdString();
  EXPECT_TRUE(ReadAll(dir.filePath("out.Rtf")).startsWith("{\\rtf1"));
  for (const QString name : {"out.txt", "out"}) {
    ASSERT_TRUE(SaveTextLines(dir.filePath(name), lines, error));
    EXPECT_EQ(ReadAll(dir.filePath(name)), "\xC2\xB7PPV  \xC2\xB1\r\n\r\nend\r\n");
    QStringList back;
    ASSERT_TRUE(LoadTextLines(dir.filePath(name), back, error));
    EXPECT_EQ(back, lines);
  }
  // A folder that does not exist: the file name and the reason.
  EXPECT_FALSE(SaveTextLines(dir.filePath("none/out.txt"), lines, error));
  EXPECT_TRUE(error.contains("none/out.txt"));
  QStringList none;
  EXPECT_FALSE(LoadTextLines(dir.filePath("missing.txt"), none, error));
  EXPECT_TRUE(error.contains("missing.txt"));
}

TEST(TextLogic, LoadReadsEveryLineEndAndLatin1) {
  QTemporaryDir dir;
  QFile f(dir.filePath("mixed.txt"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("a\r\nb\nc\rd\xB1");
  f.close();
  QStringList lines;
  QString error;
  ASSERT_TRUE(LoadTextLines(f.fileName(), lines, error));
  EXPECT_EQ(lines, (QStringList{"a", "b", "c", QString::fromUtf8("d\xC2\xB1")}));
}

}  // namespace
}  // namespace kovalin::app
