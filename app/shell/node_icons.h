#pragma once

#include <QIcon>

#include "app/shell/document_tree.h"

namespace kovalin::app {

// The icon pair (normal and selected) of a tree node kind, from the program's resources.
QIcon NodeIcon(tNodeIcon kind);
// A tool bar or program icon from the resources, by its file name without extension.
QIcon ShellIcon(const QString& name);

}  // namespace kovalin::app
