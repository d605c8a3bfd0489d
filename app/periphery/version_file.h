#pragma once

#include <cstdint>

#include <QByteArray>
#include <QString>

namespace kovalin::app {

// What the version file on the web site says about the newest version.
struct tversionrec {
  QString appname;
  std::int32_t yymmdd = 0;
  QString numstr;
};

// Reads a version file: root "Application" (attribute "name"), child "version" with
// "numstr" and "yymmdd" in any order. False with a message saying what is wrong.
bool ReadVersionFile(const QByteArray& text, tversionrec& version, QString& error);

}  // namespace kovalin::app
