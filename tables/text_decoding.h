#pragma once

#include <string>
#include <string_view>

#include "tables/csv_import.h"

namespace kovalin {

// The text of a file without its byte-order mark. UTF-16 and UTF-32 are
// decoded to UTF-8 (unpaired surrogates become U+FFFD); UTF-8, rich text and
// 8-bit text keep their bytes. The view points into bytes or into storage.
std::string_view DecodeText(std::string_view bytes, tTextEncoding encoding, std::string& storage);

}  // namespace kovalin
