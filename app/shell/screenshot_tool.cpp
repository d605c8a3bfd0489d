// Renders the real main window offscreen into a PNG file for the README:
//   kovalin_screenshot OUTPUT.png
// Until the data table and results documents are part of the program, two plain text
// documents stand in for them.
#include <cstdio>

#include <QApplication>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/shell/document_window.h"
#include "app/shell/main_window.h"

namespace {

class tStandIn : public kovalin::app::tDocumentWindow {
 public:
  tStandIn(kovalin::app::TFMDIParent* parent, const QString& text) : tDocumentWindow(parent) {
    auto* layout = new QVBoxLayout(this);
    auto* edit = new QPlainTextEdit(text, this);
    edit->setFont(QFont("DejaVu Sans Mono", 9));
    layout->addWidget(edit);
    layout->setContentsMargins(0, 0, 0, 0);
  }
  bool SaveToFile(int) override { return false; }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: kovalin_screenshot OUTPUT.png\n", stderr);
    return 2;
  }
  QApplication app(argc, argv);
  kovalin::app::TFMain window(false);
  window.resize(1100, 680);
  window.show();
  window.FormActivate();
  window.CreateTableWindow([&window](int) {
    return new tStandIn(&window, "  A  B  D     n\n  +  +  +    30\n  +  -  +    12\n"
                                 "  -  +  +     4\n  -  -  +     4\n  +  +  -     6\n"
                                 "  +  -  -    10\n  -  +  -     2\n  -  -  -    32\n");
  });
  auto* results = new tStandIn(&window, ">Input: line 1 to line 1\n\n");
  window.CreateResults(results, false);
  results->SetCaption("Results 1.1");
  window.DocumentArea()->tileSubWindows();
  QApplication::processEvents();
  if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "kovalin_screenshot: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
