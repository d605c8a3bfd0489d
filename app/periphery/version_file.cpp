#include "app/periphery/version_file.h"

#include <charconv>
#include <string_view>

#include <pugixml.hpp>

namespace kovalin::app {

namespace {

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

bool ReadInt32(std::string_view text, std::int32_t& value) {
  text = Trimmed(text);
  if (text.empty()) return false;
  if (text.front() == '+') text.remove_prefix(1);
  const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
  return status == std::errc() && end == text.data() + text.size();
}

}  // namespace

bool ReadVersionFile(const QByteArray& text, tversionrec& version, QString& error) {
  pugi::xml_document document;
  const pugi::xml_parse_result parsed =
      document.load_buffer(text.constData(), static_cast<size_t>(text.size()));
  if (!parsed) {
    error = QStringLiteral("The version file is not valid XML: %1 (at byte %2)")
                .arg(QString::fromUtf8(parsed.description()))
                .arg(static_cast<qlonglong>(parsed.offset));
    return false;
  }
  const pugi::xml_node root = document.document_element();
  if (std::string_view(root.name()) != "Application") {
    error = QStringLiteral("The version file has no \"Application\" element");
    return false;
  }
  const pugi::xml_node entry = root.child("version");
  if (!entry) {
    error = QStringLiteral("The version file has no \"version\" element");
    return false;
  }
  const pugi::xml_node numstr = entry.child("numstr");
  const pugi::xml_node yymmdd = entry.child("yymmdd");
  if (!numstr || !yymmdd) {
    error = QStringLiteral("The version file has no \"%1\" element")
                .arg(!numstr ? QStringLiteral("numstr") : QStringLiteral("yymmdd"));
    return false;
  }
  tversionrec read;
  if (!ReadInt32(yymmdd.child_value(), read.yymmdd)) {
    error = QStringLiteral("The \"yymmdd\" of the version file is not a whole number: \"%1\"")
                .arg(QString::fromUtf8(yymmdd.child_value()).left(40));
    return false;
  }
  read.appname = QString::fromUtf8(root.attribute("name").value());
  const std::string_view name = Trimmed(numstr.child_value());
  read.numstr = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  version = read;
  return true;
}

}  // namespace kovalin::app
