#include "display_text.h"

#include <host/utf8.h>

#include <wx/control.h>

namespace filerow {

namespace {

constexpr wchar_t replacement = 0xFFFD;

}  // namespace

wxString to_display(std::string_view bytes) {
  wxString text;
  text.reserve(bytes.size());
  for (std::size_t at = 0; at < bytes.size();) {
    char32_t code;
    std::size_t length = host::utf8_sequence(bytes, at, code);
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
