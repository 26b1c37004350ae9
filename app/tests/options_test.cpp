#include <gtest/gtest.h>

#include <stdexcept>

#include "options.h"

using namespace bulkrename;
using Args = std::vector<std::string>;

TEST(Options, DefaultsShowEveryFileRecursivelyAndChangeNothing) {
  Options options = parse_options({});
  EXPECT_EQ(options.folder, "");
  EXPECT_FALSE(options.pattern);
  EXPECT_FALSE(options.folders);
  EXPECT_TRUE(options.recursive);
  EXPECT_EQ(options.rules, Rules{});
  EXPECT_FALSE(options.dry_run);
  EXPECT_EQ(options.screenshot, "");
}

TEST(Options, EveryRuleAndSettingCanBeGiven) {
  Options options = parse_options({"photos", "-p", "*.jpg", "--folders", "--no-recursive",
                                   "--hidden", "--find=IMG_", "--replace", "photo ", "--regex",
                                   "--ignore-case", "--case", "title", "--prefix", "p",
                                   "--suffix=s", "--start", "5", "--width=3", "--number-at",
                                   "start", "--whole-name", "--tick-all", "--screenshot",
                                   "out.png"});
  EXPECT_EQ(options.folder, "photos");
  EXPECT_EQ(options.pattern, "*.jpg");
  EXPECT_TRUE(options.folders);
  EXPECT_FALSE(options.recursive);
  EXPECT_TRUE(options.hidden);
  const Rules& rules = options.rules;
  EXPECT_EQ(rules.find, "IMG_");
  EXPECT_EQ(rules.replace, "photo ");
  EXPECT_TRUE(rules.regex);
  EXPECT_FALSE(rules.match_case);
  EXPECT_EQ(rules.casing, Casing::title);
  EXPECT_EQ(rules.prefix, "p");
  EXPECT_EQ(rules.suffix, "s");
  EXPECT_TRUE(rules.numbering);  // implied by --start and --width
  EXPECT_EQ(rules.start, 5);
  EXPECT_EQ(rules.width, 3);
  EXPECT_EQ(rules.number_at, Place::start);
  EXPECT_FALSE(rules.keep_extension);
  EXPECT_TRUE(options.tick_all);
  EXPECT_EQ(options.screenshot, "out.png");
  EXPECT_TRUE(parse_options({"--dry-run"}).dry_run);
  EXPECT_TRUE(parse_options({"photos", "--apply"}).apply);
  EXPECT_TRUE(parse_options({"--undo"}).undo);
  // After "--" a folder may look like an option.
  EXPECT_EQ(parse_options({"--", "-odd"}).folder, "-odd");
}

TEST(Options, NonsenseIsRefusedWithAMessage) {
  for (const Args& args : {Args{"--frobnicate"}, Args{"a", "b"}, Args{"--case", "shouty"},
                           Args{"--start", "x"}, Args{"--start", "1e3"}, Args{"--find"},
                           Args{"--number-at", "middle"}, Args{"--screenshot="},
                           Args{"--dry-run=yes"}, Args{""}, Args{"--", ""}, Args{"--apply"},
                           Args{"--undo", "photos"}, Args{"photos", "--dry-run", "--apply"},
                           Args{"--dry-run", "--screenshot", "x.png"}}) {
    EXPECT_THROW(parse_options(args), std::invalid_argument) << args.front();
  }
  try {
    parse_options({"--case", "shouty"});
  } catch (const std::invalid_argument& error) {
    EXPECT_STREQ(error.what(), "--case takes keep, lower, upper or title, not \"shouty\"");
  }
}
