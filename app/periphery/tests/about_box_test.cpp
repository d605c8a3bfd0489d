#include <QPushButton>
#include <QTextBrowser>
#include <QWidget>

#include <gtest/gtest.h>

#include "app/periphery/about_box.h"
#include "app/periphery/tests/periphery_fixture.h"

namespace kovalin::app::testing {
namespace {

class AboutBox : public PeripheryTest {
 protected:
  void SetUp() override {
    PeripheryTest::SetUp();
    server.Serve("<html><body><p>Cite Kovalin as its web page.</p></body></html>", "text/html");
    options.citationAddress = server.Url(QStringLiteral("kovalin/docs/Kovalin_citation.htm"));
    options.fetch.limit = std::chrono::milliseconds(2000);
  }

  TFAbout* Open(int page) { return OpenAboutBox(&mainWindow, page, options); }

  QWidget mainWindow;
  tAboutBoxOptions options;
};

TEST_F(AboutBox, ASplashBoxShowsPageOneWithoutButtonsAndTheOtherFadesIn) {
  options.fadeIn = false;
  TFAbout splash(&mainWindow, options);
  EXPECT_EQ(splash.CurrentPage(), 1);
  EXPECT_TRUE(splash.BackButton()->isHidden());
  EXPECT_TRUE(splash.ForwardButton()->isHidden());
  EXPECT_EQ(splash.Opacity(), 255);

  options.fadeIn = true;
  TFAbout box(&mainWindow, options);
  EXPECT_EQ(box.Opacity(), 0);
  EXPECT_TRUE(WaitFor([&] { return box.Opacity() == 255; }, 2000));
}

TEST_F(AboutBox, BackFromPageOneClosesTheBox) {
  TFAbout* box = Open(2);
  EXPECT_TRUE(box->isModal());
  EXPECT_EQ(box->BackButton()->text(), "<<");
  EXPECT_EQ(box->ForwardButton()->text(), ">>");
  box->BackButton()->click();
  EXPECT_EQ(box->CurrentPage(), 1);
  EXPECT_EQ(box->BackButton()->text(), "X");
  EXPECT_EQ(box->ForwardButton()->text(), ">>");
  box->BackButton()->click();
  EXPECT_FALSE(box->isVisible());
  EXPECT_EQ(box->result(), QDialog::Rejected);
}

TEST_F(AboutBox, ForwardFromPageFourClosesTheBox) {
  TFAbout* box = Open(2);
  box->ForwardButton()->click();
  EXPECT_EQ(box->CurrentPage(), 3);
  box->ForwardButton()->click();
  EXPECT_EQ(box->CurrentPage(), 4);
  EXPECT_EQ(box->ForwardButton()->text(), "X");
  EXPECT_EQ(box->BackButton()->text(), "<<");
  box->ForwardButton()->click();
  EXPECT_FALSE(box->isVisible());
}

TEST_F(AboutBox, TheCitationPageLoadsOnceThoughShownAgain) {
  TFAbout* box = Open(3);
  EXPECT_EQ(box->CurrentPage(), 3);
  ASSERT_TRUE(WaitFor([&] { return box->WebRefs_cargada(); }));
  EXPECT_TRUE(box->CitationView()->toPlainText().contains("Cite Kovalin as its web page."));
  box->ForwardButton()->click();
  box->BackButton()->click();
  EXPECT_EQ(box->CurrentPage(), 3);
  // Give a second fetch, were there one, the time to reach the server.
  WaitFor([] { return false; }, 200);
  EXPECT_EQ(server.Requests(), 1);
}

TEST_F(AboutBox, ACitationFetchThatFailedIsTriedAgainOnTheNextVisit) {
  server.NeverAnswer();
  options.fetch.limit = std::chrono::milliseconds(200);
  TFAbout* box = Open(3);
  bool failed = false;
  QObject::connect(box, &TFAbout::CitationFetched, box, [&](bool ok) { failed = !ok; });
  ASSERT_TRUE(WaitFor([&] { return failed; }));
  EXPECT_FALSE(box->WebRefs_cargada());
  EXPECT_TRUE(box->CitationView()->toPlainText().contains("could not be loaded"));

  server.Serve("<html><body>Second try</body></html>", "text/html");
  box->ForwardButton()->click();
  box->BackButton()->click();
  ASSERT_TRUE(WaitFor([&] { return box->WebRefs_cargada(); }));
  EXPECT_TRUE(box->CitationView()->toPlainText().contains("Second try"));
  EXPECT_EQ(server.Requests(), 2);
}

}  // namespace
}  // namespace kovalin::app::testing
