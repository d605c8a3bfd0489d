#pragma once

#include <QString>

namespace kovalin::app {

// Raised by every save of a results document whose caption stem is "Results";
// 1 at program start.
extern int ResultsSaveCounter;

// What the save dialog of a results document proposes.
struct tResultsSaveProposal {
  QString stem;
  QString alias;           // the document's Alias after this save
  QString proposedName;
  QString defaultSuffix;   // without its point
  QString filter;          // as the file dialog takes it
  QString selectedFilter;
};

// The caption's stem (up to the first of "(\/?*:", "*" when shorter than two
// characters, trimmed); a stem "Results" gets the counter (Results01) and
// raises it. With rtfDocument the stem is proposed as rich text, otherwise the
// alias as plain text.
tResultsSaveProposal ProposeResultsSave(const QString& caption, bool rtfDocument);

}  // namespace kovalin::app
