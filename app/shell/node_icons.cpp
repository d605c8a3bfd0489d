#include "app/shell/node_icons.h"

#include <QFile>

// The resources live in a static library: register them once before the first use.
static void InitShellResources() {
  static const bool done = [] {
    Q_INIT_RESOURCE(shell_icons);
    return true;
  }();
  (void)done;
}

namespace kovalin::app {

QIcon ShellIcon(const QString& name) {
  InitShellResources();
  QIcon icon(":/kovalin/icons/" + name + ".png");
  const QString selected = ":/kovalin/icons/" + name + "_selected.png";
  if (QFile::exists(selected)) icon.addFile(selected, {}, QIcon::Selected);
  return icon;
}

QIcon NodeIcon(tNodeIcon kind) {
  switch (kind) {
    case tNodeIcon::None: return {};
    case tNodeIcon::Program: return ShellIcon("kovalin");
    case tNodeIcon::Folder: return ShellIcon("folder");
    case tNodeIcon::Table: return ShellIcon("table");
    case tNodeIcon::ActiveTable: return ShellIcon("table_active");
    case tNodeIcon::AnalysisResults: return ShellIcon("analysis");
    case tNodeIcon::SimulationResults: return ShellIcon("simulation");
  }
  return {};
}

}  // namespace kovalin::app
