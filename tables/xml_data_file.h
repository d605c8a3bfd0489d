#pragma once

#include <string>
#include <vector>

#include "tables/frequency_table.h"
#include "tables/table_types.h"

namespace kovalin {

// The XML data file text of a frequency table: no declaration, two-space
// indentation, CR LF line ends; every frequency in a cell, row by row, as an
// integer when all are integral, else all in the 23-character exponent form.
// The title is the document caption (Alias).
std::string XmlDataText(const tFrequencyTable& table);

// A frequency written in the 23-character exponent form (" 1.25000000000000E+0001").
std::string XmlExponentValue(double v);

// A frequency table read from an XML data file.
struct tXmlReadResult {
  bool ok = false;
  std::string error;         // when !ok: "SOURCE: reason"
  rTableSettings settings;   // title, labels (5 characters), dimensions, sampling
  std::vector<double> cells; // R x C frequencies, row by row
  std::vector<std::string> warnings;  // "SOURCE:LINE: cell N (row r, col c): ..." for cells kept out
};

// Parses the text of an XML data file. The column count comes from dimcols
// (dimrows when dimcols is missing). A cell outside the table, a val that is
// not a number and a negative frequency are reported in warnings, with the
// line of the file, and not stored. Frequencies whose row, column or grand
// total would exceed the largest number end the read with an error. Missing title and
// labels read as empty text; a missing or non-integer dimrows, sampling, row or
// col ends the read with an error.
tXmlReadResult ParseXmlData(const std::string& text, const std::string& sourceName);
tXmlReadResult ReadXmlDataFile(const std::string& path);

// A loaded table as LoadTable makes it: the file's settings replace
// CurrentTableSettings, a table is built from them, titled with the file name
// without its folder, filled with the cells and redrawn. On failure
// CurrentTableSettings is unchanged.
struct tXmlLoadResult {
  bool ok = false;
  std::string error;
  tFrequencyTable table;
  std::vector<std::string> warnings;
};
tXmlLoadResult LoadTable(const std::string& path);

}  // namespace kovalin
