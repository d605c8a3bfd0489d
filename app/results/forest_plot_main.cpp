#include "app/results/forest_plot_main.h"

#include <QApplication>
#include <QString>
#include <cmath>
#include <iostream>
#include <string>
#include <vector>

#include "app/results/forest_plot_view.h"
#include "cli/arguments.h"
#include "cli/method_options.h"
#include "cli/subject_input.h"
#include "engine/app_options.h"
#include "engine/forest_data.h"
#include "engine/method_set.h"
#include "engine/npv_methods.h"

namespace kovalin::app {

namespace {

int Usage(const std::string& message) {
  std::cerr << "kovalin-plot: " << message
            << "\nusage: kovalin-plot --compare X1 X2 X3 X4 X5 X6 X7 X8 | --subjects FILE --a COL "
               "--b COL --gold COL [--positive CODES] [--negative CODES]  [--names A,B] [--npv] "
               "[--alpha A] [--epsilon E] [--methods LIST] [--out PICTURE.svg|.png]\n";
  return 2;
}

}  // namespace

bool IsForestPlotCall(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--compare" || arg == "--subjects" || arg.rfind("--subjects=", 0) == 0) return true;
  }
  return false;
}

int ForestPlotMain(int argc, char** argv) {
  std::set<std::string> valued = {"alpha", "epsilon", "methods", "names", "out"};
  valued.insert(cli::SubjectOptionNames().begin(), cli::SubjectOptionNames().end());
  cli::Arguments args(valued, {"compare", "npv"});
  if (!args.Parse(std::vector<std::string>(argv + 1, argv + argc))) return Usage(args.error());
  std::string error;
  const auto names = cli::ReadNamesOption(args, error);
  if (!error.empty()) return Usage(error);
  tConf_rec options = DefaultAppOptions();
  if (const auto broken = cli::ReadAnalysisOptions(args, options)) return Usage(*broken);
  const std::string out = args.value("out").value_or("forest.svg");
  const QString outName = QString::fromLocal8Bit(out.c_str());
  if (!outName.endsWith(".svg", Qt::CaseInsensitive) && !outName.endsWith(".png", Qt::CaseInsensitive))
    return Usage("the picture's name must end in .svg or .png");

  tInputData input;
  const auto& cells = args.positional();
  if (args.has("subjects")) {
    if (args.has("compare") || !cells.empty()) return Usage("give either --compare X1 .. X8 or --subjects FILE");
    const auto subjects = cli::ReadSubjectInput(args, "kovalin-plot", std::cerr, error);
    if (!subjects) return Usage(error);
    cli::PrintSubjectCells(std::cout, *subjects);
    input = cli::InputOfSubjects(subjects->table);
  } else {
    // Only to refuse --a, --b, ... without --subjects.
    cli::ReadSubjectInput(args, "kovalin-plot", std::cerr, error);
    if (!error.empty()) return Usage(error);
    if (cells.size() != 8) return Usage("--compare takes the 8 cell frequencies, got " + std::to_string(cells.size()));
    input.N[0] = kMissingInt;
    for (std::size_t i = 0; i < 8; ++i) {
      const auto value = cli::ParseDouble(cells[i]);
      if (!value || !std::isfinite(*value) || *value < 0)
        return Usage("cell X" + std::to_string(i + 1) + ": '" + cells[i] + "' is not a non-negative number");
      input.V[i + 1] = *value;
      input.V[0] += *value;
    }
  }

  // Methods read the process-wide options while they calculate.
  AppOptions = options;
  tMethodSet ppv = CreateMethods(options, tSimulationType::simAny);
  ppv.CalculateActive(input);
  tMethodSet npv = CreateMethods(options, tSimulationType::simAny);
  if (args.has("npv")) CalculateNpv(npv, input);
  const tForestPlot plot =
      ForestPlotOf(ppv, args.has("npv") ? &npv : nullptr, names.value_or(tTestNames{}), options.alfa_level);

  QApplication app(argc, argv);
  QString saveError;
  if (!SaveForestPlot(plot, outName, saveError)) {
    std::cerr << "kovalin-plot: " << saveError.toStdString() << "\n";
    return 1;
  }
  std::cout << "Wrote " << out << "\n";
  return 0;
}

}  // namespace kovalin::app
