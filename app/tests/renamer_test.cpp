#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "journal.h"
#include "outcome_texts.h"
#include "renamer.h"
#include "report.h"
#include "temp_folder.h"
#include "unprivileged.h"
#include "test_filesystem.h"

using namespace bulkrename;
using Listing = std::vector<std::string>;
using Texts = std::vector<std::string>;

namespace {

Texts reasons(const std::vector<Problem>& problems) {
  Texts texts;
  for (const Problem& problem : problems) texts.push_back(join(problem.path) + ": " + problem.reason);
  return texts;
}

// "folder/from>to" for each move.
Texts moves(const std::vector<Move>& moves) {
  Texts texts;
  for (const Move& move : moves) {
    Path path = move.folder;
    path.push_back(move.from);
    texts.push_back(join(path) + ">" + move.to);
  }
  return texts;
}

void symlink_to(const std::string& target, const std::string& link) {
  ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
}

}  // namespace

class Renaming : public ::testing::Test {
 protected:
  Renamer renamer(Filesystem& fs = Filesystem::local()) const {
    return Renamer(dir.path(), journals.path(), fs);
  }

  TempFolder dir;
  TempFolder journals;
};

TEST_F(Renaming, RenamesABatchKeepingContentsAndRecordingEachMove) {
  dir.file("a.txt", "first");
  dir.file("b.txt", "second");
  dir.file("c.txt", "third");
  std::vector<Entry> batch{{{"a.txt"}, "A.txt"}, {{"b.txt"}, "b2.txt"}, {{"c.txt"}, "c.txt"}};

  Outcome outcome = renamer().rename(batch);

  EXPECT_TRUE(outcome.problems.empty());
  EXPECT_TRUE(outcome.failures.empty());
  // An entry that keeps its name is left out; the rest are done in order.
  EXPECT_EQ(moves(outcome.done), (Texts{"a.txt>A.txt", "b.txt>b2.txt"}));
  EXPECT_EQ(outcome.done[1].entry, 1u);
  EXPECT_EQ(outcome.planned(), 2u);
  EXPECT_EQ(dir.listing(), (Listing{"A.txt", "b2.txt", "c.txt"}));
  EXPECT_EQ(dir.read("A.txt"), "first");
  EXPECT_EQ(dir.read("b2.txt"), "second");
}

TEST_F(Renaming, CheckRefusesTheWholeBatchForAnyProblemAndSaysWhich) {
  for (const char* name : {"good", "empty", "slash", "nul", "dot", "dotdot", "long", "taken",
                           "exists", "twin1", "twin2"})
    dir.file(name);
  dir.file("sub/inner");
  std::vector<Entry> batch{
      {{"good"}, "fine"},
      {{"empty"}, ""},
      {{"slash"}, "a/b"},
      {{"nul"}, std::string("a\0b", 3)},
      {{"dot"}, "."},
      {{"dotdot"}, ".."},
      {{"long"}, std::string(256, 'x')},
      {{"taken"}, "exists"},
      {{"gone"}, "here"},
      {{"twin1"}, "twin"},
      {{"twin2"}, "twin"},
      {{"good"}, "other"},
      {{"sub", "..", "good"}, "escaped"},
      {{".."}, "up"},
  };
  const Listing before = dir.listing();

  Outcome outcome = renamer().rename(batch);

  const std::string outside = "its path holds \"\", \".\" or \"..\"; only names inside the folder are renamed";
  EXPECT_EQ(reasons(outcome.problems),
            (Texts{
                "empty: the new name is empty",
                "slash: the new name holds the separator \"/\"",
                "nul: the new name holds a NUL byte",
                "dot: the new name \".\" is reserved",
                "dotdot: the new name \"..\" is reserved",
                "long: the new name is longer than 255 bytes",
                "taken: \"exists\" already exists",
                "gone: it is no longer there",
                "twin2: it would end up at twin, as twin1 would",
                "good: it is listed twice",
                "sub/../good: " + outside,
                "..: " + outside,
            }));
  EXPECT_TRUE(outcome.done.empty());
  EXPECT_EQ(dir.listing(), before);  // not even "good" was renamed
}

TEST_F(Renaming, RenamesAFolderAndTheEntriesInsideItInOneBatch) {
  dir.file("sub/x.txt", "x");
  dir.file("sub/deep/y.txt", "y");
  dir.file("z.txt", "z");
  // Display order: every folder before what it holds.
  std::vector<Entry> batch{{{"sub"}, "SUB"},
                           {{"sub", "deep"}, "DEEP"},
                           {{"sub", "deep", "y.txt"}, "Y.txt"},
                           {{"sub", "x.txt"}, "X.txt"},
                           {{"z.txt"}, "Z.txt"}};

  EXPECT_EQ(Renamer::targets(batch),
            (std::vector<Path>{{"SUB"}, {"SUB", "DEEP"}, {"SUB", "DEEP", "Y.txt"},
                               {"SUB", "X.txt"}, {"Z.txt"}}));
  // Deepest first, each in its folder as named before the batch.
  EXPECT_EQ(moves(renamer().check(batch).moves),
            (Texts{"sub/deep/y.txt>Y.txt", "sub/deep>DEEP", "sub/x.txt>X.txt", "sub>SUB",
                   "z.txt>Z.txt"}));

  Outcome outcome = renamer().rename(batch);
  EXPECT_TRUE(outcome.problems.empty());
  EXPECT_TRUE(outcome.failures.empty());
  EXPECT_EQ(outcome.done.size(), 5u);
  EXPECT_EQ(dir.listing(),
            (Listing{"SUB/", "SUB/DEEP/", "SUB/DEEP/Y.txt", "SUB/X.txt", "Z.txt"}));
  EXPECT_EQ(dir.read("SUB/DEEP/Y.txt"), "y");
}

TEST_F(Renaming, NeverReplacesAFileThatAppearsAfterTheCheck) {
  dir.file("a", "mine a");
  dir.file("b", "mine b");
  dir.file("c", "mine c");
  std::vector<Entry> batch{{{"a"}, "A"}, {{"b"}, "B"}, {{"c"}, "C"}};
  Renamer::Plan plan = renamer().check(batch);
  ASSERT_TRUE(plan.problems.empty());

  dir.file("B", "theirs");  // someone else, between the check and the rename
  Outcome outcome = renamer().execute(plan.moves);

  EXPECT_EQ(failures(outcome), (Texts{"b: an entry of that name already exists"}));
  EXPECT_EQ(moves(outcome.done), (Texts{"a>A"}));
  EXPECT_EQ(moves(outcome.untried), (Texts{"c>C"}));
  EXPECT_EQ(dir.listing(), (Listing{"A", "B", "b", "c"}));
  EXPECT_EQ(dir.read("B"), "theirs");
  EXPECT_EQ(dir.read("b"), "mine b");
}

TEST_F(Renaming, AnEntryReplacedAfterTheCheckIsNotRenamed) {
  dir.file("a", "checked");
  dir.file("b", "checked");
  Renamer::Plan plan = renamer().check({{{"a"}, "A"}, {{"b"}, "B"}});
  ASSERT_TRUE(plan.problems.empty());

  // "a" becomes a folder of the same name, "b" another file.
  ASSERT_EQ(::unlink((dir / "a").c_str()), 0);
  dir.folder("a");
  Outcome first = renamer().execute({plan.moves[0]});
  ASSERT_EQ(::unlink((dir / "b").c_str()), 0);
  dir.file("b", "new");
  Outcome second = renamer().execute({plan.moves[1]});

  const std::string why = "it is no longer the entry checked: another took its name since";
  EXPECT_EQ(failures(first), (Texts{"a: " + why}));
  EXPECT_EQ(failures(second), (Texts{"b: " + why}));
  EXPECT_EQ(dir.listing(), (Listing{"a/", "b"}));
}

TEST_F(Renaming, NothingOutsideTheFolderIsTouchedThroughALink) {
  TempFolder outside;
  outside.file("a", "outside a");
  outside.file("b", "outside b");
  dir.file("sub/a", "inside a");
  dir.file("sub/b", "inside b");
  // Checked, then the folder is replaced by a link to one outside.
  Renamer::Plan plan = renamer().check({{{"sub", "a"}, "A"}});
  ASSERT_TRUE(plan.problems.empty());
  ASSERT_EQ(::rename((dir / "sub").c_str(), (dir / "moved").c_str()), 0);
  symlink_to(outside.path(), dir / "sub");

  Outcome outcome = renamer().execute(plan.moves);
  EXPECT_EQ(failures(outcome),
            (Texts{"sub/a: the folder sub is now a symbolic link, which is not followed"}));
  // The check itself does not go through it either.
  EXPECT_EQ(reasons(renamer().check({{{"sub", "b"}, "B"}}).problems),
            (Texts{"sub/b: the folder sub is now a symbolic link, which is not followed"}));

  // Swapped in between two renames of one batch.
  ASSERT_EQ(::unlink((dir / "sub").c_str()), 0);
  ASSERT_EQ(::rename((dir / "moved").c_str(), (dir / "sub").c_str()), 0);
  TestFilesystem fs;
  fs.before_rename = [&](int count, const std::string&, const std::string&) {
    if (count == 1) {
      ::rename((dir / "sub").c_str(), (dir / "moved").c_str());
      ::symlink(outside.path().c_str(), (dir / "sub").c_str());
    }
    return 0;
  };
  Outcome swapped = renamer(fs).rename({{{"sub", "a"}, "A"}, {{"sub", "b"}, "B"}});
  EXPECT_EQ(moves(swapped.done), (Texts{"sub/a>A"}));
  EXPECT_EQ(failures(swapped),
            (Texts{"sub/b: the folder sub is now a symbolic link, which is not followed"}));
  EXPECT_EQ(outside.listing(), (Listing{"a", "b"}));
  EXPECT_EQ(outside.read("a"), "outside a");
  EXPECT_EQ(dir.listing(), (Listing{"moved/", "moved/A", "moved/b", "sub"}));
}

TEST_F(Renaming, ChangeOfCaseAloneIsARenameButAHardLinkIsAnotherEntry) {
  dir.file("photo.JPG", "p");
  dir.file("x");
  ASSERT_EQ(::link((dir / "x").c_str(), (dir / "X").c_str()), 0);

  Outcome outcome = renamer().rename({{{"photo.JPG"}, "Photo.jpg"}});
  EXPECT_TRUE(outcome.problems.empty());
  EXPECT_TRUE(outcome.failures.empty());
  EXPECT_EQ(dir.listing(), (Listing{"Photo.jpg", "X", "x"}));

  // "X" is the same file as "x" but is listed on its own: renaming onto it
  // would lose a name.
  EXPECT_EQ(reasons(renamer().check({{{"x"}, "X"}}).problems),
            (Texts{"x: \"X\" already exists"}));
}

TEST_F(Renaming, NamesThatAreNotUtf8AreRenamedByTheirBytesNeverByTheirPicture) {
  const std::string latin1 = "caf\xE9.txt";
  const std::string picture = "caf\xEF\xBF\xBD.txt";  // as shown, with U+FFFD
  dir.file(latin1, "bytes");
  dir.file("real \xEF\xBF\xBD.txt");

  Texts refused = reasons(renamer().check({{{latin1}, picture + "2"}}).problems);
  ASSERT_EQ(refused.size(), 1u);
  EXPECT_EQ(refused[0].rfind(latin1 + ": the new name holds \"\xEF\xBF\xBD\", which only stands "
                                      "on screen for bytes of the name that are not UTF-8",
                             0),
            0u)
      << refused[0];
  // A U+FFFD the name really holds is a character like any other.
  EXPECT_TRUE(renamer().check({{{"real \xEF\xBF\xBD.txt"}, "\xEF\xBF\xBD.txt"}}).problems.empty());

  Outcome outcome = renamer().rename({{{latin1}, latin1 + "2"}});
  EXPECT_TRUE(outcome.failures.empty());
  EXPECT_EQ(dir.listing(), (Listing{latin1 + "2", "real \xEF\xBF\xBD.txt"}));
  EXPECT_EQ(dir.read(latin1 + "2"), "bytes");
}

TEST_F(Renaming, FolderThatIgnoresCaseIsCheckedAsItComparesNames) {
  TestFilesystem fs;
  fs.case_blind = true;
  for (const char* name : {"p", "r", "a", "b", "x"}) dir.file(name, name);

  const std::string note = "; this folder does not tell upper from lower case";
  EXPECT_EQ(reasons(renamer(fs).check({{{"p"}, "Q"}, {{"r"}, "q"}, {{"a"}, "B"}}).problems),
            (Texts{"r: it would end up at q, as p would" + note,
                   "a: \"B\" already exists" + note}));
  // The same batch where case counts.
  EXPECT_TRUE(renamer().check({{{"p"}, "Q"}, {{"r"}, "q"}}).problems.empty());

  // A change of case alone goes through a name of our own.
  Outcome outcome = renamer(fs).rename({{{"x"}, "X"}});
  EXPECT_TRUE(outcome.problems.empty());
  EXPECT_EQ(moves(outcome.done), (Texts{"x>X"}));
  EXPECT_EQ(dir.listing(), (Listing{"X", "a", "b", "p", "r"}));
  EXPECT_EQ(dir.read("X"), "x");
}

TEST_F(Renaming, CaseChangeLeftHalfwayIsReportedExactlyAndUndone) {
  TestFilesystem fs;
  fs.case_blind = true;
  dir.file("a", "a");
  dir.file("b", "b");
  // The direct rename is refused (the name is taken, by the entry itself);
  // the way through our own name fails at its second step, and so does the
  // way back.
  fs.before_rename = [](int count, const std::string&, const std::string&) {
    return count >= 3 ? EIO : 0;
  };

  Outcome outcome = renamer(fs).rename({{{"a"}, "A"}, {{"b"}, "B"}});

  ASSERT_EQ(outcome.failures.size(), 1u);
  const std::string held = outcome.failures[0].held;
  EXPECT_EQ(held.rfind(".bulkrename-", 0), 0u) << held;
  EXPECT_EQ(dir.listing(), (Listing{held, "b"}));
  Texts report = describe(outcome, Action::rename, 10, true);
  EXPECT_EQ(report, (Texts{"Renamed 0 of 2.", "Failed:",
                           "  a -> A: Input/output error; it is now named " + held +
                               ", which Undo takes back",
                           "Not tried, left as they were (1):", "  b -> B"}));

  std::optional<Journal> journal = Journal::last(journals.path());
  ASSERT_TRUE(journal);
  Outcome undo = journal->undo();
  EXPECT_EQ(moves(undo.done), (Texts{held + ">a"}));
  EXPECT_EQ(dir.listing(), (Listing{"a", "b"}));
  EXPECT_EQ(dir.read("a"), "a");
}

TEST_F(Renaming, FailureMidwayKeepsTheRenamesDoneAndLeavesTheRest) {
  dir.file("ok/c.txt", "c");
  dir.file("ro/d.txt", "d");
  dir.file("top.txt", "t");
  ::chmod((dir / "ro").c_str(), 0555);
  dir.give_to(nobody);
  journals.give_to(nobody);
  std::vector<Entry> batch{
      {{"ok", "c.txt"}, "C.txt"}, {{"ro", "d.txt"}, "D.txt"}, {{"top.txt"}, "TOP.txt"}};

  std::string report = as_unprivileged([&] {
    Outcome outcome = renamer().rename(batch);
    std::string text;
    for (const std::string& line : describe(outcome, Action::rename, 10, true))
      text += line + "|";
    return text;
  });

  EXPECT_EQ(report,
            "Renamed 1 of 3.|Failed:|  ro/d.txt -> D.txt: Permission denied|"
            "Not tried, left as they were (1):|  top.txt -> TOP.txt|Done:|  ok/c.txt -> C.txt|");
  EXPECT_EQ(dir.listing(), (Listing{"ok/", "ok/C.txt", "ro/", "ro/d.txt", "top.txt"}));
}
