#include "app/views/table_registration.h"

#include <QTimer>

#include "app/shell/main_window.h"
#include "app/views/subject_import.h"
#include "app/views/table_commands.h"

namespace kovalin::app {

QStringList FilesToOpen(const QStringList& arguments) {
  QStringList files = arguments.mid(1);
  if (!files.isEmpty() && files.front().contains("killreg", Qt::CaseInsensitive)) files.removeFirst();
  return files;
}

void ConnectTableCommands(TFMain& window, const QStringList& arguments) {
  window.ConnectCommand(tCommand::NewTable, [&window] { NewTableExecute(window, &window); });
  window.ConnectCommand(tCommand::Open, [&window] { ActionOpenExecute(window); });
  window.ConnectCommand(tCommand::ImportSubjects, [&window] { ImportSubjectsExecute(window, &window); });
  const QStringList files = FilesToOpen(arguments);
  if (files.isEmpty()) return;
  // Queued: the files open once the event loop runs, after the start-up sequence.
  QTimer::singleShot(0, &window, [&window, files] {
    for (const QString& file : files) OpenAnyFile(window, file);
  });
}

}  // namespace kovalin::app
