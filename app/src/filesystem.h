#pragma once

// Reaching the entries below the chosen folder without ever leaving it. Every
// operation works inside a folder already open and none follows a symbolic
// link; a path is opened one component at a time from the chosen folder's
// descriptor. The operations sit behind an interface so that tests can put in
// a file system this machine cannot mount (one that ignores case) or one that
// fails on cue.

#include <fsname/descriptor.h>
#include <fsname/path.h>
#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace bulkrename {

/// A path below the chosen folder, as its components; empty: the folder.
/// join() writes it with "/" ("" for the folder itself); split() takes a
/// scanned name apart.
using Path = std::vector<std::string>;
using fsname::join;
using fsname::split;

/// True for a name that stays inside its folder: not empty, not "." or "..",
/// without "/" or a NUL byte.
bool plain_name(const std::string& name);

/// What makes an entry the one it is. The birth time tells a new file from
/// an old one whose inode number it was given.
struct Identity {
  dev_t device = 0;
  ino_t inode = 0;
  mode_t type = 0;        ///< the S_IFMT bits of st_mode
  std::int64_t born = 0;  ///< birth time in ns since 1970; 0 where it is not kept

  bool operator==(const Identity&) const = default;
};

/// How a folder compares names: byte for byte, or ignoring case (ext4 and
/// f2fs folders with the casefold attribute, vfat, exfat, SMB shares).
enum class Naming { exact, case_blind };

using fsname::Descriptor;

/// The operations, each on the folder open as `at`. Failures give the errno
/// value (and an invalid Descriptor where one is returned, with errno set).
class Filesystem {
 public:
  virtual ~Filesystem();

  /// The machine's own file systems.
  static Filesystem& local();

  /// Opens the folder `name`; a link (ELOOP) or anything but a folder
  /// (ENOTDIR) is refused.
  virtual Descriptor open_folder(int at, const std::string& name) = 0;
  /// The identity of the entry `name`; of the link itself for a link.
  virtual int identify(int at, const std::string& name, Identity& identity) = 0;
  /// Renames `from` to `to`, failing with EEXIST rather than replacing
  /// anything, even an entry made a moment ago by someone else.
  virtual int rename(int at, const std::string& from, const std::string& to) = 0;
  /// Whether the folder lists an entry spelled exactly `name`.
  virtual bool lists(int at, const std::string& name) = 0;
  virtual Naming naming(int at) = 0;
  /// The longest name the folder takes, in bytes.
  virtual long name_max(int at) = 0;
};

/// The folders below the chosen one, reached from its descriptor one
/// component at a time through `fs`, never through a link. The folders of
/// the path last reached stay open: reaching one of them again costs one
/// look-up, which makes sure that its name still leads to that very folder,
/// instead of opening it anew.
class Folders {
 public:
  /// REQUIRES: `root` stays open while this lives.
  Folders(Filesystem& fs, int root) : fs_(fs), root_(root) {}

  /// The folder at `path` ({}: the chosen folder), open until the next call;
  /// -1 when it cannot be reached, and the reason, naming the component, in
  /// `why`.
  int reach(const Path& path, std::string& why);

 private:
  struct Level {
    std::string name;
    Descriptor fd;
    Identity identity;
  };

  Filesystem& fs_;
  int root_;
  std::vector<Level> open_;  // the folders of the path last reached, top down
};

/// Opens the chosen folder itself, by its path (which may be a link).
Descriptor open_folder(const std::string& path);

/// The identity of the folder open as `fd`; false when fstat fails.
bool identify(int fd, Identity& identity);

/// The reason for an errno value from a rename or lookup, fit for the user.
std::string reason(int error);

}  // namespace bulkrename
