#pragma once

#include <functional>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QList>
#include <QThread>
#include <QUrl>

#include <gtest/gtest.h>

#include "app/periphery/shell_open.h"
#include "app/periphery/tests/local_http_server.h"
#include "app/periphery/web_addresses.h"
#include "app/testing/scripted_questions.h"

namespace kovalin::app::testing {

// Records the addresses it is asked to open; opens nothing.
class tFakeOpener : public tShellOpener {
 public:
  bool Open(const QUrl& address) override {
    opened.append(address);
    return succeed;
  }
  QList<QUrl> opened;
  bool succeed = true;
};

// Every case: no browser, scripted questions, and the web site on a local server.
class PeripheryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetShellOpener(&opener);
    ScriptedQuestions().Reset();
    saved_ = WebAddresses();
    tWebAddresses local = saved_;
    local.base = server.Url(QStringLiteral("kovalin/"));
    SetWebAddresses(local);
  }
  void TearDown() override {
    SetWebAddresses(saved_);
    SetShellOpener(nullptr);
  }

  QStringList MessageTexts() const {
    QStringList texts;
    for (const tMessage& message : ScriptedQuestions().Messages()) texts.append(message.text);
    return texts;
  }

  // Lets events run until `done` or the time is up; true when done.
  static bool WaitFor(const std::function<bool()>& done, int milliseconds = 5000) {
    QDeadlineTimer deadline(milliseconds);
    while (!done()) {
      if (deadline.hasExpired()) return false;
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
      QThread::msleep(1);
    }
    return true;
  }

  tFakeOpener opener;
  tLocalHttpServer server;

 private:
  tWebAddresses saved_;
};

}  // namespace kovalin::app::testing
