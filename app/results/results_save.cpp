#include "app/results/results_save.h"

#include <QRegularExpression>

#include "app/results/text_logic.h"

namespace kovalin::app {

int ResultsSaveCounter = 1;

tResultsSaveProposal ProposeResultsSave(const QString& caption, bool rtfDocument) {
  tResultsSaveProposal p;
  QString stem = caption;
  const qsizetype cut = stem.indexOf(QRegularExpression(R"([(\\/?*:])"));
  if (cut >= 0) stem.truncate(cut);
  if (stem.size() < 2) stem = QStringLiteral("*");
  stem = stem.trimmed();
  p.alias = caption;
  if (stem.toUpper() == QStringLiteral("RESULTS")) {
    stem += QStringLiteral("%1").arg(ResultsSaveCounter, 2, 10, QChar(u'0'));
    p.alias = stem;
    ++ResultsSaveCounter;
  }
  p.stem = stem;
  p.filter = DialogFilter(
      "Reach text format (*.rtf)|*.rtf|Plain text (*.txt)|*.txt|All files (*.*)|*.*");
  const QStringList filters = p.filter.split(";;");
  if (rtfDocument) {
    p.proposedName = stem;
    p.defaultSuffix = QStringLiteral("rtf");
    p.selectedFilter = filters.value(0);
  } else {
    p.proposedName = p.alias;
    p.defaultSuffix = QStringLiteral("txt");
    p.selectedFilter = filters.value(1);
  }
  return p;
}

}  // namespace kovalin::app
