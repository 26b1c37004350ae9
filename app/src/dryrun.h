#pragma once

// The rename a batch would perform, worked out and printed without a screen.

#include <iosfwd>
#include <string>

#include "options.h"
#include "renamer.h"

namespace bulkrename {

/// Scans `folder` as the options say, proposes a new name for every entry
/// found (as if all were ticked) and writes one "OLD<TAB>NEW" line of
/// relative paths to `out` for each entry the batch would rename, in the
/// order shown. Problems go to `errors`. Renames nothing. Returns the exit
/// status: 0, or 1 when the batch has problems.
/// Throws std::invalid_argument when the rules cannot be used.
int dry_run(const Options& options, const std::string& folder, std::ostream& out,
            std::ostream& errors);

}  // namespace bulkrename
