// kovalin-plot: the plot of a simulation output file written to SVG or PNG,
// without a window, for scripts and batch runs.
#include <QApplication>
#include <QFileInfo>
#include <charconv>
#include <cstdio>
#include <string>

#include "app/results/forest_plot_main.h"
#include "app/results/sim_plot_view.h"
#include "app/results/text_logic.h"

namespace {

int Usage(const char* message) {
  std::fprintf(stderr, "kovalin-plot: %s\nusage: kovalin-plot FILE [--out PICTURE.svg|.png] "
                       "[--alpha A]\n", message);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  // No window is ever shown: the offscreen platform needs no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (kovalin::app::IsForestPlotCall(argc, argv)) return kovalin::app::ForestPlotMain(argc, argv);
  QString input, output;
  double alpha = 0.05;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "--out" || arg == "--alpha") && i + 1 >= argc) return Usage("an option lacks its value");
    if (arg == "--out") {
      output = QString::fromLocal8Bit(argv[++i]);
    } else if (arg == "--alpha") {
      const std::string text = argv[++i];
      const auto r = std::from_chars(text.data(), text.data() + text.size(), alpha);
      if (r.ec != std::errc() || r.ptr != text.data() + text.size() || !(alpha > 0 && alpha < 1))
        return Usage("--alpha takes a number between 0 and 1");
    } else if (arg == "--help" || arg == "-h") {
      Usage("plots a simulation output file (_IC_, _IT_ or _GT_)");
      return 0;
    } else if (!arg.empty() && arg[0] == '-') {
      return Usage(("unknown option " + arg).c_str());
    } else if (input.isEmpty()) {
      input = QString::fromLocal8Bit(argv[i]);
    } else {
      return Usage("expected one output file of a simulation");
    }
  }
  if (input.isEmpty()) return Usage("expected one output file of a simulation");
  if (output.isEmpty()) {
    const QFileInfo info(input);
    output = info.path() + "/" + info.completeBaseName() + ".svg";
  }
  if (!output.endsWith(".svg", Qt::CaseInsensitive) && !output.endsWith(".png", Qt::CaseInsensitive))
    return Usage("the picture's name must end in .svg or .png");

  QApplication app(argc, argv);
  QStringList lines;
  QString error;
  if (!kovalin::app::LoadTextLines(input, lines, error)) {
    std::fprintf(stderr, "kovalin-plot: %s\n", qPrintable(error));
    return 2;
  }
  kovalin::app::tSimPlotData data;
  if (!data.SetLines(lines, error)) {
    std::fprintf(stderr, "kovalin-plot: %s: %s\n", qPrintable(input), qPrintable(error));
    return 2;
  }
  data.SetKindHint(input);
  kovalin::app::tSimPlotView view;
  view.SetData(data, alpha);
  if (!view.SaveImage(output, error)) {
    std::fprintf(stderr, "kovalin-plot: %s\n", qPrintable(error));
    return 1;
  }
  return 0;
}
