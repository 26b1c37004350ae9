#pragma once

// Names written as one line of text, and read back.

#include <optional>
#include <string>
#include <string_view>

namespace bulkrename {

/// `bytes` fit for one line of text: backslash, tab, newline and other
/// control characters, and bytes that are not UTF-8, written as escapes
/// (\\, \t, \n, \xNN); everything else as it is.
std::string printable(std::string_view bytes);

/// The bytes `text` was made from by printable(); nullopt when it holds an
/// escape printable() does not write.
std::optional<std::string> unprintable(std::string_view text);

}  // namespace bulkrename
