#include <gtest/gtest.h>

#include <sstream>

#include "dryrun.h"
#include "escape.h"
#include "temp_folder.h"

using namespace bulkrename;
using Listing = std::vector<std::string>;

TEST(DryRun, PrintsOldAndNewPathsOfEveryRenameAndTouchesNothing) {
  TempFolder dir;
  dir.file("b.txt");
  dir.file("a.txt");
  dir.file("sub/c.txt");
  dir.file("sub/C2.txt");
  dir.file("skip.md");
  const Listing before = dir.listing();
  Options options;
  options.pattern = "*.txt";
  options.rules.casing = Casing::upper;
  options.rules.numbering = true;
  options.rules.width = 2;
  std::ostringstream out, errors;

  int status = dry_run(options, dir.path(), out, errors);

  EXPECT_EQ(status, 0);
  // Numbers follow the order shown; a name that stays is not a rename.
  EXPECT_EQ(out.str(),
            "a.txt\tA01.txt\n"
            "b.txt\tB02.txt\n"
            "sub/C2.txt\tsub/C203.txt\n"
            "sub/c.txt\tsub/C04.txt\n");
  EXPECT_EQ(errors.str(), "");
  EXPECT_EQ(dir.listing(), before);
}

TEST(DryRun, RenamesFoldersWithTheirPathsAsTheyWillBe) {
  TempFolder dir;
  dir.folder("photos/summer");
  dir.folder("photos/2020");
  dir.folder("notes");
  Options options;
  options.folders = true;
  options.rules.casing = Casing::title;
  std::ostringstream out, errors;
  EXPECT_EQ(dry_run(options, dir.path(), out, errors), 0);
  // The sub-folder is shown where it ends up, inside its renamed folder.
  EXPECT_EQ(out.str(), "notes\tNotes\nphotos\tPhotos\nphotos/summer\tPhotos/Summer\n");
}

TEST(DryRun, ReportsTheProblemsOfTheBatchAndFails) {
  TempFolder dir;
  for (const char* name : {"x1.txt", "x2.txt", "y.txt", "z3.txt", "z.txt"}) dir.file(name);
  Options options;
  options.rules.find = "[0-9]|^y\\.txt$";
  options.rules.regex = true;
  options.rules.keep_extension = false;
  std::ostringstream out, errors;

  EXPECT_EQ(dry_run(options, dir.path(), out, errors), 1);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(errors.str(),
            "x2.txt: it would end up at x.txt, as x1.txt would\n"
            "y.txt: the new name is empty\n"
            "z3.txt: \"z.txt\" already exists\n");
}

TEST(Printable, EscapesWhatWouldBreakALineAndBytesThatAreNotUtf8) {
  EXPECT_EQ(printable("plain été.txt"), "plain été.txt");
  EXPECT_EQ(printable("tab\there\nnew\\line"), "tab\\there\\nnew\\\\line");
  EXPECT_EQ(printable("bell\x07 del\x7F"), "bell\\x07 del\\x7F");
  EXPECT_EQ(printable("caf\xE9"), "caf\\xE9");
}
