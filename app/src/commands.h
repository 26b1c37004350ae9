#pragma once

// The runs of the command line that need no screen: the dry run, the batch
// itself, and undo. Each writes one "OLD<TAB>NEW" line of paths relative to
// the folder (printable(), escape.h) for each rename, and its problems to
// `errors`, and returns the exit status.

#include <iosfwd>
#include <string>
#include <vector>

#include "options.h"
#include "renamer.h"

namespace bulkrename {

/// Exit statuses of the command line.
enum Status {
  status_done = 0,
  status_problems = 1,  ///< problems, or output that cannot be written: nothing done
  status_usage = 2,     ///< a bad command line
  status_stopped = 3,   ///< stopped midway: what was done stays done, listed
};

/// What a run of every entry of a folder would rename.
struct Scanned {
  std::string location;
  /// The entries whose proposed name differs from their name, in display
  /// order, as if every row were ticked.
  std::vector<Entry> batch;
  /// The folders the scan could not read.
  std::vector<Problem> unreadable;
};

/// Scans `folder` as the options say and proposes new names. Throws
/// std::invalid_argument when the rules cannot be used.
Scanned scan_batch(const Options& options, const std::string& folder);

/// Writes the renames a batch of every entry would perform, with the paths
/// they end up at (renamed folders included), in display order; renames
/// nothing. Problems, the batch's or unreadable folders, fail it.
int dry_run(const Options& options, const std::string& folder, std::ostream& out,
            std::ostream& errors);

/// Performs the batch dry_run() prints, journaled in `journals`, writing
/// each rename as it is done (deepest first, NEW named as at that moment).
/// Stops when its output cannot be written.
int apply(const Options& options, const std::string& folder, const std::string& journals,
          std::ostream& out, std::ostream& errors);

/// Puts back the last batch journaled in `journals`, writing each entry
/// put back (OLD its path now, NEW its path put back).
int undo(const std::string& journals, std::ostream& out, std::ostream& errors);

}  // namespace bulkrename
