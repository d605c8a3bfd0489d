#include "tables/text_decoding.h"

#include <cstdint>

namespace kovalin {

namespace {

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::uint32_t Byte(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

void DecodeUtf16(std::string_view s, bool little, std::string& out) {
  out.reserve(s.size() / 2);
  for (std::size_t i = 0; i + 1 < s.size(); i += 2) {
    std::uint32_t u = little ? (Byte(s, i) | Byte(s, i + 1) << 8) : (Byte(s, i) << 8 | Byte(s, i + 1));
    if (u >= 0xD800 && u <= 0xDBFF && i + 3 < s.size()) {
      const std::uint32_t v = little ? (Byte(s, i + 2) | Byte(s, i + 3) << 8)
                                     : (Byte(s, i + 2) << 8 | Byte(s, i + 3));
      if (v >= 0xDC00 && v <= 0xDFFF) {
        u = 0x10000 + ((u - 0xD800) << 10) + (v - 0xDC00);
        i += 2;
      }
    }
    AppendUtf8(out, u);
  }
}

void DecodeUtf32(std::string_view s, bool little, std::string& out) {
  out.reserve(s.size() / 4);
  for (std::size_t i = 0; i + 3 < s.size(); i += 4) {
    const std::uint32_t u = little
        ? (Byte(s, i) | Byte(s, i + 1) << 8 | Byte(s, i + 2) << 16 | Byte(s, i + 3) << 24)
        : (Byte(s, i) << 24 | Byte(s, i + 1) << 16 | Byte(s, i + 2) << 8 | Byte(s, i + 3));
    AppendUtf8(out, u);
  }
}

}  // namespace

std::string_view DecodeText(std::string_view bytes, tTextEncoding encoding, std::string& storage) {
  switch (encoding) {
    case encUtf8: return bytes.substr(3);
    case encUtf32LE: DecodeUtf32(bytes.substr(4), true, storage); return storage;
    case encUtf32BE: DecodeUtf32(bytes.substr(4), false, storage); return storage;
    case encUtf16LE: DecodeUtf16(bytes.substr(2), true, storage); return storage;
    case encUtf16BE: DecodeUtf16(bytes.substr(2), false, storage); return storage;
    case encRichText:
    case encPlain: break;
  }
  return bytes;
}

}  // namespace kovalin
