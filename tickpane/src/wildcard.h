#pragma once

// The scan's pattern: a shell-style wildcard matched against one name, read
// as characters (fsname/utf8.h) whatever the process's locale.
//
// Our own code, not fnmatch(3): fnmatch depends on the locale (under "C" a
// `?` matches one byte, so "caf?.jpg" misses "café.jpg"; under a UTF-8
// locale a name holding one stray byte is matched byte by byte throughout),
// and it adds rules of its own (`[^x]` negates, `[[:digit:]]` classes,
// backslash escapes).

#include <cstddef>
#include <string_view>
#include <vector>

namespace tickpane {

// A shell-style wildcard, compiled once per scan: `*` any run of characters,
// `?` one character, `[...]` one character of a set (ranges such as a-z, `!`
// first negates, `]` first is a member), anything else itself, backslash
// included. A `[` without a closing `]` is itself. A reversed range holds
// nothing.
class Wildcard {
 public:
  explicit Wildcard(std::string_view pattern);
  /// Whether all of `name` matches; an empty pattern matches nothing.
  bool matches(std::string_view name) const;

 private:
  bool head_matches(std::string_view start) const;

  struct Range {
    char32_t first, last;
  };
  struct Token {
    enum Kind { star, any, literal, set };
    explicit Token(Kind kind, char32_t code = 0) : kind(kind), code(code) {}

    Kind kind;
    char32_t code;
    bool negated = false;
    std::vector<Range> ranges;

    bool accepts(char32_t character) const;
  };

  std::vector<Token> tokens_;
  // Tokens from here on follow the last star: each takes one character.
  std::size_t tail_ = 0;
};

}  // namespace tickpane
