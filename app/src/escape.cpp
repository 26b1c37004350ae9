#include "escape.h"

#include <fsname/utf8.h>

#include <cstdio>

namespace bulkrename {

std::string printable(std::string_view bytes) {
  std::string text;
  auto hex = [&](unsigned value) {
    char code[5];
    std::snprintf(code, sizeof code, "\\x%02X", value & 0xFF);
    text += code;
  };
  for (wchar_t c : fsname::widen(bytes)) {
    if (c == L'\\') text += "\\\\";
    else if (c == L'\t') text += "\\t";
    else if (c == L'\n') text += "\\n";
    else if (c < 0x20 || c == 0x7F) hex(static_cast<unsigned>(c));
    else if (fsname::is_raw_byte(c)) hex(static_cast<unsigned>(c - fsname::raw_byte_base));
    else text += fsname::narrow(std::wstring_view(&c, 1));
  }
  return text;
}

std::optional<std::string> unprintable(std::string_view text) {
  auto digit = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '\\') {
      bytes += text[at];
      continue;
    }
    if (++at == text.size()) return std::nullopt;
    switch (text[at]) {
      case '\\':
        bytes += '\\';
        break;
      case 't':
        bytes += '\t';
        break;
      case 'n':
        bytes += '\n';
        break;
      case 'x': {
        int high = at + 1 < text.size() ? digit(text[at + 1]) : -1;
        int low = at + 2 < text.size() ? digit(text[at + 2]) : -1;
        if (high < 0 || low < 0) return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
        at += 2;
        break;
      }
      default:
        return std::nullopt;
    }
  }
  return bytes;
}

}  // namespace bulkrename
