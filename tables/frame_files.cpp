#include "tables/frame_files.h"

#include <utility>
#include <vector>

#include "tables/text_utils.h"

namespace kovalin {

void AdoptRecordTable(tRecordTableFrame& frame, tRecordTableFile&& file, const std::string& path) {
  frame.SetFileName(path);
  frame.DataTable1 = std::move(file.table);
  frame.NTabEd1.Bind(&frame.DataTable1);
  frame.VarList.clear();
  for (int c = 1; c <= frame.DataTable1.NrOfColumns(); ++c) {
    const std::size_t i = static_cast<std::size_t>(c - 1);
    frame.NTabEd1.SetDecPlaces(c, i < file.decimals.size() ? file.decimals[i] : 0);
    frame.VarList.push_back(ToUpperAscii(frame.DataTable1.GetColName(c)));
  }
  frame.pIncludeColHeaders = true;
  frame.pIncludeRowHeaders = false;
  frame.pmodified = false;
  // A save writes the file back as it was split, so that a spreadsheet's
  // semicolon or comma file still opens in its columns there.
  switch (const TCSVDelimiters read = DelimiterCode(file.delimiter)) {
    case csvTab:
    case csvSemicolon:
    case csvComma:
    case csvBlank: frame.ExportDelimiter = read; break;
    default: break;
  }
}

}  // namespace kovalin
