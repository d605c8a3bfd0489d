#include <QElapsedTimer>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

#include "app/periphery/link_label.h"
#include "app/periphery/tests/periphery_fixture.h"
#include "app/periphery/version_check.h"
#include "app/periphery/version_window.h"

namespace kovalin::app::testing {
namespace {

constexpr std::int32_t kBuild = 230222;

QByteArray VersionFile(const char* yymmdd, const char* numstr = "20F") {
  // "yymmdd" before "numstr": the order of the children is free.
  return QByteArray("<?xml version=\"1.0\"?>\n<Application name=\"Kovalin\">\n  <version>\n"
                    "    <yymmdd>") + yymmdd + "</yymmdd>\n    <numstr>" + numstr +
         "</numstr>\n  </version>\n</Application>\n";
}

class VersionCheck : public PeripheryTest {
 protected:
  tVersionCheckResult Check(bool automatic, std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    tVersionCheckOptions options;
    options.address = server.Url(QStringLiteral("kovalin/version.xml"));
    options.limit = limit;
    options.buildNumber = kBuild;
    options.status = [this](const QString& text) { statusTexts.append(text); };
    return CheckVersion(&mainWindow, automatic, options);
  }

  QWidget mainWindow;
  QStringList statusTexts;
};

TEST_F(VersionCheck, SameNumberIsTheLatestOnTheManualCheckAndSilentOnTheAutomaticOne) {
  server.Serve(VersionFile("230222"));
  tVersionCheckResult manual = Check(false);
  EXPECT_EQ(manual.outcome, tVersionOutcome::Latest) << manual.error.toStdString();
  ASSERT_TRUE(manual.window);
  EXPECT_EQ(manual.window->windowTitle(), "Orsino");
  EXPECT_EQ(manual.window->Message(), "You are using the latest version of Orsino");
  EXPECT_FALSE(manual.window->LinkShown());
  EXPECT_EQ(statusTexts, QStringList({"Cheking for updates, please wait...", ""}));
  manual.window->CloseButton()->click();

  statusTexts.clear();
  const tVersionCheckResult automatic = Check(true);
  EXPECT_EQ(automatic.outcome, tVersionOutcome::Latest);
  EXPECT_FALSE(automatic.window);
  for (const TVersion* window : mainWindow.findChildren<TVersion*>()) {
    EXPECT_FALSE(window->isVisible());
  }
  EXPECT_EQ(statusTexts, QStringList({""}));
  EXPECT_TRUE(ScriptedQuestions().Messages().isEmpty());
  EXPECT_EQ(server.Requests(), 2);
}

class VersionCheckOtherNumber : public VersionCheck,
                                public ::testing::WithParamInterface<const char*> {};

// Only equality counts: an older file is offered as a new version too.
TEST_P(VersionCheckOtherNumber, IsReportedAsANewVersionWithItsName) {
  server.Serve(VersionFile(GetParam(), " 20F "));
  const tVersionCheckResult manual = Check(false);
  EXPECT_EQ(manual.outcome, tVersionOutcome::NewVersion) << manual.error.toStdString();
  ASSERT_TRUE(manual.window);
  EXPECT_EQ(manual.window->Message(), "There is a new version 20F of Orsino!!");
  EXPECT_TRUE(manual.window->LinkShown());
  EXPECT_EQ(manual.version.appname, "Kovalin");

  const tVersionCheckResult automatic = Check(true);
  ASSERT_TRUE(automatic.window);
  EXPECT_EQ(automatic.window->Message(), "There is a new version 20F of Kovalin!!");
  EXPECT_TRUE(automatic.window->LinkShown());
  EXPECT_TRUE(ScriptedQuestions().Messages().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(OlderAndNewer, VersionCheckOtherNumber,
                         ::testing::Values("230101", "240315", "+230223"));

TEST_F(VersionCheck, TheLinkOpensTheDownloadThenTheWebSiteAndClosesTheWindow) {
  server.Serve(VersionFile("240315"));
  tVersionCheckResult result = Check(true);
  ASSERT_TRUE(result.window);
  opener.succeed = false;
  ScriptedQuestions().AnswerNext(tAnswer::Ok);
  ScriptedQuestions().AnswerNext(tAnswer::Ok);
  emit result.window->Link()->Clicked();
  ASSERT_EQ(opener.opened.size(), 2);
  EXPECT_EQ(opener.opened[0].toString(), server.Url("kovalin/Mirelda.exe").toString());
  EXPECT_EQ(opener.opened[1].toString(), server.Url("kovalin/").toString());
  EXPECT_EQ(MessageTexts(), QStringList({"Conection Error ", "Conection Error "}));
  EXPECT_FALSE(result.window->isVisible());
}

TEST_F(VersionCheck, AServerThatNeverAnswersEndsTheCheckAfterTheLimit) {
  server.NeverAnswer();
  ScriptedQuestions().AnswerNext(tAnswer::Ok);
  QElapsedTimer clock;
  clock.start();
  const tVersionCheckResult manual = Check(false, std::chrono::milliseconds(300));
  const qint64 elapsed = clock.elapsed();
  EXPECT_EQ(manual.outcome, tVersionOutcome::Failed);
  EXPECT_GE(elapsed, 290);
  EXPECT_LT(elapsed, 5000);
  EXPECT_EQ(server.Requests(), 1);
  ASSERT_EQ(ScriptedQuestions().Messages().size(), 1);
  EXPECT_EQ(ScriptedQuestions().Messages()[0].kind, tMessageKind::Error);
  EXPECT_TRUE(ScriptedQuestions().Messages()[0].text.contains("timed out"));
  // The manual check did not end: its window and status text stay as they were.
  ASSERT_TRUE(manual.window);
  EXPECT_EQ(manual.window->Message(), "Checking this version   ....please wait");
  EXPECT_EQ(statusTexts, QStringList({"Cheking for updates, please wait..."}));

  // At start-up the check gives up the same way and the start goes on.
  statusTexts.clear();
  ScriptedQuestions().AnswerNext(tAnswer::Ok);
  const tVersionCheckResult automatic = Check(true, std::chrono::milliseconds(300));
  EXPECT_EQ(automatic.outcome, tVersionOutcome::Failed);
  EXPECT_FALSE(automatic.window);
  EXPECT_EQ(statusTexts, QStringList({""}));
  EXPECT_TRUE(ScriptedQuestions().AllAnswersUsed());
}

// A web site that answers with something large is not read into memory to the end.
TEST_F(VersionCheck, AnAnswerFarLargerThanAVersionFileIsRefused) {
  server.Serve(VersionFile("230222") + QByteArray(200 * 1024, ' '));
  ScriptedQuestions().AnswerNext(tAnswer::Ok);
  const tVersionCheckResult result = Check(true);
  EXPECT_EQ(result.outcome, tVersionOutcome::Failed);
  EXPECT_TRUE(result.error.contains("larger than")) << result.error.toStdString();
}

struct tMalformedFile {
  const char* name;
  const char* text;
};

class VersionCheckMalformed : public VersionCheck,
                              public ::testing::WithParamInterface<tMalformedFile> {};

TEST_P(VersionCheckMalformed, EndsWithAnErrorMessage) {
  server.Serve(GetParam().text);
  ScriptedQuestions().AnswerNext(tAnswer::Ok);
  const tVersionCheckResult result = Check(true);
  EXPECT_EQ(result.outcome, tVersionOutcome::Failed);
  EXPECT_FALSE(result.window);
  ASSERT_EQ(ScriptedQuestions().Messages().size(), 1);
  EXPECT_EQ(ScriptedQuestions().Messages()[0].text, result.error);
  EXPECT_FALSE(result.error.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, VersionCheckMalformed,
    ::testing::Values(
        tMalformedFile{"Empty", ""},
        tMalformedFile{"HtmlPage", "<html><body>Not found</body></html>"},
        tMalformedFile{"CutShort", "<Application name=\"Kovalin\"><version><numstr>20F</numstr>"},
        tMalformedFile{"NoYymmdd",
                       "<Application><version><numstr>20F</numstr></version></Application>"},
        tMalformedFile{"NoVersionElement",
                       "<Application><numstr>20F</numstr><yymmdd>230222</yymmdd></Application>"},
        tMalformedFile{"YymmddNotANumber",
                       "<Application><version><numstr>20F</numstr><yymmdd>23-02-22</yymmdd>"
                       "</version></Application>"},
        tMalformedFile{"YymmddTooLarge",
                       "<Application><version><numstr>20F</numstr><yymmdd>99999999999</yymmdd>"
                       "</version></Application>"}),
    [](const ::testing::TestParamInfo<tMalformedFile>& info) { return info.param.name; });

}  // namespace
}  // namespace kovalin::app::testing
