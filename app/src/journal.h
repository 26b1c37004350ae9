#pragma once

// The journal: the record on disk of one batch of renames, so that the batch
// can be undone after the window is closed, or the program crashed, or the
// machine went down.
//
// Each batch has its own file, "N.journal" (N counting up) in the journals
// folder. It is written whole and synced under a name of its own, then
// given its number, before the first rename; each rename adds a line as it
// completes. A batch that renames nothing leaves no
// file; one that renames something removes the older files. Undo puts back
// only the entries that are still the ones renamed (same device, inode and
// type), each found where the record says it is now, and lists the others;
// it takes time linear in the batch. A file is locked while a process writes
// or undoes it.
//
// The file is UTF-8 text, one record a line, fields apart by tabs, names
// written as printable() writes them (escape.h), a path's components joined
// with "/":
//
//   bulkrename journal 1
//   folder   PATH  DEVICE  INODE       the chosen folder, as it was
//   started  TIME                      UTC, ISO 8601
//   move     FOLDER  FROM  TO  TYPE  DEVICE  INODE  BORN
//                                      one per rename, in the order planned;
//                                      FOLDER named as before the batch, TYPE
//                                      one of f d l p s c b, BORN the birth
//                                      time in ns (0: not kept)
//   renaming                           the plan is complete; renames start
//   via      N  NAME                   rename N goes through our NAME
//   done     N                         rename N is done
//   held     N                         rename N was left under its via NAME
//   end                                the batch is over
//   undone   N                         rename N was put back
//
// N counts the move lines from 0. A line cut short by a crash is ignored; a
// rename with no outcome recorded is looked for by its identity.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "filesystem.h"
#include "renamer.h"

namespace bulkrename {

/// Where journals are kept: $XDG_STATE_HOME/bulkrename, or
/// ~/.local/state/bulkrename when that is unset or not absolute.
std::string journal_folder();

class Journal {
 public:
  /// Starts the record of a batch about to carry out `moves` inside
  /// `folder` (an absolute path, the folder's identity beside it), in the
  /// journals folder `journals`, made if need be. Throws std::runtime_error
  /// with the reason when it cannot be written.
  static Journal start(const std::string& journals, const std::string& folder,
                       const Identity& identity, const std::vector<Move>& moves);

  // What becomes of move number `move` as it happens. Each throws
  // std::runtime_error when the line cannot be written.
  void via(std::size_t move, const std::string& temporary);
  void done(std::size_t move);
  void held(std::size_t move);
  /// Closes the batch: a batch that renamed nothing takes its file away, one
  /// that renamed something the older files.
  void finish();

  /// The newest journal in `journals` with something left to put back,
  /// locked for this process; nullopt when there is none. Journals with
  /// nothing left are removed on the way. Throws std::runtime_error when that
  /// journal cannot be read, or is in use by another process.
  static std::optional<Journal> last(const std::string& journals);

  /// The folder the renames were made in.
  const std::string& folder() const { return folder_; }
  const Identity& identity() const { return identity_; }
  /// The renames that may be left to put back.
  std::size_t left() const;

  /// Puts back every recorded entry that is still the one renamed, the
  /// last renamed first, each at the path it has now; lists in the outcome's
  /// failures those it cannot put back, and why. They stay in the journal.
  /// Outcome moves go from the name now to the old one. A folder that is no
  /// longer the one renamed in is a problem: nothing is put back. `each`
  /// runs after each entry put back and may stop the undo there.
  Outcome undo(Filesystem& fs = Filesystem::local(), const Each& each = {});

 private:
  enum class State { planned, done, held, undone };
  struct Record {
    Move move;
    State state = State::planned;
    std::string temporary;  // the last name of our own it went through
  };

  Journal() = default;
  static std::optional<Journal> read(const std::string& file, Descriptor fd);
  void append(const std::string& line);
  // Whether the record of a rename may still have something to put back.
  bool pending(const Record& record) const;

  std::string file_;
  unsigned long long number_ = 0;  // N of its file, when this process started it
  Descriptor fd_;
  std::string folder_;
  Identity identity_;
  std::vector<Record> records_;
  bool renaming_ = false;  // the plan was complete
  bool ended_ = false;
};

}  // namespace bulkrename
