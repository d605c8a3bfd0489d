#pragma once

#include <functional>

class QWidget;

namespace kovalin::app {

// What the links of the about page do; the about box fills these in.
struct tAboutPageActions {
  std::function<void()> showCitation;
  std::function<void()> showLicence;
  std::function<void()> close;
};

// Page 1, also the splash: picture, product, version, makers, terms of use, licence logo.
QWidget* MakeSplashPage(QWidget* parent);
// Page 2: version, build label, makers, e-mail and web links, citation and licence links.
QWidget* MakeAboutPage(QWidget* parent, const tAboutPageActions& actions);
// Page 4: the licence and the warranty.
QWidget* MakeLicencePage(QWidget* parent);

}  // namespace kovalin::app
