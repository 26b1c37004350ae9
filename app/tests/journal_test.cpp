#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "journal.h"
#include "outcome_texts.h"
#include "renamer.h"
#include "report.h"
#include "temp_folder.h"
#include "test_filesystem.h"

using namespace bulkrename;
using Listing = std::vector<std::string>;
using Texts = std::vector<std::string>;

class Journals : public ::testing::Test {
 protected:
  Outcome rename(const std::vector<Entry>& batch, Filesystem& fs = Filesystem::local()) {
    return Renamer(dir.path(), journals.path(), fs).rename(batch);
  }
  Outcome undo() {
    std::optional<Journal> journal = Journal::last(journals.path());
    if (!journal) {
      ADD_FAILURE() << "no journal";
      return {};
    }
    return journal->undo();
  }
  // The journal files, by name.
  Listing files() const { return journals.listing(); }

  TempFolder dir;
  TempFolder journals;
};

TEST_F(Journals, UndoPutsBackAFolderAndEverythingRenamedInsideIt) {
  dir.file("sub/deep/y.txt");
  dir.file("sub/x.txt");
  dir.file("z.txt");
  const Listing before = dir.listing();
  rename({{{"sub"}, "SUB"},
          {{"sub", "deep"}, "DEEP"},
          {{"sub", "deep", "y.txt"}, "Y.txt"},
          {{"sub", "x.txt"}, "X.txt"}});
  ASSERT_EQ(files(), (Listing{"1.journal"}));

  Outcome outcome = undo();

  // Each entry is found where it is now, below its renamed folders.
  Texts put_back;
  for (const Move& move : outcome.done) put_back.push_back(join(move.folder) + ":" + move.from);
  EXPECT_EQ(put_back, (Texts{":SUB", "sub:X.txt", "sub:DEEP", "sub/deep:Y.txt"}));
  EXPECT_TRUE(outcome.failures.empty());
  EXPECT_EQ(dir.listing(), before);
  // Nothing left to put back: the journal is gone.
  EXPECT_EQ(files(), Listing{});
  EXPECT_FALSE(Journal::last(journals.path()));
}

TEST_F(Journals, UndoPutsBackWhatItCanAndKeepsTheRest) {
  dir.file("a", "a");
  dir.file("b", "b");
  dir.file("c", "c");
  dir.file("d", "d");
  rename({{{"a"}, "A"}, {{"b"}, "B"}, {{"c"}, "C"}, {{"d"}, "D"}});
  // After the rename: "A" is moved away, "B" replaced by a new file, the
  // old name "c" taken by a new one.
  ASSERT_EQ(::rename((dir / "A").c_str(), (dir / "away").c_str()), 0);
  dir.file("B.new", "new B");  // saved as editors do
  ASSERT_EQ(::rename((dir / "B.new").c_str(), (dir / "B").c_str()), 0);
  dir.file("c", "new c");

  Outcome first = undo();

  EXPECT_EQ(first.done.size(), 1u);
  EXPECT_EQ(failures(first), (Texts{"C: its old name \"c\" is taken again",
                                    "B: it is no longer the entry renamed: another took its name since",
                                    "A: it is no longer there"}));
  EXPECT_EQ(describe(first, Action::undo, 10, false)[0], "Put back 1 of 4.");
  EXPECT_EQ(dir.listing(), (Listing{"B", "C", "away", "c", "d"}));
  EXPECT_EQ(dir.read("B"), "new B");

  // Once the way is clear, the rest goes back.
  ASSERT_EQ(::rename((dir / "away").c_str(), (dir / "A").c_str()), 0);
  ASSERT_EQ(::unlink((dir / "c").c_str()), 0);
  Outcome second = undo();
  EXPECT_EQ(second.done.size(), 2u);
  EXPECT_EQ(failures(second),
            (Texts{"B: it is no longer the entry renamed: another took its name since"}));
  EXPECT_EQ(dir.listing(), (Listing{"B", "a", "c", "d"}));
  EXPECT_EQ(dir.read("a"), "a");
  EXPECT_EQ(dir.read("c"), "c");
}

TEST_F(Journals, UndoNeverFollowsALinkPutInPlaceOfAFolder) {
  TempFolder outside;
  outside.file("b", "outside");
  dir.file("sub/a", "inside");
  rename({{{"sub", "a"}, "b"}});
  ASSERT_EQ(::rename((dir / "sub").c_str(), (dir / "moved").c_str()), 0);
  ASSERT_EQ(::symlink(outside.path().c_str(), (dir / "sub").c_str()), 0);

  Outcome outcome = undo();

  EXPECT_TRUE(outcome.done.empty());
  EXPECT_EQ(failures(outcome),
            (Texts{"sub/b: the folder sub is now a symbolic link, which is not followed"}));
  EXPECT_EQ(outside.listing(), (Listing{"b"}));
  EXPECT_EQ(outside.read("b"), "outside");
  // Still recorded, for when the folder is back.
  ASSERT_EQ(::unlink((dir / "sub").c_str()), 0);
  ASSERT_EQ(::rename((dir / "moved").c_str(), (dir / "sub").c_str()), 0);
  EXPECT_EQ(undo().done.size(), 1u);
  EXPECT_EQ(dir.listing(), (Listing{"sub/", "sub/a"}));
}

TEST_F(Journals, BatchThatRenamesNothingKeepsThePreviousJournal) {
  dir.file("a");
  dir.file("b");
  rename({{{"a"}, "A"}});
  // Refused by its check, and stopped at its first rename.
  EXPECT_FALSE(rename({{{"b"}, "A"}}).problems.empty());
  Renamer renamer(dir.path(), journals.path());
  Renamer::Plan plan = renamer.check({{{"b"}, "B"}});
  dir.file("B");
  Outcome stopped = renamer.execute(plan.moves);
  ASSERT_EQ(stopped.failures.size(), 1u);
  EXPECT_TRUE(stopped.done.empty());
  EXPECT_EQ(files(), (Listing{"1.journal"}));
  // No journal, no rename.
  journals.file("not-a-folder");
  Outcome unrecorded = Renamer(dir.path(), journals / "not-a-folder").rename({{{"b"}, "c"}});
  ASSERT_EQ(unrecorded.problems.size(), 1u);
  EXPECT_EQ(unrecorded.problems[0].reason.rfind("the journal cannot be written: ", 0), 0u)
      << unrecorded.problems[0].reason;
  EXPECT_EQ(dir.listing(), (Listing{"A", "B", "b"}));
  ASSERT_EQ(::unlink((journals / "not-a-folder").c_str()), 0);

  EXPECT_EQ(undo().done.size(), 1u);
  EXPECT_EQ(dir.listing(), (Listing{"B", "a", "b"}));

  // A batch that renames something replaces the journals before it.
  rename({{{"a"}, "A"}});
  rename({{{"b"}, "b2"}});
  EXPECT_EQ(files(), (Listing{"2.journal"}));
  EXPECT_EQ(undo().done.size(), 1u);
  EXPECT_EQ(dir.listing(), (Listing{"A", "B", "b"}));
  EXPECT_FALSE(Journal::last(journals.path()));
}

TEST_F(Journals, CrashMidwayLeavesAnExactRecordThatUndoes) {
  for (const char* name : {"a", "b", "c", "d"}) dir.file(name, name);
  dir.file("e", "e");
  const Listing before = dir.listing();
  // Killed as it renames "c"; then, in a case-blind folder, halfway through
  // a change of case.
  auto crash = [&](std::vector<Entry> batch, bool case_blind, int at) {
    pid_t child = ::fork();
    if (child == 0) {
      TestFilesystem fs;
      fs.case_blind = case_blind;
      fs.before_rename = [at](int count, const std::string&, const std::string&) {
        if (count == at) ::raise(SIGKILL);
        return 0;
      };
      Renamer(dir.path(), journals.path(), fs).rename(batch);
      ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
  };
  ASSERT_TRUE(crash({{{"a"}, "1"}, {{"b"}, "2"}, {{"c"}, "3"}, {{"d"}, "4"}}, false, 3));
  EXPECT_EQ(dir.listing(), (Listing{"1", "2", "c", "d", "e"}));
  std::ifstream in(journals / "1.journal");
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("renaming\ndone\t0\ndone\t1\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("end"), std::string::npos);

  Outcome outcome = undo();
  EXPECT_EQ(outcome.done.size(), 2u);
  EXPECT_TRUE(outcome.failures.empty());
  EXPECT_EQ(dir.listing(), before);

  // Step 1: "e" -> "E" refused; 2: "e" -> our name; killed at 3.
  ASSERT_TRUE(crash({{{"e"}, "E"}}, true, 3));
  Listing held = dir.listing();
  ASSERT_EQ(held.size(), 5u);
  EXPECT_EQ(held.front().rfind(".bulkrename-", 0), 0u);
  EXPECT_EQ(undo().done.size(), 1u);
  EXPECT_EQ(dir.listing(), before);
  EXPECT_EQ(dir.read("e"), "e");
}

TEST_F(Journals, DamagedJournalIsNamedNotGuessedAt) {
  dir.file("a");
  rename({{{"a"}, "b"}});
  std::ofstream(journals / "1.journal", std::ios::app) << "undone\t7\n";
  try {
    Journal::last(journals.path());
    FAIL() << "a damaged journal was read";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("1.journal cannot be read: line "),
              std::string::npos)
        << error.what();
  }
  // A last line cut short is a write that never finished.
  std::filesystem::resize_file(journals / "1.journal",
                               std::filesystem::file_size(journals / "1.journal") - 1);
  EXPECT_EQ(undo().done.size(), 1u);
  EXPECT_EQ(dir.listing(), (Listing{"a"}));
}

TEST_F(Journals, JournalInUseElsewhereIsLeftAloneAndDraftsAreCleared) {
  dir.file("a");
  rename({{{"a"}, "b"}});
  // Locked as another process's batch or undo holds it.
  Descriptor other(::open((journals / "1.journal").c_str(), O_RDONLY | O_CLOEXEC));
  ASSERT_EQ(::flock(other.get(), LOCK_EX), 0);
  try {
    Journal::last(journals.path());
    FAIL() << "a journal in use was taken";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("is in use by another bulkrename"),
              std::string::npos);
  }
  other = Descriptor();
  // What a crash leaves of a journal not yet given its number.
  journals.file(".draft-1-0", "bulkrename journal 1\n");
  EXPECT_EQ(undo().done.size(), 1u);
  EXPECT_EQ(dir.listing(), (Listing{"a"}));
  EXPECT_EQ(files(), Listing{});
}

TEST(JournalFolder, FollowsTheStateHomeOrTheHomeFolder) {
  auto saved = [](const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
  };
  auto restore = [](const char* name, const std::optional<std::string>& value) {
    if (value) ::setenv(name, value->c_str(), 1);
    else ::unsetenv(name);
  };
  const auto state = saved("XDG_STATE_HOME"), home = saved("HOME");
  ::setenv("XDG_STATE_HOME", "/var/state", 1);
  EXPECT_EQ(journal_folder(), "/var/state/bulkrename");
  ::setenv("XDG_STATE_HOME", "relative", 1);
  ::setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(journal_folder(), "/home/someone/.local/state/bulkrename");
  restore("XDG_STATE_HOME", state);
  restore("HOME", home);
}
