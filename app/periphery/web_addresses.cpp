#include "app/periphery/web_addresses.h"

#include "app/periphery/build_config.h"

namespace kovalin::app {

namespace {

const char* PathBelowBase(tWebPage page) {
  switch (page) {
    case tWebPage::Website: return "";
    case tWebPage::ExampleTables: return "examples.php";
    case tWebPage::Proposal: return "cmd.php?seccion=proposal";
    case tWebPage::Citation: return "docs/Kovalin_citation.htm";
    case tWebPage::VersionFile: return "version.xml";
    case tWebPage::Download: return "Mirelda.exe";
  }
  return "";
}

tWebAddresses& Current() {
  static tWebAddresses addresses = BuildWebAddresses();
  return addresses;
}

}  // namespace

QUrl tWebAddresses::Page(tWebPage page) const {
  QUrl folder = base;
  // Without the final '/' the pages would resolve beside the folder instead of inside it.
  if (!folder.path().endsWith('/')) folder.setPath(folder.path() + '/');
  const char* below = PathBelowBase(page);
  if (*below == '\0') return folder;
  return folder.resolved(QUrl(QString::fromLatin1(below)));
}

QUrl tWebAddresses::ContactMail() const {
  return QUrl(QStringLiteral("mailto:") + contactEmail + QStringLiteral("?subject=Kovalin"));
}

tWebAddresses BuildWebAddresses() {
  tWebAddresses addresses;
  addresses.base = QUrl(QString::fromLatin1(build_config::kWebBase));
  addresses.licenceDeed = QUrl(QString::fromLatin1(build_config::kLicenceUrl));
  addresses.institution = QUrl(QString::fromLatin1(build_config::kInstitutionUrl));
  addresses.contactEmail = QString::fromLatin1(build_config::kContactEmail);
  return addresses;
}

const tWebAddresses& WebAddresses() { return Current(); }

void SetWebAddresses(const tWebAddresses& addresses) { Current() = addresses; }

}  // namespace kovalin::app
