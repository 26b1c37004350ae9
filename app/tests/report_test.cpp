// What the window and the command line say of a check, a rename or an undo:
// outcomes made by hand, no disk.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report.h"

using namespace bulkrename;
using Texts = std::vector<std::string>;

namespace {

Move move(Path folder, std::string from, std::string to) {
  return {std::move(folder), std::move(from), std::move(to), 0, {}};
}

// Two done, one failed halfway, one not tried.
Outcome stopped_midway() {
  Outcome outcome;
  outcome.done = {move({}, "a", "A"), move({"sub"}, "b", "B")};
  outcome.failures = {{move({"sub"}, "c", "C"), "Input/output error", ".bulkrename-1"}};
  outcome.stopped = "the output cannot be written";
  outcome.untried = {move({}, "d", "D")};
  return outcome;
}

}  // namespace

TEST(Report, ProblemsAreCountedAndListedUpToTheLimit) {
  const std::vector<Problem> problems{
      {{}, "the folder is gone"}, {{"x"}, "no x"}, {{"sub", "y"}, "no y"}};
  EXPECT_EQ(describe(problems, Action::rename, 2),
            (Texts{"Nothing was renamed: 3 problems to fix first.", "  (the folder): the folder is gone",
                   "  x: no x", "  ... and 1 more"}));
  EXPECT_EQ(describe({problems[2]}, Action::undo, 5),
            (Texts{"Nothing was put back: 1 problem to fix first.", "  sub/y: no y"}));
}

TEST(Report, AnOutcomeSaysWhatFailedStoppedWasLeftAndWasDone) {
  EXPECT_EQ(describe(stopped_midway(), Action::rename, 10, true),
            (Texts{"Renamed 2 of 4.", "Failed:",
                   "  sub/c -> C: Input/output error; it is now named .bulkrename-1, which "
                   "Undo takes back",
                   "Stopped: the output cannot be written.", "Not tried, left as they were (1):",
                   "  d -> D", "Done:", "  a -> A", "  sub/b -> B"}));
  EXPECT_EQ(describe(stopped_midway(), Action::undo, 1, false),
            (Texts{"Put back 2 of 4.", "Not put back (they stay in the journal):",
                   "  sub/c -> C: Input/output error; it is now named .bulkrename-1, which "
                   "Undo takes back",
                   "Stopped: the output cannot be written.", "Not tried, left as they were (1):",
                   "  d -> D"}));
  EXPECT_EQ(describe(Outcome{}, Action::rename, 10, true), (Texts{"Renamed 0 of 0."}));
}

TEST(Report, TheWindowListsWhatWasDoneAndPointsToProblems) {
  Report renamed = summary(stopped_midway(), Action::rename, "/f", 1);
  EXPECT_EQ(renamed.lines, describe(stopped_midway(), Action::rename, 1, true));
  EXPECT_EQ(renamed.status, "");

  Report undone = summary(stopped_midway(), Action::undo, "/f", 1);
  EXPECT_EQ(undone.lines,
            (Texts{"Put back 2 of 4.", "In /f:", "Not put back (they stay in the journal):",
                   "  sub/c -> C: Input/output error; it is now named .bulkrename-1, which "
                   "Undo takes back",
                   "Stopped: the output cannot be written.", "Not tried, left as they were (1):",
                   "  d -> D", "Put back:", "  a -> A", "  ... and 1 more"}));
  EXPECT_EQ(undone.status, "");

  Outcome refused;
  refused.problems = {{{"x"}, "no x"}};
  for (Action action : {Action::rename, Action::undo}) {
    Report report = summary(refused, action, "/f", 10);
    EXPECT_EQ(report.lines, describe(refused.problems, action, 10));
    EXPECT_EQ(report.status, std::string(action == Action::rename ? "Nothing was renamed"
                                                                  : "Nothing was put back") +
                                 ": see the problems below the tree.");
  }
}

TEST(Report, UnreadableFoldersAreListedUpToTheLimit) {
  EXPECT_EQ(describe_unreadable({}, "/f", 10), Texts{});
  const std::vector<Problem> unreadable{
      {{}, "Permission denied"}, {{"a", "b"}, "Permission denied"}, {{"c"}, "Input/output error"}};
  EXPECT_EQ(describe_unreadable(unreadable, "/f", 2),
            (Texts{"Not shown, as these folders cannot be read:", "  /f: Permission denied",
                   "  a/b: Permission denied", "  ... and 1 more"}));
}
