// The rule that shows a name's bytes as text and reads an edited text back:
// plain strings, no widgets.

#include <filerow/display_text.h>

#include <gtest/gtest.h>

#include <string>

using filerow::from_display;
using filerow::to_display;
using filerow::to_label;

namespace {

std::string utf8(const wxString& text) { return text.utf8_string(); }

}  // namespace

TEST(DisplayText, ShowsStrayBytesAsReplacementsAndControlsAsPictures) {
  const struct {
    std::string bytes;
    std::string shown;
  } cases[] = {
      {"", ""},
      {"plain.txt", "plain.txt"},
      {"caf\xc3\xa9 \xf0\x9f\x98\x80", "caf\xc3\xa9 \xf0\x9f\x98\x80"},
      {"caf\xe9.txt", "caf\uFFFD.txt"},               // Latin-1
      {"\xc3", "\uFFFD"},                              // cut short
      {"\xc0\xaf", "\uFFFD\uFFFD"},                    // overlong
      {"\xed\xa0\x80", "\uFFFD\uFFFD\uFFFD"},          // a surrogate
      {"a\tb\nc\x1b\x7f", "a\u2409b\u240Ac\u241B\u2421"},
      {std::string("nul\0", 4), "nul\u2400"},
  };
  for (const auto& c : cases) EXPECT_EQ(utf8(to_display(c.bytes)), c.shown) << c.bytes;
}

TEST(DisplayText, ReadsAnEditedTextBackKeepingTheBytesLeftAsTheyWere) {
  const struct {
    std::string shown;
    std::string text;
    std::string bytes;
  } cases[] = {
      // Untouched: the exact bytes, whatever the display made of them.
      {"caf\xe9\x01", "caf\uFFFD\u2401", "caf\xe9\x01"},
      {"x\xe2\x90\x89y", "x\u2409y", "x\xe2\x90\x89y"},  // a real picture stays one
      // Typed before, after or between characters: those keep their bytes,
      // control characters included.
      {"a&b\t", "a&b\u2409Z", "a&b\tZ"},
      {"a&b\t", "Za&b\u2409", "Za&b\t"},
      {"a&b\t", "a&+b\u2409", "a&+b\t"},
      {"caf\xe9\x01", "caf\uFFFD\u2401!", "caf\xe9\x01!"},
      {"x\u2409y", "x\u2409yZ", "x\u2409yZ"},
      // What is typed reads as the display draws it: a picture is its
      // control, a U+FFFD typed or pasted is that character.
      {"a&b\t", "a&\u2409b\u2409", "a&\tb\t"},
      {"name", "\u241B\u2421\u00e9", "\x1b\x7f\xc3\xa9"},
      {"caf\xe9", "\uFFFD-caf", "\xef\xbf\xbd-caf"},
      // Emptied, or nothing shown before.
      {"caf\xe9", "", ""},
      {"", "new\u2409", "new\t"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(from_display(wxString::FromUTF8(c.text), c.shown), c.bytes) << c.text;
}

TEST(DisplayText, LabelsShowAnAmpersandRatherThanAMnemonic) {
  EXPECT_EQ(utf8(to_label("Zz&y\t\xe9")), "Zz&&y\u2409\uFFFD");
}
