#include <QAction>
#include <QPushButton>
#include <QTextBrowser>
#include <QWidget>

#include <gtest/gtest.h>

#include "app/periphery/about_box.h"
#include "app/periphery/build_info.h"
#include "app/periphery/guide_window.h"
#include "app/periphery/periphery_commands.h"
#include "app/periphery/tests/periphery_fixture.h"
#include "app/periphery/version_window.h"

namespace kovalin::app::testing {
namespace {

class PeripheryCommands : public PeripheryTest {
 protected:
  void SetUp() override {
    PeripheryTest::SetUp();
    for (QAction** action : {&actions.exampleTables, &actions.website, &actions.proposal,
                             &actions.citation, &actions.about, &actions.checkVersion,
                             &actions.userGuide}) {
      *action = new QAction(&mainWindow);
    }
    actions.status = [this](const QString& text) { statusTexts.append(text); };
    ConnectPeripheryActions(actions, &mainWindow);
  }

  QWidget mainWindow;
  tPeripheryActions actions;
  QStringList statusTexts;
};

TEST_F(PeripheryCommands, WebPagesOpenBelowTheBaseAddressAndFailuresSayUnableToConnect) {
  actions.website->trigger();
  actions.exampleTables->trigger();
  actions.proposal->trigger();
  ASSERT_EQ(opener.opened.size(), 3);
  EXPECT_EQ(opener.opened[0], server.Url("kovalin/"));
  EXPECT_EQ(opener.opened[1], server.Url("kovalin/examples.php"));
  EXPECT_EQ(opener.opened[2], server.Url("kovalin/cmd.php?seccion=proposal"));
  EXPECT_TRUE(ScriptedQuestions().Messages().isEmpty());

  opener.succeed = false;
  ScriptedQuestions().AnswerNext(tAnswer::Ok);
  actions.website->trigger();
  EXPECT_EQ(MessageTexts(), QStringList({"Unable to connect"}));
}

TEST_F(PeripheryCommands, ShellOpenStartsNothingButWebAndMailAddresses) {
  EXPECT_FALSE(ShellOpen(QUrl("file:///etc/passwd")));
  EXPECT_FALSE(ShellOpen(QUrl("javascript:alert(1)")));
  EXPECT_FALSE(ShellOpen(QUrl("http://")));
  EXPECT_TRUE(opener.opened.isEmpty());
  EXPECT_TRUE(ShellOpen(QUrl("mailto:kovalin@example.org")));
  EXPECT_TRUE(ShellOpen(QUrl("HTTPS://example.org/x")));
  EXPECT_EQ(opener.opened.size(), 2);
}

TEST_F(PeripheryCommands, UserGuideShowsTheGuideBesideTheWindowOnceAndOpensWebLinksOutside) {
  actions.userGuide->trigger();
  const QList<TFGuide*> guides = mainWindow.findChildren<TFGuide*>();
  ASSERT_EQ(guides.size(), 1);
  TFGuide* guide = guides.front();
  EXPECT_TRUE(guide->isVisible());
  EXPECT_FALSE(guide->isModal());
  // The guide's own text, rendered: its title and the headings a reader looks for.
  const QString text = guide->Browser()->toPlainText();
  EXPECT_TRUE(text.startsWith("Kovalin user guide")) << text.left(80).toStdString();
  EXPECT_TRUE(text.contains("The 21 methods"));
  EXPECT_TRUE(text.contains("The parameter table"));
  EXPECT_EQ(UserGuideText().left(20), QStringLiteral("# Kovalin user guide"));

  actions.userGuide->trigger();
  EXPECT_EQ(mainWindow.findChildren<TFGuide*>().size(), 1);

  emit guide->Browser()->anchorClicked(QUrl("https://example.org/paper"));
  ASSERT_EQ(opener.opened.size(), 1);
  EXPECT_EQ(opener.opened[0], QUrl("https://example.org/paper"));
  emit guide->Browser()->anchorClicked(QUrl("#the-21-methods"));
  EXPECT_EQ(opener.opened.size(), 1);
}

TEST_F(PeripheryCommands, AboutAndCitationOpenTheBoxOnTheirPages) {
  server.Serve("<html><body>Citation</body></html>", "text/html");
  actions.about->trigger();
  actions.citation->trigger();
  const QList<TFAbout*> boxes = mainWindow.findChildren<TFAbout*>();
  ASSERT_EQ(boxes.size(), 2);
  EXPECT_EQ(boxes[0]->CurrentPage(), 2);
  EXPECT_EQ(boxes[1]->CurrentPage(), 3);
  for (TFAbout* box : boxes) {
    EXPECT_TRUE(box->isVisible());
    EXPECT_FALSE(box->ForwardButton()->isHidden());
    EXPECT_TRUE(box->testAttribute(Qt::WA_DeleteOnClose));
  }
  EXPECT_TRUE(WaitFor([&] { return boxes[1]->WebRefs_cargada(); }));
  EXPECT_TRUE(boxes[1]->CitationView()->toPlainText().contains("Citation"));
}

TEST_F(PeripheryCommands, TheManualCheckReadsTheVersionFileOfTheWebSite) {
  server.Serve("<Application name=\"Kovalin\"><version><numstr>20E</numstr><yymmdd>" +
               QByteArray::number(BuildNumber) + "</yymmdd></version></Application>");
  actions.checkVersion->trigger();
  const QList<TVersion*> windows = mainWindow.findChildren<TVersion*>();
  ASSERT_EQ(windows.size(), 1);
  EXPECT_EQ(windows[0]->Message(), "You are using the latest version of Orsino");
  EXPECT_EQ(statusTexts, QStringList({"Cheking for updates, please wait...", ""}));
  EXPECT_EQ(server.Requests(), 1);
}

}  // namespace
}  // namespace kovalin::app::testing
