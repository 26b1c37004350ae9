#pragma once

// Renaming below one folder without ever losing or replacing a file.
//
// A batch is checked as a whole before anything is renamed. Renames are then
// carried out deepest first, each inside its own folder, so that every path
// still names what it named when the batch was made; a folder and the entries
// inside it may be renamed in one batch. No rename replaces anything, not even
// a file that appears after the check. The first rename that fails stops the
// batch: the ones done stay done, the rest are not tried, and the outcome
// lists exactly what was done, so that it can be undone.
//
// No widgets. Names and paths are the file system's bytes.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace bulkrename {

/// A path below the renaming's folder, as its components; empty: the folder.
using Path = std::vector<std::string>;

/// `path` joined with "/" ("" for the folder itself).
std::string join(const Path& path);

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

/// One rename as planned or carried out: inside `folder`, `from` becomes
/// `to`. `entry` is the position in the batch of the entry it renames.
struct Move {
  Path folder;
  std::string from;
  std::string to;
  std::size_t entry = 0;

  bool operator==(const Move&) const = default;
};

/// The rename that failed and why, in words fit for the user.
struct Failure {
  Move move;
  std::string reason;
};

struct Outcome {
  /// Not empty: the batch did not pass its check and nothing was renamed.
  std::vector<Problem> problems;
  /// The renames carried out, in order.
  std::vector<Move> done;
  /// The rename that failed; the ones after it were not tried.
  std::optional<Failure> failure;
};

class Renamer {
 public:
  /// `folder`: the folder the paths of every batch are relative to.
  explicit Renamer(std::string folder);

  const std::string& folder() const { return folder_; }

  /// The problems that stop `batch`: a new name that is empty, "." or "..",
  /// holds "/" or a NUL byte, or is too long; an entry that is gone or listed
  /// twice; a new name that already exists in the entry's folder (a change
  /// of case alone passes where the file system ignores case); two entries
  /// that would end up at the same path. An entry whose new name is its name
  /// is no problem; it is simply left alone.
  std::vector<Problem> check(const std::vector<Entry>& batch) const;

  /// The renames that carry out `batch`, deepest first, in batch order within
  /// one depth; entries whose new name is their name are left out.
  static std::vector<Move> plan(const std::vector<Entry>& batch);

  /// Where each entry of `batch` ends up once the whole batch is done, its
  /// renamed folders included.
  static std::vector<Path> targets(const std::vector<Entry>& batch);

  /// Carries out `moves` in order, stopping at the first that fails. Never
  /// replaces an existing entry.
  Outcome execute(const std::vector<Move>& moves) const;

  /// check, then (when it finds no problem) plan and execute.
  Outcome rename(const std::vector<Entry>& batch) const;

 private:
  std::string folder_;
};

/// What the last rename did, so that it can be put back.
class Journal {
 public:
  /// Remembers the renames `outcome` carried out, in place of what was
  /// remembered before; a batch stopped by its check changes nothing here.
  void record(const Outcome& outcome);

  bool empty() const { return moves_.empty(); }
  const std::vector<Move>& moves() const { return moves_; }

  /// The batch that gives back every recorded entry its old name, each at
  /// the path it has now.
  std::vector<Entry> reversal() const;

  /// Renames the recorded entries back, checked and ordered as any batch.
  /// Afterwards the journal holds just the renames that were not put back.
  Outcome undo(const Renamer& renamer);

 private:
  std::vector<Move> moves_;
};

}  // namespace bulkrename
