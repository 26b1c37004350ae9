#include <filerow/display_text.h>

#include <fsname/utf8.h>

#include <wx/control.h>

#include <vector>

namespace filerow {

namespace {

constexpr char32_t replacement = 0xFFFD;

// One character of a name as shown, with the bytes it stands for.
struct Shown {
  wxUniChar character;
  std::size_t at, size;
};

std::vector<Shown> shown_characters(std::string_view bytes) {
  std::vector<Shown> shown;
  shown.reserve(bytes.size());
  for (std::size_t at = 0; at < bytes.size();) {
    auto [code, size] = fsname::character_at(bytes, at);
    if (fsname::is_raw_byte(code))
      code = replacement;
    else if (code < 0x20)
      code += 0x2400;
    else if (code == 0x7F)
      code = 0x2421;
    shown.push_back({wxUniChar(static_cast<wxUint32>(code)), at, size});
    at += size;
  }
  return shown;
}

// The control character a picture of to_display's stands for, or `c` itself.
wxUniChar unpictured(wxUniChar c) {
  if (c >= 0x2400 && c < 0x2420) return wxUniChar(c.GetValue() - 0x2400);
  if (c == 0x2421) return wxUniChar(0x7F);
  return c;
}

}  // namespace

wxString to_display(std::string_view bytes) {
  wxString text;
  text.reserve(bytes.size());
  for (const Shown& shown : shown_characters(bytes)) text += shown.character;
  return text;
}

std::string from_display(const wxString& text, std::string_view shown) {
  const std::vector<Shown> original = shown_characters(shown);
  const std::size_t length = text.length();
  std::size_t prefix = 0;
  while (prefix < original.size() && prefix < length &&
         original[prefix].character == text[prefix])
    ++prefix;
  std::size_t suffix = 0;
  while (suffix < original.size() - prefix && suffix < length - prefix &&
         original[original.size() - 1 - suffix].character == text[length - 1 - suffix])
    ++suffix;
  const std::size_t kept_end =
      prefix == 0 ? 0 : original[prefix - 1].at + original[prefix - 1].size;
  const std::size_t kept_start =
      suffix == 0 ? shown.size() : original[original.size() - suffix].at;
  wxString typed;
  for (std::size_t i = prefix; i < length - suffix; ++i) typed += unpictured(text[i]);
  auto utf8 = typed.utf8_str();
  std::string bytes(shown.substr(0, kept_end));
  bytes.append(utf8.data(), utf8.length());
  bytes.append(shown.substr(kept_start));
  return bytes;
}

wxString to_label(std::string_view bytes) {
  return wxControl::EscapeMnemonics(to_display(bytes));
}

}  // namespace filerow
