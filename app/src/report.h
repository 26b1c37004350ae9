#pragma once

// What a check found and what a rename or an undo did, in words for the user,
// line by line (a name may hold any byte but "/" and NUL, a line break too:
// whoever shows a line makes it printable). The window and the command line
// show the same texts.

#include <cstddef>
#include <string>
#include <vector>

#include "renamer.h"

namespace bulkrename {

enum class Action { rename, undo };

/// "Nothing was renamed: the batch has 2 problems to fix first.", then a
/// line for each problem, at most `at_most` of them and a count of the rest.
std::vector<std::string> describe(const std::vector<Problem>& problems, Action action,
                                  std::size_t at_most);

/// "Renamed 3 of 5.", the renames that failed and why, why the batch
/// stopped, the renames not tried and (with `list_done`) the renames done;
/// each list at most `at_most` lines and a count of the rest.
std::vector<std::string> describe(const Outcome& outcome, Action action, std::size_t at_most,
                                  bool list_done);

}  // namespace bulkrename
