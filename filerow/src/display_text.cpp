#include "display_text.h"

#include <wx/control.h>

namespace filerow {

namespace {

constexpr wchar_t replacement = 0xFFFD;

// Length of the valid UTF-8 sequence starting at `at`, and its code point;
// 0 when the byte there does not start one.
std::size_t decode(std::string_view s, std::size_t at, char32_t& code) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  unsigned char lead = byte(at);
  std::size_t length;
  char32_t min;
  if (lead < 0x80) {
    code = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, code = lead & 0x1F, min = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code = lead & 0x0F, min = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, code = lead & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (at + length > s.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(at + i) & 0x3F);
  }
  bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  if (code < min || code > 0x10FFFF || surrogate) return 0;
  return length;
}

}  // namespace

wxString to_display(std::string_view bytes) {
  wxString text;
  text.reserve(bytes.size());
  for (std::size_t at = 0; at < bytes.size();) {
    char32_t code;
    std::size_t length = decode(bytes, at, code);
    if (length == 0) {
      text += replacement;
      ++at;
      continue;
    }
    if (code < 0x20)
      code += 0x2400;
    else if (code == 0x7F)
      code = 0x2421;
    text += wxUniChar(static_cast<wxUint32>(code));
    at += length;
  }
  return text;
}

std::string from_display(const wxString& text) {
  auto utf8 = text.utf8_str();
  return std::string(utf8.data(), utf8.length());
}

wxString to_label(std::string_view bytes) {
  return wxControl::EscapeMnemonics(to_display(bytes));
}

}  // namespace filerow
