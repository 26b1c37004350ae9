#pragma once

// Reading names, which are the file system's bytes, as characters.

#include <cstddef>
#include <string_view>

namespace host {

/// The length of the well-formed UTF-8 sequence that starts at byte `at` of
/// `text`, with its code point in `code`; 0, with `code` unspecified, when the
/// byte there starts none (a stray continuation byte, a cut-off sequence, an
/// overlong form, a surrogate or a code point past U+10FFFF).
/// REQUIRES: at < text.size().
inline std::size_t utf8_sequence(std::string_view text, std::size_t at, char32_t& code) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
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
  if (text.size() - at < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(at + i) & 0x3F);
  }
  bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  if (code < min || code > 0x10FFFF || surrogate) return 0;
  return length;
}

}  // namespace host
