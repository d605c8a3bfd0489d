#pragma once

#include <QString>
#include <QUrl>

namespace kovalin::app {

// The pages of the program's web folder.
enum class tWebPage { Website, ExampleTables, Proposal, Citation, VersionFile, Download };

// Where the web pages are: the build's addresses unless a test points them elsewhere.
struct tWebAddresses {
  QUrl base;  // a folder: its path ends with '/'
  QUrl licenceDeed;
  QUrl institution;
  QString contactEmail;

  QUrl Page(tWebPage page) const;
  // A new e-mail to the makers.
  QUrl ContactMail() const;
};

// The addresses set when the build was configured.
tWebAddresses BuildWebAddresses();

const tWebAddresses& WebAddresses();
// Tests point the pages at a local server; the program never calls this.
void SetWebAddresses(const tWebAddresses& addresses);

}  // namespace kovalin::app
