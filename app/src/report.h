#pragma once

// What a check found and what a rename or an undo did, in words for the user,
// line by line (a name may hold any byte but "/" and NUL, a line break too:
// whoever shows a line makes it printable). The window and the command line
// show the same texts; the window shows them with what summary() and
// describe_unreadable() add.

#include <cstddef>
#include <string>
#include <vector>

#include "renamer.h"

namespace bulkrename {

enum class Action { rename, undo };

/// "Nothing was renamed: 2 problems to fix first.", then a
/// line for each problem, at most `at_most` of them and a count of the rest.
std::vector<std::string> describe(const std::vector<Problem>& problems, Action action,
                                  std::size_t at_most);

/// "Renamed 3 of 5.", the renames that failed and why, why the batch
/// stopped, the renames not tried and (with `list_done`) the renames done;
/// each list at most `at_most` lines and a count of the rest.
std::vector<std::string> describe(const Outcome& outcome, Action action, std::size_t at_most,
                                  bool list_done);

/// What the window says of a rename or an undo: lines for its report, and a
/// text for its status bar, empty when the status bar is left as it is.
struct Report {
  std::vector<std::string> lines;
  std::string status;
};

/// The problems that stopped `outcome`, with a status that points to them;
/// else what it did, the renames done listed. An undo's count is followed by
/// "In FOLDER:", naming the folder it put back in.
Report summary(const Outcome& outcome, Action action, const std::string& folder,
               std::size_t at_most);

/// "Not shown, as these folders cannot be read:", then a line for each
/// folder a scan left out, `location` for an empty path; nothing when there
/// are none.
std::vector<std::string> describe_unreadable(const std::vector<Problem>& unreadable,
                                             const std::string& location, std::size_t at_most);

}  // namespace bulkrename
