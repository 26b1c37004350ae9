#pragma once

// Names are the file system's bytes. To change case or match text we read
// them as characters: each valid UTF-8 sequence becomes its code point, and
// every other byte B becomes the lone surrogate U+DC00 + B, which no valid
// sequence can produce, so that narrow(widen(bytes)) == bytes for any input.

#include <string>
#include <string_view>

namespace bulkrename {

/// The characters of `bytes`, each undecodable byte kept as U+DC80..U+DCFF.
std::wstring widen(std::string_view bytes);

/// The bytes of `text`: UTF-8, with U+DC80..U+DCFF turned back into the raw
/// byte. Other lone surrogates, which no name holds, are encoded as U+FFFD.
std::string narrow(std::wstring_view text);

/// True for the characters that stand for an undecodable byte.
bool is_raw_byte(wchar_t character);

/// Whether `bytes` are UTF-8 throughout, without an undecodable byte.
bool valid_utf8(std::string_view bytes);

}  // namespace bulkrename
