// Names as bytes: reading them as characters, and paths taken apart.

#include <fsname/path.h>
#include <fsname/utf8.h>
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

std::string random_bytes(std::mt19937& random) {
  std::string bytes(1 + random() % 12, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random());
  return bytes;
}

}  // namespace

TEST(Utf8, AnyBytesComeBackExactlyFromWidenAndNarrow) {
  EXPECT_EQ(fsname::widen("aé€😀"), std::wstring(L"aé€\U0001F600"));
  // Overlong forms, encoded surrogates, stray continuation and cut sequences.
  for (const std::string bytes : {"\xC0\xAF", "\xED\xA0\x80", "\x80x", "\xE2\x82", "\xF5\x80"}) {
    std::wstring wide = fsname::widen(bytes);
    for (wchar_t c : wide) EXPECT_TRUE(c < 0x80 || fsname::is_raw_byte(c)) << int(c);
    EXPECT_EQ(fsname::narrow(wide), bytes);
    EXPECT_FALSE(fsname::valid_utf8(bytes));
  }
  std::mt19937 random(7);
  for (int round = 0; round < 500; ++round) {
    const std::string bytes = random_bytes(random);
    ASSERT_EQ(fsname::narrow(fsname::widen(bytes)), bytes);
  }
}

// The pattern's tail is matched from the end of a name: reading backwards
// must meet the very characters reading forwards does.
TEST(Utf8, ReadingBackwardsFindsTheCharactersReadForwards) {
  std::mt19937 random(11);
  for (int round = 0; round < 2000; ++round) {
    // Mostly bytes that start or continue sequences, so that they nest.
    std::string bytes = random_bytes(random);
    if (round % 2 == 0)
      for (char& byte : bytes) byte = static_cast<char>(0x80 | (random() % 0x78));
    std::vector<char32_t> forwards, backwards;
    for (std::size_t at = 0; at < bytes.size();) {
      const fsname::Character character = fsname::character_at(bytes, at);
      forwards.push_back(character.code);
      at += character.size;
    }
    for (std::size_t end = bytes.size(); end > 0;) {
      const fsname::Character character = fsname::character_before(bytes, end);
      backwards.insert(backwards.begin(), character.code);
      end -= character.size;
    }
    ASSERT_EQ(backwards, forwards) << testing::PrintToString(bytes);
  }
}

TEST(Path, SplitAndJoinAreInverses) {
  using Parts = std::vector<std::string>;
  EXPECT_EQ(fsname::split(""), Parts{""});
  EXPECT_EQ(fsname::split("a/b"), (Parts{"a", "b"}));
  EXPECT_EQ(fsname::split("/a//"), (Parts{"", "a", "", ""}));
  for (const char* path : {"", "a", "a/b/c", "/a", "a/", "//"})
    EXPECT_EQ(fsname::join(fsname::split(path)), path);
  EXPECT_EQ(fsname::join({}), "");

  EXPECT_EQ(fsname::child_path("", "a"), "a");
  EXPECT_EQ(fsname::child_path("/", "a"), "/a");
  EXPECT_EQ(fsname::child_path("x/y", "a"), "x/y/a");
  EXPECT_EQ(fsname::last_part("x/y/a"), "a");
  EXPECT_EQ(fsname::last_part("a"), "a");
  EXPECT_EQ(fsname::last_part("x/"), "");
}
