#include <fsname/utf8.h>

namespace fsname {

void append_utf8(char32_t code, std::string& out) {
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

std::wstring widen(std::string_view bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  for (std::size_t at = 0; at < bytes.size();) {
    const Character character = character_at(bytes, at);
    text += static_cast<wchar_t>(character.code);
    at += character.size;
  }
  return text;
}

std::string narrow(std::wstring_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (wchar_t character : text) {
    auto code = static_cast<char32_t>(character);
    if (is_raw_byte(code))
      bytes += static_cast<char>(code - raw_byte_base);
    else if ((code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
      append_utf8(0xFFFD, bytes);
    else
      append_utf8(code, bytes);
  }
  return bytes;
}

bool valid_utf8(std::string_view bytes) {
  for (std::size_t at = 0; at < bytes.size();) {
    const Character character = character_at(bytes, at);
    if (is_raw_byte(character.code)) return false;
    at += character.size;
  }
  return true;
}

}  // namespace fsname
