#include <gtest/gtest.h>

#include <stdexcept>

#include "proposal.h"

using namespace bulkrename;

namespace {

std::string propose(const Rules& rules, const std::string& name, long index = 0) {
  return Proposal(rules).propose(name, index);
}

Rules find(std::string text, std::string replacement) {
  Rules rules;
  rules.find = std::move(text);
  rules.replace = std::move(replacement);
  return rules;
}

}  // namespace

TEST(Proposal, NoRulesProposeTheNameItself) {
  EXPECT_EQ(propose({}, "holiday photo.JPG"), "holiday photo.JPG");
  EXPECT_EQ(propose({}, ".profile"), ".profile");
  Rules empty_regex;
  empty_regex.regex = true;
  EXPECT_EQ(propose(empty_regex, "a.txt"), "a.txt");
}

TEST(Proposal, PlainFindReplacesEveryOccurrenceInTheStem) {
  EXPECT_EQ(propose(find("-", "_"), "a-b--c.txt"), "a_b__c.txt");
  EXPECT_EQ(propose(find("aa", "a"), "aaaa.txt"), "aa.txt");  // left to right, no overlap
  EXPECT_EQ(propose(find(".", "_"), "v1.2.tar"), "v1_2.tar");
  // Regex characters are plain text here.
  EXPECT_EQ(propose(find("(1)", ""), "copy (1).pdf"), "copy .pdf");
  // The extension is left alone unless the rules may change it.
  EXPECT_EQ(propose(find("txt", "md"), "txt.txt"), "md.txt");
  Rules whole = find("txt", "md");
  whole.keep_extension = false;
  EXPECT_EQ(propose(whole, "txt.txt"), "md.md");
}

TEST(Proposal, PlainFindIgnoresCaseOnlyWhenAskedAndAcrossAlphabets) {
  Rules rules = find("photo", "pic");
  EXPECT_EQ(propose(rules, "Photo PHOTO photo.jpg"), "Photo PHOTO pic.jpg");
  rules.match_case = false;
  EXPECT_EQ(propose(rules, "Photo PHOTO photo.jpg"), "pic pic pic.jpg");
  Rules accents = find("ÉTÉ", "summer");
  accents.match_case = false;
  EXPECT_EQ(propose(accents, "été-Été.txt"), "summer-summer.txt");
}

TEST(Proposal, RegularExpressionsUseGroupsAndCaseBlindMatching) {
  Rules swap = find("(\\d+)-(\\d+)", "$2-$1");
  swap.regex = true;
  EXPECT_EQ(propose(swap, "10-20 scan.png"), "20-10 scan.png");
  Rules prefix = find("^img_", "photo ");
  prefix.regex = true;
  EXPECT_EQ(propose(prefix, "IMG_0001.JPG"), "IMG_0001.JPG");
  prefix.match_case = false;
  EXPECT_EQ(propose(prefix, "IMG_0001.JPG"), "photo 0001.JPG");
  Rules accents = find("é+", "e");
  accents.regex = true;
  accents.match_case = false;
  EXPECT_EQ(propose(accents, "cafÉé.txt"), "cafe.txt");
}

TEST(Proposal, ReplacementsFollowECMAScriptDollarRules) {
  Rules rules = find("(b)(c)?", "[$&|$1|$2|$`|$'|$$|$0|$3|$x]");
  rules.regex = true;
  EXPECT_EQ(propose(rules, "abd.txt"), "a[b|b||a|d|$|$0|$3|$x]d.txt");
  // Two digits name a group only when there are that many.
  Rules ten = find("(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)", "$10-$11");
  ten.regex = true;
  EXPECT_EQ(propose(ten, "abcdefghij.txt"), "j-a1.txt");
  // Empty matches take the next character along; "^" only matches once.
  Rules empty = find("x*", "-");
  empty.regex = true;
  EXPECT_EQ(propose(empty, "aé.txt"), "-a-é-.txt");
  Rules start = find("^a", "b");
  start.regex = true;
  EXPECT_EQ(propose(start, "aaa.txt"), "baa.txt");
}

TEST(Proposal, HostileRegularExpressionsFinishOrAreRefused) {
  // Each of these backtracked for minutes, or crashed, with a backtracking
  // matcher; the test's time limit catches a return of that.
  Rules nested = find("(a*)*b", "x");
  nested.regex = true;
  EXPECT_EQ(propose(nested, std::string(20, 'a')), std::string(20, 'a'));
  EXPECT_EQ(propose(nested, std::string(250, 'a') + ".txt"), std::string(250, 'a') + ".txt");
  Rules words = find("^(\\w+\\s?)*$", "x");
  words.regex = true;
  words.keep_extension = false;
  const std::string holiday = "My holiday photos from the beach 2023 - copy!.jpg";
  EXPECT_EQ(propose(words, holiday), holiday);
  Rules deep = find(std::string(50'000, '(') + "a" + std::string(50'000, ')'), "b");
  deep.regex = true;
  try {
    EXPECT_EQ(propose(deep, "a.txt"), "b.txt");
  } catch (const std::invalid_argument& error) {
    EXPECT_EQ(std::string(error.what()).rfind("Bad regular expression", 0), 0u);
  }
  Rules huge = find("((((a{100}){100}){100}){100})", "b");
  huge.regex = true;
  EXPECT_THROW(Proposal{huge}, std::invalid_argument);
}

TEST(Proposal, BadRulesAreRefusedWithAReasonForTheUser) {
  Rules bad = find("(unclosed", "");
  bad.regex = true;
  try {
    Proposal proposal(bad);
    FAIL() << "a bad expression was accepted";
  } catch (const std::invalid_argument& error) {
    EXPECT_NE(std::string(error.what()).find("Bad regular expression \"(unclosed\""),
              std::string::npos);
  }
  Rules numbers;
  numbers.numbering = true;
  numbers.width = 0;
  EXPECT_THROW(Proposal{numbers}, std::invalid_argument);
  numbers.width = max_width + 1;
  EXPECT_THROW(Proposal{numbers}, std::invalid_argument);
  numbers.width = max_width;
  numbers.start = -1;
  EXPECT_THROW(Proposal{numbers}, std::invalid_argument);
  // Without numbering its settings do not matter.
  numbers.numbering = false;
  EXPECT_NO_THROW(Proposal{numbers});
}

TEST(Proposal, ChangesCaseOfEveryAlphabet) {
  Rules rules;
  rules.casing = Casing::lower;
  EXPECT_EQ(propose(rules, "ÉCOLE Straße.PDF"), "école straße.PDF");
  rules.casing = Casing::upper;
  EXPECT_EQ(propose(rules, "école ärger.pdf"), "ÉCOLE ÄRGER.pdf");
  rules.casing = Casing::title;
  EXPECT_EQ(propose(rules, "hello wORLD-foo's 2nd_part.TXT"), "Hello World-Foo's 2nd_Part.TXT");
  EXPECT_EQ(propose(rules, "élan vital.txt"), "Élan Vital.txt");
  rules.keep_extension = false;
  rules.casing = Casing::lower;
  EXPECT_EQ(propose(rules, "IMG.JPG"), "img.jpg");
}

TEST(Proposal, PrefixSuffixAndNumberGoAroundTheStem) {
  Rules rules;
  rules.prefix = "p_";
  rules.suffix = "_s";
  rules.numbering = true;
  rules.start = 7;
  rules.width = 3;
  EXPECT_EQ(propose(rules, "a.txt", 0), "p_a_s007.txt");
  EXPECT_EQ(propose(rules, "a.txt", 2), "p_a_s009.txt");
  rules.number_at = Place::start;
  EXPECT_EQ(propose(rules, "a.txt", 2), "009p_a_s.txt");
  rules.start = 100;
  rules.width = 2;  // a width is a least, never a cut
  EXPECT_EQ(propose(rules, "a.txt", 0), "100p_a_s.txt");
  // Find and replace and case come first, then the name is put together.
  Rules order = find("a", "b");
  order.casing = Casing::upper;
  order.prefix = "x-";
  EXPECT_EQ(propose(order, "abc.txt"), "x-BBC.txt");
}

TEST(Proposal, ExtensionIsTheTextFromTheLastDotThatDoesNotStartTheName) {
  Rules rules;
  rules.suffix = "_x";
  EXPECT_EQ(propose(rules, "archive.tar.gz"), "archive.tar_x.gz");
  EXPECT_EQ(propose(rules, ".profile"), ".profile_x");
  EXPECT_EQ(propose(rules, "README"), "README_x");
  EXPECT_EQ(propose(rules, "trailing."), "trailing_x.");
  rules.keep_extension = false;
  EXPECT_EQ(propose(rules, "archive.tar.gz"), "archive.tar.gz_x");
}

TEST(Proposal, BytesThatAreNotUtf8SurviveEveryRule) {
  const std::string latin1 = "caf\xE9 menu.txt";  // é in Latin-1
  Rules rules;
  rules.casing = Casing::upper;
  EXPECT_EQ(propose(rules, latin1), "CAF\xE9 MENU.txt");
  rules.casing = Casing::title;
  EXPECT_EQ(propose(rules, latin1), "Caf\xE9 Menu.txt");
  Rules blind = find("CAF", "bar");
  blind.match_case = false;
  EXPECT_EQ(propose(blind, latin1), "bar\xE9 menu.txt");
  // The byte matches itself, never the replacement character it is shown as.
  EXPECT_EQ(propose(find("\xEF\xBF\xBD", "?"), latin1), latin1);
  Rules regex = find(".", "-");
  regex.regex = true;
  EXPECT_EQ(propose(regex, "\xE9\xE9.txt"), "--.txt");
  Rules groups = find("(\\w+)(.)", "$2$1");
  groups.regex = true;
  EXPECT_EQ(propose(groups, "caf\xE9.txt"), "\xE9" "caf.txt");
  // A byte in the rules matches that byte only.
  Rules byte = find("\xE9", "e");
  byte.regex = true;
  EXPECT_EQ(propose(byte, "caf\xE9 caf\xC3\xA9.txt"), "cafe caf\xC3\xA9.txt");
  // The private-use characters that stand for such bytes while matching
  // come back as themselves, unless they could be taken for such a byte.
  const std::string private_use = "a\xF4\x8F\xBE\x80";  // U+10FF80
  EXPECT_EQ(propose(regex, private_use + ".txt"), "--.txt");
  EXPECT_EQ(propose(groups, private_use + ".txt"), "\xF4\x8F\xBE\x80" "a.txt");
  EXPECT_EQ(propose(groups, private_use + "\xE9.txt"), private_use + "\xE9.txt");
}
