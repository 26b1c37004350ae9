#include "utf8.h"

#include <host/utf8.h>

namespace bulkrename {

namespace {

constexpr wchar_t raw_base = 0xDC00;

void encode(char32_t code, std::string& out) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

std::wstring widen(std::string_view bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  for (std::size_t at = 0; at < bytes.size();) {
    char32_t code;
    std::size_t length = host::utf8_sequence(bytes, at, code);
    if (length == 0) {
      text += static_cast<wchar_t>(raw_base + static_cast<unsigned char>(bytes[at]));
      ++at;
    } else {
      text += static_cast<wchar_t>(code);
      at += length;
    }
  }
  return text;
}

std::string narrow(std::wstring_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (wchar_t character : text) {
    auto code = static_cast<char32_t>(character);
    if (is_raw_byte(character))
      bytes += static_cast<char>(code - raw_base);
    else if ((code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
      encode(0xFFFD, bytes);
    else
      encode(code, bytes);
  }
  return bytes;
}

bool valid_utf8(std::string_view bytes) {
  char32_t code;
  for (std::size_t at = 0; at < bytes.size();) {
    std::size_t length = host::utf8_sequence(bytes, at, code);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

bool is_raw_byte(wchar_t character) {
  auto code = static_cast<char32_t>(character);
  return code >= raw_base + 0x80 && code <= raw_base + 0xFF;
}

}  // namespace bulkrename
