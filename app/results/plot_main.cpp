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
#include "simulation/grid_record_source.h"
#include "tables/table_loader.h"

namespace {

int Usage(const char* message) {
  std::fprintf(stderr, "kovalin-plot: %s\nusage: kovalin-plot FILE [--out PICTURE.svg|.png] "
                       "[--alpha A] [--x COLUMN [--table FILE]] [--methods FAMILY|LIST] "
                       "[--band|--bars]\n", message);
  return 2;
}

// The options of the simulation plot beyond the file and the picture.
struct tPlotChoices {
  QString x;
  QString table;
  QString methods;
  kovalin::app::tPrecisionShow precision = kovalin::app::tPrecisionShow::none;
};

// --methods: a family (differences, ratios, fieller, increment, no-increment,
// all) or a comma list of the file's method labels; false and why otherwise.
bool ChooseMethods(kovalin::app::tSimPlotView& view, const QString& choice, QString& error) {
  using namespace kovalin::app;
  if (const auto family = MethodFamilyNamed(choice)) {
    view.SetFamily(*family);
    return true;
  }
  const QStringList wanted = choice.split(u',', Qt::SkipEmptyParts);
  const auto& methods = view.Data().Methods();
  for (const QString& w : wanted) {
    bool known = false;
    for (const auto& m : methods) known = known || m.label == w.trimmed();
    if (!known) {
      error = "--methods: '" + w + "' is neither a family (all, differences, ratios, fieller, "
              "increment, no-increment) nor a method of the file";
      return false;
    }
  }
  for (std::size_t i = 0; i < methods.size(); ++i) {
    bool shown = false;
    for (const QString& w : wanted) shown = shown || methods[i].label == w.trimmed();
    view.SetMethodShown(static_cast<int>(i), shown);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  // No window is ever shown: the offscreen platform needs no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (kovalin::app::IsForestPlotCall(argc, argv)) return kovalin::app::ForestPlotMain(argc, argv);
  QString input, output;
  double alpha = 0.05;
  tPlotChoices choices;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool valued = arg == "--out" || arg == "--alpha" || arg == "--x" || arg == "--table" ||
                        arg == "--methods";
    if (valued && i + 1 >= argc) return Usage("an option lacks its value");
    if (arg == "--x") {
      choices.x = QString::fromLocal8Bit(argv[++i]);
    } else if (arg == "--table") {
      choices.table = QString::fromLocal8Bit(argv[++i]);
    } else if (arg == "--methods") {
      choices.methods = QString::fromLocal8Bit(argv[++i]);
    } else if (arg == "--band") {
      choices.precision = kovalin::app::tPrecisionShow::band;
    } else if (arg == "--bars") {
      choices.precision = kovalin::app::tPrecisionShow::bars;
    } else if (arg == "--out") {
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
  view.SetPrecision(choices.precision);
  if (!choices.table.isEmpty()) {
    const kovalin::tRecordTableFile table = kovalin::LoadRecordTable(choices.table.toStdString());
    if (!table.ok) {
      std::fprintf(stderr, "kovalin-plot: --table: %s\n", table.error.c_str());
      return 2;
    }
    const kovalin::tGridRecordSource rows(table.table);
    view.SetTableColumns(kovalin::app::PlotTableColumns(rows));
  }
  view.SetData(data, alpha);
  if (!choices.x.isEmpty() && !view.SetX(choices.x)) {
    std::fprintf(stderr, "kovalin-plot: --x: '%s' is not a column of %s%s%s\n",
                 qPrintable(choices.x), qPrintable(input), choices.table.isEmpty() ? "" : " or ",
                 qPrintable(choices.table));
    return 2;
  }
  if (!choices.methods.isEmpty() && !ChooseMethods(view, choices.methods, error)) {
    std::fprintf(stderr, "kovalin-plot: %s\n", qPrintable(error));
    return 2;
  }
  if (!view.SaveImage(output, error)) {
    std::fprintf(stderr, "kovalin-plot: %s\n", qPrintable(error));
    return 1;
  }
  return 0;
}
