#pragma once

// Renaming below one folder without ever losing or replacing a file, or
// touching anything outside that folder.
//
// A batch is checked as a whole before anything is renamed; the check records
// the identity (device, inode, type) of every entry. Renames are then carried
// out deepest first, each inside its own folder, so that every path still
// names what it named when the batch was checked; a folder and the entries
// inside it may be renamed in one batch. Before each rename its folder is
// reached anew from the chosen folder's descriptor, one component at a time,
// following no link (filesystem.h), and the entry is checked to be the one
// recorded. No
// rename replaces anything, not even a file that appears after the check.
// The first rename that fails stops the batch: the ones done stay done and
// the rest are not tried. A journal on disk (journal.h) records the batch
// before the first rename and each rename as it completes.
//
// No widgets. Names and paths are the file system's bytes.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "filesystem.h"

namespace bulkrename {

/// One entry to rename: where it is now, and its new name in the same folder.
struct Entry {
  Path path;
  std::string newname;
};

/// What stops a batch: the entry concerned (its path now) and why.
struct Problem {
  Path path;
  std::string reason;
};

/// One rename as planned or carried out: inside `folder` (named as it was
/// before the batch), `from` becomes `to`. `entry` is the position in the
/// batch of the entry it renames, `identity` that entry's as checked.
struct Move {
  Path folder;
  std::string from;
  std::string to;
  std::size_t entry = 0;
  Identity identity;

  bool operator==(const Move&) const = default;
};

/// A rename that failed and why, in words fit for the user. `held`, when not
/// empty, is the name of our own the entry was left under, halfway through a
/// change of case.
struct Failure {
  Move move;
  std::string reason;
  std::string held;
};

/// What a rename (or an undo) did.
struct Outcome {
  /// Not empty: the batch did not pass its check and nothing was renamed.
  std::vector<Problem> problems;
  /// The renames carried out, in order.
  std::vector<Move> done;
  /// The renames that failed: a rename stops at the first, an undo goes on.
  std::vector<Failure> failures;
  /// Not empty: why the batch stopped between two renames.
  std::string stopped;
  /// The renames not tried, in order.
  std::vector<Move> untried;

  /// The renames the batch meant to carry out.
  std::size_t planned() const { return done.size() + failures.size() + untried.size(); }
};

/// Runs after each rename done; returns why to stop there, or an empty text.
using Each = std::function<std::string(const Move&)>;

class Renamer {
 public:
  /// Opens `folder`, which the paths of every batch are relative to, and
  /// keeps it open; journals go to the folder `journals` (journal.h).
  Renamer(const std::string& folder, std::string journals,
          Filesystem& fs = Filesystem::local());

  const std::string& folder() const { return folder_; }

  /// A batch checked: its problems, or (when there are none) its renames.
  struct Plan {
    std::vector<Problem> problems;
    std::vector<Move> moves;
  };

  /// The problems that stop `batch`: a path that holds "", "." or ".."; a new
  /// name that is empty, "." or "..", holds "/" or a NUL byte, or is too long;
  /// a new name holding more U+FFFD than the name, where the name has bytes
  /// that are not UTF-8 (which the window shows as U+FFFD: a name typed over
  /// it would hold the character instead of the bytes);
  /// an entry that is gone, or listed twice; a new name that already exists
  /// in the entry's folder (a change of case alone passes where the folder
  /// ignores case); two entries that would end up at the same path, compared
  /// as their folder compares names. An entry whose new name is its name is
  /// no problem; it is simply left alone. Without problems, the renames that
  /// carry out the batch, deepest first, in batch order within one depth.
  Plan check(const std::vector<Entry>& batch) const;

  /// Where each entry of `batch` ends up once the whole batch is done, its
  /// renamed folders included.
  static std::vector<Path> targets(const std::vector<Entry>& batch);

  /// Carries out `moves` (from check()) in order, each recorded in a new
  /// journal, stopping at the first that fails or when `each` says so. A
  /// journal that cannot be started is a problem: nothing is renamed.
  Outcome execute(const std::vector<Move>& moves, const Each& each = {}) const;

  /// check, then (when it finds no problem) execute.
  Outcome rename(const std::vector<Entry>& batch, const Each& each = {}) const;

 private:
  // One rename, its folder reached anew and its entry checked first.
  std::optional<Failure> carry_out(
      const Move& move, Folders& folders,
      const std::function<void(const std::string&)>& on_temporary) const;

  std::string folder_;
  std::string journals_;
  Filesystem& fs_;
  Descriptor root_;
  int root_error_ = 0;
};

/// Renames `move.from` to `move.to` in the folder open as `at` through `fs`,
/// by way of a name of our own where the folder ignores case and the two
/// differ in case only. `on_temporary` hears that name before the entry takes
/// it. Returns the errno value of the failure, or 0; on a failure `held` is
/// the name the entry was left under, when not its old one.
int move_entry(Filesystem& fs, int at, const std::string& from, const std::string& to,
               const Identity& identity,
               const std::function<void(const std::string&)>& on_temporary, std::string& held);

}  // namespace bulkrename
