#pragma once

// The name proposal: new names from a few rules the user sets. No widgets:
// names in and out are the file system's bytes. Characters (for changes of
// case and case-blind matching) are read as UTF-8; a byte that is not part of
// a valid sequence is kept exactly and matches only itself.

#include <locale>
#include <regex>
#include <string>

namespace bulkrename {

enum class Casing { keep, lower, upper, title };
enum class Place { start, end };

/// The rules, applied in this order: find and replace, change of case, then
/// the name is put together as [number] prefix NAME suffix [number] extension.
struct Rules {
  std::string find;  ///< empty: no find and replace
  std::string replace;
  bool regex = false;  ///< `find` is an ECMAScript expression; `replace` may use $1, $&
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
  /// rules cannot be used: a bad regular expression, a negative start, a
  /// width outside 1..max_width.
  explicit Proposal(Rules rules = {});

  const Rules& rules() const { return rules_; }

  /// The new name for `name`, the entry at `index` (0, 1, ...) in display
  /// order; numbering gives it start + index. The result may be empty or
  /// unfit as a name: the renaming checks it.
  std::string propose(const std::string& name, long index) const;

 private:
  std::wstring replace_all(const std::wstring& text) const;
  std::wstring change_case(const std::wstring& text) const;

  Rules rules_;
  std::wstring find_;
  std::wstring replace_;
  std::wregex pattern_;
};

}  // namespace bulkrename
