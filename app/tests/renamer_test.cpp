#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "renamer.h"
#include "temp_folder.h"

using namespace bulkrename;
using Listing = std::vector<std::string>;

namespace {

std::vector<std::string> reasons(const std::vector<Problem>& problems) {
  std::vector<std::string> texts;
  for (const Problem& problem : problems) texts.push_back(join(problem.path) + ": " + problem.reason);
  return texts;
}

}  // namespace

TEST(Renamer, RenamesABatchKeepingContentsAndRecordingEachMove) {
  TempFolder dir;
  dir.file("a.txt", "first");
  dir.file("b.txt", "second");
  dir.file("c.txt", "third");
  Renamer renamer(dir.path());
  std::vector<Entry> batch{{{"a.txt"}, "A.txt"}, {{"b.txt"}, "b2.txt"}, {{"c.txt"}, "c.txt"}};

  Outcome outcome = renamer.rename(batch);

  EXPECT_TRUE(outcome.problems.empty());
  EXPECT_FALSE(outcome.failure);
  // An entry that keeps its name is left out; the rest are done in order.
  EXPECT_EQ(outcome.done, (std::vector<Move>{{{}, "a.txt", "A.txt", 0}, {{}, "b.txt", "b2.txt", 1}}));
  EXPECT_EQ(dir.listing(), (Listing{"A.txt", "b2.txt", "c.txt"}));
  EXPECT_EQ(dir.read("A.txt"), "first");
  EXPECT_EQ(dir.read("b2.txt"), "second");
}

TEST(Renamer, CheckRefusesTheWholeBatchForAnyProblemAndSaysWhich) {
  TempFolder dir;
  for (const char* name : {"good", "empty", "slash", "nul", "dot", "dotdot", "long", "taken",
                           "exists", "twin1", "twin2"})
    dir.file(name);
  Renamer renamer(dir.path());
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
  };
  const Listing before = dir.listing();

  Outcome outcome = renamer.rename(batch);

  EXPECT_EQ(reasons(outcome.problems),
            (std::vector<std::string>{
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
            }));
  EXPECT_TRUE(outcome.done.empty());
  EXPECT_EQ(dir.listing(), before);  // not even "good" was renamed
}

TEST(Renamer, RenamesAFolderAndTheEntriesInsideItInOneBatch) {
  TempFolder dir;
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
  std::vector<Move> plan = Renamer::plan(batch);
  std::vector<std::size_t> order;
  for (const Move& move : plan) order.push_back(move.entry);
  EXPECT_EQ(order, (std::vector<std::size_t>{2, 1, 3, 0, 4}));  // deepest first

  Outcome outcome = Renamer(dir.path()).rename(batch);
  EXPECT_TRUE(outcome.problems.empty());
  EXPECT_FALSE(outcome.failure);
  EXPECT_EQ(outcome.done.size(), 5u);
  EXPECT_EQ(dir.listing(),
            (Listing{"SUB/", "SUB/DEEP/", "SUB/DEEP/Y.txt", "SUB/X.txt", "Z.txt"}));
  EXPECT_EQ(dir.read("SUB/DEEP/Y.txt"), "y");
}

TEST(Renamer, NeverReplacesAFileThatAppearsAfterTheCheck) {
  TempFolder dir;
  dir.file("a", "mine a");
  dir.file("b", "mine b");
  dir.file("c", "mine c");
  Renamer renamer(dir.path());
  std::vector<Entry> batch{{{"a"}, "A"}, {{"b"}, "B"}, {{"c"}, "C"}};
  ASSERT_TRUE(renamer.check(batch).empty());

  dir.file("B", "theirs");  // someone else, between the check and the rename
  Outcome outcome = renamer.execute(Renamer::plan(batch));

  ASSERT_TRUE(outcome.failure);
  EXPECT_EQ(outcome.failure->move, (Move{{}, "b", "B", 1}));
  EXPECT_EQ(outcome.failure->reason, "an entry of that name already exists");
  EXPECT_EQ(outcome.done, (std::vector<Move>{{{}, "a", "A", 0}}));
  EXPECT_EQ(dir.listing(), (Listing{"A", "B", "b", "c"}));
  EXPECT_EQ(dir.read("B"), "theirs");
  EXPECT_EQ(dir.read("b"), "mine b");
}

TEST(Renamer, ChangeOfCaseAloneIsARenameButAHardLinkIsAnotherEntry) {
  TempFolder dir;
  dir.file("photo.JPG", "p");
  dir.file("x");
  ASSERT_EQ(::link((dir / "x").c_str(), (dir / "X").c_str()), 0);
  Renamer renamer(dir.path());

  Outcome outcome = renamer.rename({{{"photo.JPG"}, "Photo.jpg"}});
  EXPECT_TRUE(outcome.problems.empty());
  EXPECT_FALSE(outcome.failure);
  EXPECT_EQ(dir.listing(), (Listing{"Photo.jpg", "X", "x"}));

  // "X" is the same file as "x" but is listed on its own: renaming onto it
  // would lose a name.
  EXPECT_EQ(reasons(renamer.check({{{"x"}, "X"}})),
            (std::vector<std::string>{"x: \"X\" already exists"}));
}

TEST(Renamer, NamesThatAreNotUtf8AreRenamedByTheirBytes) {
  TempFolder dir;
  const std::string latin1 = "caf\xE9.txt";
  dir.file(latin1, "bytes");
  Outcome outcome = Renamer(dir.path()).rename({{{latin1}, "cafe.txt"}, });
  EXPECT_FALSE(outcome.failure);
  EXPECT_EQ(dir.listing(), (Listing{"cafe.txt"}));
  EXPECT_EQ(dir.read("cafe.txt"), "bytes");
}

TEST(Renamer, FailureMidwayKeepsTheRenamesDoneLeavesTheRestAndCanBeUndone) {
  TempFolder dir;
  dir.file("ok/c.txt", "c");
  dir.file("ro/d.txt", "d");
  dir.file("top.txt", "t");
  ::chmod((dir / "ro").c_str(), 0555);
  dir.give_to(nobody);
  std::vector<Entry> batch{
      {{"ok", "c.txt"}, "C.txt"}, {{"ro", "d.txt"}, "D.txt"}, {{"top.txt"}, "TOP.txt"}};

  std::string report = as_unprivileged([&] {
    Renamer renamer(dir.path());
    Outcome outcome = renamer.rename(batch);
    std::string text = "problems=" + std::to_string(outcome.problems.size());
    for (const Move& move : outcome.done) text += " done=" + join(move.folder) + "/" + move.to;
    if (outcome.failure)
      text += " failed=" + join(outcome.failure->move.folder) + "/" +
              outcome.failure->move.from + ":" + outcome.failure->reason;
    Journal journal;
    journal.record(outcome);
    text += " journal=" + std::to_string(journal.moves().size());
    Outcome undo = journal.undo(renamer);
    text += " undone=" + std::to_string(undo.done.size()) +
            " left=" + std::to_string(journal.moves().size());
    return text;
  });

  EXPECT_EQ(report,
            "problems=0 done=ok/C.txt failed=ro/d.txt:Permission denied journal=1 undone=1 "
            "left=0");
  EXPECT_EQ(dir.listing(), (Listing{"ok/", "ok/c.txt", "ro/", "ro/d.txt", "top.txt"}));
}

TEST(Journal, UndoPutsBackAFolderAndEverythingRenamedInsideIt) {
  TempFolder dir;
  dir.file("sub/deep/y.txt");
  dir.file("sub/x.txt");
  dir.file("z.txt");
  const Listing before = dir.listing();
  Renamer renamer(dir.path());
  Journal journal;
  journal.record(renamer.rename({{{"sub"}, "SUB"},
                                 {{"sub", "deep"}, "DEEP"},
                                 {{"sub", "deep", "y.txt"}, "Y.txt"},
                                 {{"sub", "x.txt"}, "X.txt"}}));
  ASSERT_EQ(journal.moves().size(), 4u);
  // Each entry is found where it is now, below its renamed folders.
  std::vector<Path> now;
  for (const Entry& entry : journal.reversal()) now.push_back(entry.path);
  EXPECT_EQ(now, (std::vector<Path>{{"SUB", "DEEP", "Y.txt"}, {"SUB", "DEEP"}, {"SUB", "X.txt"},
                                    {"SUB"}}));

  Outcome undo = journal.undo(renamer);

  EXPECT_TRUE(undo.problems.empty());
  EXPECT_FALSE(undo.failure);
  EXPECT_EQ(dir.listing(), before);
  EXPECT_TRUE(journal.empty());
  EXPECT_TRUE(journal.undo(renamer).done.empty());  // nothing left to put back
}

TEST(Journal, UndoRefusedByItsCheckKeepsTheJournal) {
  TempFolder dir;
  dir.file("a", "old");
  Renamer renamer(dir.path());
  Journal journal;
  journal.record(renamer.rename({{{"a"}, "b"}}));
  dir.file("a", "new");  // the old name is taken again

  Outcome undo = journal.undo(renamer);

  EXPECT_EQ(reasons(undo.problems), (std::vector<std::string>{"b: \"a\" already exists"}));
  EXPECT_EQ(journal.moves(), (std::vector<Move>{{{}, "a", "b", 0}}));
  EXPECT_EQ(dir.read("a"), "new");
  EXPECT_EQ(dir.read("b"), "old");
  // A batch stopped by its check is not a rename: the journal stays.
  journal.record(renamer.rename({{{"a"}, "b"}}));
  EXPECT_EQ(journal.moves().size(), 1u);
}

TEST(Journal, UndoStoppedMidwayKeepsJustWhatWasNotPutBack) {
  TempFolder dir;
  dir.file("ok/c.txt");
  dir.file("ro/d.txt");
  dir.file("top.txt");
  dir.give_to(nobody);

  std::string report = as_unprivileged([&] {
    Renamer renamer(dir.path());
    Journal journal;
    journal.record(renamer.rename(
        {{{"ok", "c.txt"}, "C.txt"}, {{"ro", "d.txt"}, "D.txt"}, {{"top.txt"}, "TOP.txt"}}));
    std::string text = "recorded=" + std::to_string(journal.moves().size());
    ::chmod((dir / "ro").c_str(), 0555);
    Outcome first = journal.undo(renamer);
    text += " undone=" + std::to_string(first.done.size());
    for (const Move& move : journal.moves()) text += " left=" + move.to;
    ::chmod((dir / "ro").c_str(), 0755);
    Outcome second = journal.undo(renamer);
    text += " then=" + std::to_string(second.done.size()) +
            (journal.empty() ? " empty" : " not-empty");
    return text;
  });

  EXPECT_EQ(report, "recorded=3 undone=1 left=D.txt left=TOP.txt then=2 empty");
  EXPECT_EQ(dir.listing(), (Listing{"ok/", "ok/c.txt", "ro/", "ro/d.txt", "top.txt"}));
}
