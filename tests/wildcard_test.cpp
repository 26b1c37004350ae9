// The scan's pattern, name by name: tables of patterns and the names each
// matches among a set, every other name of the set not matching. No disk.

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <string>
#include <vector>

#include "wildcard.h"

namespace {

using Names = std::vector<std::string>;

struct Case {
  std::string pattern;
  Names matches;
};

void expect_matches(const Names& names, const std::vector<Case>& cases) {
  for (const Case& test : cases) {
    const tickpane::Wildcard wildcard(test.pattern);
    for (const std::string& name : test.matches)
      ASSERT_NE(std::find(names.begin(), names.end(), name), names.end())
          << "pattern " << testing::PrintToString(test.pattern) << ": "
          << testing::PrintToString(name) << " is not in the set";
    for (const std::string& name : names) {
      const bool expected =
          std::find(test.matches.begin(), test.matches.end(), name) != test.matches.end();
      EXPECT_EQ(wildcard.matches(name), expected)
          << "pattern " << testing::PrintToString(test.pattern) << ", name "
          << testing::PrintToString(name);
    }
  }
}

}  // namespace

TEST(Wildcard, FollowsShellRules) {
  const Names names{"a.txt", "b.TXT", ".profile", "abc", "a\\b", "a*", "[", "[x", "]", "^", "x",
                    "-", "README"};
  expect_matches(names, {
      {"*", names},
      {"*.txt", {"a.txt"}},
      {"*.*", {"a.txt", "b.TXT", ".profile"}},
      {".*", {".profile"}},
      {"?", {"[", "]", "^", "x", "-"}},
      {"[a-b]*", {"a.txt", "b.TXT", "abc", "a\\b", "a*"}},
      {"[!a-z]*", {".profile", "[", "[x", "]", "^", "-", "README"}},
      {"[]]", {"]"}},
      {"[!]]", {"[", "^", "x", "-"}},
      {"[^x]", {"^", "x"}},
      {"[z-a]", {}},
      // No escapes: a backslash is itself, a set holds a literal star.
      {"a\\b", {"a\\b"}},
      {"a\\*", {"a\\b"}},
      {"a[*]", {"a*"}},
      // A bracket that never closes is itself.
      {"[", {"["}},
      {"[x", {"[x"}},
      {"", {}},
  });
}

TEST(Wildcard, ReadsNamesAsCharactersWhateverTheLocale) {
  const std::string cafe = "caf\xc3\xa9", latin = "caf\xe9", replaced = "caf\xef\xbf\xbd";
  const std::string longest(255, 'n');
  // An encoded surrogate and an overlong '/' are three stray bytes each.
  const std::string surrogate = "\xed\xa0\x80", overlong = "\xe0\x80\xaf";
  const Names names{cafe,   latin,         replaced, "\xff", "\xfe",  surrogate,
                    "\xc3", "line\nbreak", longest,  overlong};
  for (const char* locale : {"C", "C.UTF-8"}) {
    SCOPED_TRACE(locale);
    ASSERT_NE(std::setlocale(LC_ALL, locale), nullptr);
    expect_matches(names, {
        {"*", names},
        {"caf?", {cafe, latin, replaced}},
        {"caf??", {}},
        {"???", {overlong, surrogate}},
        // A pattern's stray byte never splits a character.
        {"*\xa9", {}},
        {"?", {"\xc3", "\xfe", "\xff"}},
        {"[\xfe-\xff]", {"\xfe", "\xff"}},
        {"line*", {"line\nbreak"}},
        {"n*n", {longest}},
    });
  }
  std::setlocale(LC_ALL, "C");
}
