#pragma once

// The name proposal: new names from a few rules the user sets. No widgets:
// names in and out are the file system's bytes. Characters (for changes of
// case and case-blind matching) are read as UTF-8; a byte that is not part of
// a valid sequence is kept exactly and matches only itself.
//
// Regular expressions are RE2's: matching takes time linear in the name
// whatever the pattern, so no rule can hang the application.

#include <memory>
#include <string>
#include <vector>

namespace re2 {
class RE2;
}

namespace bulkrename {

enum class Casing { keep, lower, upper, title };
enum class Place { start, end };

/// The rules, applied in this order: find and replace, change of case, then
/// the name is put together as [number] prefix NAME suffix [number] extension.
struct Rules {
  std::string find;  ///< empty: no find and replace
  std::string replace;
  /// `find` is a regular expression (RE2 syntax); `replace` may use $1 to $99
  /// (a group), $& (the match), $` and $' (the text before and after it), $$.
  bool regex = false;
  bool match_case = true;
  Casing casing = Casing::keep;
  std::string prefix;
  std::string suffix;
  bool numbering = false;
  long start = 1;  ///< the first entry's number
  int width = 1;   ///< numbers take at least this many digits, padded with zeros
  Place number_at = Place::end;
  /// The extension (from the last dot that does not start the name) is left
  /// as it is and every rule works on the rest.
  bool keep_extension = true;

  bool operator==(const Rules&) const = default;
};

/// Largest number width the rules accept.
inline constexpr int max_width = 18;

/// Rules made ready for use. Immutable; cheap to share.
class Proposal {
 public:
  /// Throws std::invalid_argument with a reason fit to show the user when the
  /// rules cannot be used: a regular expression RE2 refuses (bad syntax,
  /// nested too deeply, too large), a negative start, a width outside
  /// 1..max_width.
  explicit Proposal(Rules rules = {});

  const Rules& rules() const { return rules_; }

  /// The new name for `name`, the entry at `index` (0, 1, ...) in display
  /// order; numbering gives it start + index. The result may be empty or
  /// unfit as a name: the renaming checks it. Regular expressions leave a
  /// name holding one of U+10FF80..U+10FFFF as it is when the name or the
  /// rules also hold bytes that are not UTF-8 (see proposal.cpp).
  std::string propose(const std::string& name, long index) const;

 private:
  // One piece of a regular expression's replacement.
  struct Piece {
    enum Kind { text, group, before, after };
    Kind kind;
    std::string literal;  // for text
    int number = 0;       // for group; 0 is the whole match
  };

  void parse_replacement(const std::string& text, int groups);
  std::string replace_all(const std::string& stem) const;
  std::string replace_matches(const std::string& text) const;
  std::wstring replace_plain(const std::wstring& text) const;
  std::wstring change_case(const std::wstring& text) const;

  Rules rules_;
  std::wstring find_;
  std::wstring replace_;
  std::shared_ptr<const re2::RE2> pattern_;
  std::vector<Piece> replacement_;
  bool rules_hold_raw_bytes_ = false;
};

}  // namespace bulkrename
