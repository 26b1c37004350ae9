#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <sstream>
#include <streambuf>

#include "commands.h"
#include "escape.h"
#include "temp_folder.h"
#include "unprivileged.h"

using namespace bulkrename;
using Listing = std::vector<std::string>;

namespace {

// Output to a full disk: nothing can be written.
class Full : public std::streambuf {
 protected:
  int overflow(int) override {
    errno = ENOSPC;
    return traits_type::eof();
  }
  std::streamsize xsputn(const char*, std::streamsize) override {
    errno = ENOSPC;
    return 0;
  }
};

}  // namespace

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

TEST(DryRun, LeavesHiddenEntriesOutUnlessAsked) {
  TempFolder dir;
  dir.file(".git/HEAD");
  dir.file(".git/refs/main");
  dir.file(".profile");
  dir.file("notes/.draft");
  dir.file("notes/todo");
  dir.file("name.with.dots");
  Options options;
  options.rules.casing = Casing::upper;
  options.rules.keep_extension = false;
  std::ostringstream out, errors;
  EXPECT_EQ(dry_run(options, dir.path(), out, errors), 0);
  EXPECT_EQ(out.str(), "name.with.dots\tNAME.WITH.DOTS\nnotes/todo\tnotes/TODO\n");

  options.hidden = true;
  std::ostringstream all;
  EXPECT_EQ(dry_run(options, dir.path(), all, errors), 0);
  EXPECT_EQ(all.str(),
            ".git/refs/main\t.git/refs/MAIN\n"
            ".profile\t.PROFILE\n"
            "name.with.dots\tNAME.WITH.DOTS\n"
            "notes/.draft\tnotes/.DRAFT\n"
            "notes/todo\tnotes/TODO\n");
  EXPECT_EQ(errors.str(), "");
}

TEST(DryRun, UnreadableFoldersAreListedAndFail) {
  TempFolder dir;
  dir.file("open/a.txt");
  dir.file("locked/b.txt");
  dir.file(".locked/c.txt");
  dir.give_to(nobody);
  ::chmod((dir / "locked").c_str(), 0);
  ::chmod((dir / ".locked").c_str(), 0);
  Options options;
  options.rules.casing = Casing::upper;

  std::string result = as_unprivileged([&] {
    std::ostringstream out, errors;
    int status = dry_run(options, dir.path(), out, errors);
    return std::to_string(status) + "|" + out.str() + "|" + errors.str();
  });

  // A hidden folder is not looked into, so not missed.
  EXPECT_EQ(result,
            "1||locked: the folder cannot be read (Permission denied), so nothing in it is "
            "shown\n");
}

TEST(Apply, DoesWhatTheDryRunPrintsAndUndoPutsItBack) {
  TempFolder dir, journals;
  dir.file("sub/c.txt", "c");
  dir.file("a.txt", "a");
  dir.file(".hidden");
  const Listing before = dir.listing();
  Options options;
  options.rules.casing = Casing::upper;
  std::ostringstream plan, out, errors;
  ASSERT_EQ(dry_run(options, dir.path(), plan, errors), status_done);
  EXPECT_EQ(plan.str(), "a.txt\tA.txt\nsub/c.txt\tsub/C.txt\n");

  // Deepest first, as done.
  EXPECT_EQ(apply(options, dir.path(), journals.path(), out, errors), status_done);
  EXPECT_EQ(out.str(), "sub/c.txt\tsub/C.txt\na.txt\tA.txt\n");
  EXPECT_EQ(errors.str(), "");
  EXPECT_EQ(dir.listing(), (Listing{".hidden", "A.txt", "sub/", "sub/C.txt"}));

  std::ostringstream back;
  EXPECT_EQ(undo(journals.path(), back, errors), status_done);
  EXPECT_EQ(back.str(), "A.txt\ta.txt\nsub/C.txt\tsub/c.txt\n");
  EXPECT_EQ(dir.listing(), before);
  std::ostringstream nothing;
  EXPECT_EQ(undo(journals.path(), nothing, errors), status_problems);
  EXPECT_EQ(nothing.str(), "");
  EXPECT_NE(errors.str().find("nothing to undo"), std::string::npos) << errors.str();
}

TEST(Apply, ProblemsDoNothingAndAStopMidwayListsWhatWasDone) {
  TempFolder dir, journals;
  dir.file("x1.txt");
  dir.file("x2.txt");
  dir.file("y.txt");
  Options clash;
  clash.rules.find = "[0-9]";
  clash.rules.regex = true;
  std::ostringstream out, errors;
  EXPECT_EQ(apply(clash, dir.path(), journals.path(), out, errors), status_problems);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(errors.str(), "x2.txt: it would end up at x.txt, as x1.txt would\n");
  EXPECT_EQ(journals.listing(), Listing{});

  // Output that cannot be written stops the batch after the first rename.
  Options upper;
  upper.rules.casing = Casing::upper;
  Full full;
  std::ostream nowhere(&full);
  std::ostringstream stopped;
  EXPECT_EQ(apply(upper, dir.path(), journals.path(), nowhere, stopped), status_stopped);
  EXPECT_EQ(dir.listing(), (Listing{"X1.txt", "x2.txt", "y.txt"}));
  EXPECT_EQ(stopped.str(),
            "bulkrename: Renamed 1 of 3.\n"
            "bulkrename: Stopped: the output cannot be written (No space left on device).\n"
            "bulkrename: Not tried, left as they were (2):\n"
            "bulkrename:   x2.txt -> X2.txt\n"
            "bulkrename:   y.txt -> Y.txt\n"
            "bulkrename: Done:\n"
            "bulkrename:   x1.txt -> X1.txt\n");
  std::ostringstream why;
  nowhere.clear();
  EXPECT_EQ(dry_run(upper, dir.path(), nowhere, why), status_problems);
  EXPECT_EQ(why.str(), "bulkrename: the output cannot be written (No space left on device)\n");
}

TEST(Printable, EscapesWhatWouldBreakALineAndBytesThatAreNotUtf8) {
  EXPECT_EQ(printable("plain été.txt"), "plain été.txt");
  EXPECT_EQ(printable("tab\there\nnew\\line"), "tab\\there\\nnew\\\\line");
  EXPECT_EQ(printable("bell\x07 del\x7F"), "bell\\x07 del\\x7F");
  EXPECT_EQ(printable("caf\xE9"), "caf\\xE9");
}
