#pragma once

// Names are the file system's bytes. To match, sort, change case or show
// them they are read as characters: each well-formed UTF-8 sequence is its
// code point, and every other byte B stands alone as the lone surrogate
// U+DC00 + B (Python's surrogateescape), which no well-formed sequence can
// give. So no byte is lost: narrow(widen(bytes)) == bytes for any input.
//
// Well-formed excludes a stray continuation byte, a cut-off sequence, an
// overlong form, an encoded surrogate and a code point past U+10FFFF; each
// byte of those stands alone. Nothing here depends on the process's locale.

#include <cstddef>
#include <string>
#include <string_view>

namespace fsname {

/// A byte B that is not part of a well-formed sequence reads as
/// raw_byte_base + B, in U+DC80..U+DCFF (bytes below 0x80 are always ASCII).
inline constexpr char32_t raw_byte_base = 0xDC00;

/// True for the characters that stand for a byte that is not UTF-8.
constexpr bool is_raw_byte(char32_t character) {
  return character >= raw_byte_base + 0x80 && character <= raw_byte_base + 0xFF;
}

/// One character of a name and the number of bytes it takes.
struct Character {
  char32_t code;
  std::size_t size;
};

/// The character that starts at byte `at` of `text`: a well-formed sequence,
/// or the byte there alone (size 1, a raw byte).
/// REQUIRES: at < text.size().
inline Character character_at(std::string_view text, std::size_t at) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  const Character raw{raw_byte_base + lead, 1};
  if (lead < 0x80) return {lead, 1};
  std::size_t length;
  char32_t code, min;
  if ((lead & 0xE0) == 0xC0)
    length = 2, code = lead & 0x1F, min = 0x80;
  else if ((lead & 0xF0) == 0xE0)
    length = 3, code = lead & 0x0F, min = 0x800;
  else if ((lead & 0xF8) == 0xF0)
    length = 4, code = lead & 0x07, min = 0x10000;
  else
    return raw;
  if (text.size() - at < length) return raw;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return raw;
    code = (code << 6) | (byte(at + i) & 0x3F);
  }
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  if (code < min || code > 0x10FFFF || surrogate) return raw;
  return {code, length};
}

/// The character that ends at byte `end` of `text`, read backwards so that
/// it is the one character_at() reads when reading forwards from the start.
/// A well-formed sequence ends there when one does (its lead byte cannot lie
/// inside another sequence); else the byte before `end` stands alone.
/// REQUIRES: 0 < end <= text.size(), and `end` is where a character read
/// forwards ends.
inline Character character_before(std::string_view text, std::size_t end) {
  const unsigned char last = static_cast<unsigned char>(text[end - 1]);
  if (last < 0x80) return {last, 1};
  for (std::size_t size = 2; size <= 4 && size <= end; ++size) {
    const Character character = character_at(text, end - size);
    if (character.size == size) return character;
  }
  return {raw_byte_base + last, 1};
}

/// Appends the UTF-8 form of `code` to `out`, lone surrogates included (a
/// raw byte's character becomes three bytes, whose byte order is the code
/// points' order). REQUIRES: code <= U+10FFFF.
void append_utf8(char32_t code, std::string& out);

/// The characters of `bytes`, each byte that is not UTF-8 as its raw byte
/// character (wchar_t holds 32 bits on the systems this builds for).
std::wstring widen(std::string_view bytes);

/// The bytes of `text`: UTF-8, with each raw byte character turned back into
/// its byte. Other lone surrogates, and values past U+10FFFF, which no name
/// holds, are encoded as U+FFFD.
std::string narrow(std::wstring_view text);

/// Whether `bytes` are UTF-8 throughout, without a byte standing alone.
bool valid_utf8(std::string_view bytes);

}  // namespace fsname
