#include "renamer.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif

namespace bulkrename {

namespace {

// A file descriptor closed when it goes out of scope; -1 when opening failed.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }

 private:
  int fd_;
};

Descriptor open_folder(int at, const std::string& path) {
  return Descriptor(::openat(at, path.empty() ? "." : path.c_str(),
                             O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

// Renames inside the folder open as `dir`, failing with EEXIST rather than
// replacing anything, even an entry made a moment ago by someone else.
int rename_noreplace(int dir, const std::string& from, const std::string& to) {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 28))
  return ::renameat2(dir, from.c_str(), dir, to.c_str(), RENAME_NOREPLACE);
#else
  return static_cast<int>(
      ::syscall(SYS_renameat2, dir, from.c_str(), dir, to.c_str(), RENAME_NOREPLACE));
#endif
}

std::string reason(int error) {
  switch (error) {
    case EEXIST:
    case ENOTEMPTY:
      return "an entry of that name already exists";
    case ENOENT:
      return "it is no longer there";
    case EINVAL:
    case ENOSYS:
      return "this file system cannot rename without the risk of replacing a file";
    default:
      return std::strerror(error);
  }
}

Path child(Path folder, const std::string& name) {
  folder.push_back(name);
  return folder;
}

Path parent(const Path& path) { return Path(path.begin(), path.end() - 1); }

bool lookup(int root, const Path& path, struct stat& info) {
  return ::fstatat(root, join(path).c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
}

// Whether `folder` lists an entry spelled exactly `name`. On a file system
// that ignores case, "A" finds the entry "a" by lookup but is not listed.
bool listed(int root, const Path& folder, const std::string& name) {
  Descriptor fd = open_folder(root, join(folder));
  if (!fd.valid()) return true;
  DIR* dir = ::fdopendir(::dup(fd.get()));
  if (dir == nullptr) return true;
  bool found = false;
  while (dirent* entry = ::readdir(dir))
    if (name == entry->d_name) {
      found = true;
      break;
    }
  ::closedir(dir);
  return found;
}

// True when `to` in `folder` is no other entry than `from` itself spelled
// differently: a change of case on a file system that ignores case.
bool same_entry(int root, const Path& folder, const std::string& from, const std::string& to) {
  struct stat source, target;
  if (!lookup(root, child(folder, from), source) || !lookup(root, child(folder, to), target))
    return false;
  return source.st_dev == target.st_dev && source.st_ino == target.st_ino &&
         !listed(root, folder, to);
}

std::string name_problem(const std::string& newname, long name_max) {
  if (newname.empty()) return "the new name is empty";
  if (newname == "." || newname == "..") return "the new name \"" + newname + "\" is reserved";
  if (newname.find('\0') != std::string::npos) return "the new name holds a NUL byte";
  if (newname.find('/') != std::string::npos) return "the new name holds the separator \"/\"";
  if (static_cast<long>(newname.size()) > name_max)
    return "the new name is longer than " + std::to_string(name_max) + " bytes";
  return {};
}

}  // namespace

std::string join(const Path& path) {
  std::string text;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (i > 0) text += '/';
    text += path[i];
  }
  return text;
}

Renamer::Renamer(std::string folder) : folder_(std::move(folder)) {}

std::vector<Problem> Renamer::check(const std::vector<Entry>& batch) const {
  Descriptor root(::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!root.valid())
    return {{{}, "the folder " + folder_ + " cannot be opened: " + std::strerror(errno)}};
  long name_max = ::fpathconf(root.get(), _PC_NAME_MAX);
  if (name_max <= 0) name_max = 255;

  std::vector<std::pair<std::size_t, Problem>> found;
  std::vector<bool> flagged(batch.size(), false);
  auto report = [&](std::size_t i, std::string why) {
    found.push_back({i, {batch[i].path, std::move(why)}});
    flagged[i] = true;
  };
  std::set<Path> sources;
  for (std::size_t i = 0; i < batch.size(); ++i) {
    const Entry& entry = batch[i];
    if (entry.path.empty()) {
      report(i, "the folder itself is not renamed here");
      continue;
    }
    if (!sources.insert(entry.path).second) {
      report(i, "it is listed twice");
      continue;
    }
    if (entry.newname == entry.path.back()) continue;
    if (std::string why = name_problem(entry.newname, name_max); !why.empty()) {
      report(i, why);
      continue;
    }
    struct stat info;
    if (!lookup(root.get(), entry.path, info)) {
      report(i, errno == ENOENT ? "it is no longer there" : std::strerror(errno));
      continue;
    }
    Path folder = parent(entry.path);
    if (lookup(root.get(), child(folder, entry.newname), info)) {
      if (!same_entry(root.get(), folder, entry.path.back(), entry.newname))
        report(i, "\"" + entry.newname + "\" already exists");
    } else if (errno != ENOENT) {
      report(i, "the new name cannot be looked up: " + std::string(std::strerror(errno)));
    }
  }

  std::vector<Path> ends = targets(batch);
  std::map<Path, std::size_t> first;
  // Entries already refused are left out: one reason each is enough.
  for (std::size_t i = 0; i < batch.size(); ++i) {
    if (flagged[i]) continue;
    auto [at, added] = first.try_emplace(ends[i], i);
    if (!added)
      report(i, "it would end up at " + join(ends[i]) + ", as " +
                    join(batch[at->second].path) + " would");
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<Problem> problems;
  for (auto& [i, problem] : found) problems.push_back(std::move(problem));
  return problems;
}

std::vector<Move> Renamer::plan(const std::vector<Entry>& batch) {
  std::vector<Move> moves;
  for (std::size_t i = 0; i < batch.size(); ++i) {
    const Entry& entry = batch[i];
    if (entry.path.empty() || entry.newname == entry.path.back()) continue;
    moves.push_back({parent(entry.path), entry.path.back(), entry.newname, i});
  }
  // Deepest first: a folder is renamed only after everything inside it, so
  // every path of the batch stays valid until its own turn.
  std::stable_sort(moves.begin(), moves.end(), [](const Move& a, const Move& b) {
    return a.folder.size() > b.folder.size();
  });
  return moves;
}

std::vector<Path> Renamer::targets(const std::vector<Entry>& batch) {
  std::map<Path, std::string> renamed;
  for (const Entry& entry : batch)
    if (!entry.path.empty()) renamed[entry.path] = entry.newname;
  std::vector<Path> ends;
  ends.reserve(batch.size());
  for (const Entry& entry : batch) {
    Path end = entry.path;
    Path prefix;
    for (std::size_t k = 0; k + 1 < entry.path.size(); ++k) {
      prefix.push_back(entry.path[k]);
      if (auto at = renamed.find(prefix); at != renamed.end()) end[k] = at->second;
    }
    if (!end.empty()) end.back() = entry.newname;
    ends.push_back(std::move(end));
  }
  return ends;
}

Outcome Renamer::execute(const std::vector<Move>& moves) const {
  Outcome outcome;
  if (moves.empty()) return outcome;
  Descriptor root(::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!root.valid()) {
    outcome.failure = Failure{moves.front(), "the folder " + folder_ +
                                                 " cannot be opened: " + std::strerror(errno)};
    return outcome;
  }
  const int dir = root.get();
  unsigned serial = 0;
  for (const Move& move : moves) {
    const std::string from = join(child(move.folder, move.from));
    const std::string to = join(child(move.folder, move.to));
    if (rename_noreplace(dir, from, to) == 0) {
      outcome.done.push_back(move);
      continue;
    }
    int error = errno;
    if (error != EEXIST || !same_entry(dir, move.folder, move.from, move.to)) {
      outcome.failure = Failure{move, reason(error)};
      break;
    }
    // A change of case where the file system ignores case: the new spelling
    // finds the old entry, so go through a name of our own.
    std::string temporary;
    int step;
    do {
      temporary = ".bulkrename-" + std::to_string(::getpid()) + "-" + std::to_string(serial++);
      step = rename_noreplace(dir, from, join(child(move.folder, temporary)));
    } while (step != 0 && errno == EEXIST);
    if (step != 0) {
      outcome.failure = Failure{move, reason(errno)};
      break;
    }
    const std::string held = join(child(move.folder, temporary));
    if (rename_noreplace(dir, held, to) == 0) {
      outcome.done.push_back(move);
      continue;
    }
    error = errno;
    if (rename_noreplace(dir, held, from) == 0) {
      outcome.failure = Failure{move, reason(error)};
    } else {
      outcome.done.push_back({move.folder, move.from, temporary, move.entry});
      outcome.failure = Failure{move, reason(error) + "; it is now named " + temporary};
    }
    break;
  }
  return outcome;
}

Outcome Renamer::rename(const std::vector<Entry>& batch) const {
  Outcome outcome;
  outcome.problems = check(batch);
  if (!outcome.problems.empty()) return outcome;
  return execute(plan(batch));
}

void Journal::record(const Outcome& outcome) {
  if (outcome.problems.empty()) moves_ = outcome.done;
}

std::vector<Entry> Journal::reversal() const {
  std::vector<Entry> batch;
  batch.reserve(moves_.size());
  for (std::size_t i = 0; i < moves_.size(); ++i) {
    Path now = child(moves_[i].folder, moves_[i].to);
    // Later renames may have renamed a folder above this entry.
    for (std::size_t j = i + 1; j < moves_.size(); ++j) {
      const Move& later = moves_[j];
      std::size_t depth = later.folder.size();
      if (now.size() > depth + 1 && now[depth] == later.from &&
          std::equal(later.folder.begin(), later.folder.end(), now.begin()))
        now[depth] = later.to;
    }
    batch.push_back({std::move(now), moves_[i].from});
  }
  return batch;
}

Outcome Journal::undo(const Renamer& renamer) {
  std::vector<Entry> batch = reversal();
  Outcome outcome = renamer.rename(batch);
  if (!outcome.problems.empty()) return outcome;
  std::vector<bool> restored(moves_.size(), false);
  for (const Move& move : outcome.done) {
    if (move.to == batch[move.entry].newname)
      restored[move.entry] = true;
    else  // left under a name of our own halfway through a change of case
      moves_[move.entry].to = move.to;
  }
  std::vector<Move> left;
  for (std::size_t i = 0; i < moves_.size(); ++i)
    if (!restored[i]) left.push_back(moves_[i]);
  moves_ = std::move(left);
  return outcome;
}

}  // namespace bulkrename
