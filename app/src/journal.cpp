#include "journal.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <stdexcept>
#include <unordered_map>

#include "escape.h"

namespace bulkrename {

namespace {

constexpr const char* header = "bulkrename journal 1";
constexpr const char* suffix = ".journal";
constexpr const char* draft_prefix = ".draft-";

std::runtime_error failure(const std::string& what) {
  return std::runtime_error(what + ": " + std::strerror(errno));
}

char type_letter(mode_t type) {
  switch (type) {
    case S_IFREG: return 'f';
    case S_IFDIR: return 'd';
    case S_IFLNK: return 'l';
    case S_IFIFO: return 'p';
    case S_IFSOCK: return 's';
    case S_IFCHR: return 'c';
    case S_IFBLK: return 'b';
    default: return '?';
  }
}

std::optional<mode_t> type_of(std::string_view letter) {
  static const std::pair<char, mode_t> types[] = {{'f', S_IFREG},  {'d', S_IFDIR},
                                                  {'l', S_IFLNK},  {'p', S_IFIFO},
                                                  {'s', S_IFSOCK}, {'c', S_IFCHR},
                                                  {'b', S_IFBLK}};
  if (letter.size() == 1)
    for (auto [c, type] : types)
      if (letter[0] == c) return type;
  return std::nullopt;
}

template <typename Number>
std::optional<Number> number(std::string_view text) {
  Number value{};
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty())
    return std::nullopt;
  return value;
}

std::vector<std::string_view> fields(std::string_view line) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t at; (at = line.find('\t', start)) != std::string_view::npos; start = at + 1)
    parts.push_back(line.substr(start, at - start));
  parts.push_back(line.substr(start));
  return parts;
}

std::string path_text(const Path& path) {
  std::string text;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (i > 0) text += '/';
    text += printable(path[i]);
  }
  return text;
}

std::optional<Path> path_of(std::string_view text) {
  Path path;
  if (text.empty()) return path;
  std::size_t start = 0;
  for (;;) {
    std::size_t at = text.find('/', start);
    auto name = unprintable(text.substr(start, at == std::string_view::npos ? at : at - start));
    if (!name || !plain_name(*name)) return std::nullopt;
    path.push_back(std::move(*name));
    if (at == std::string_view::npos) return path;
    start = at + 1;
  }
}

void make_folders(const std::string& folder) {
  for (std::size_t at = 1; at <= folder.size(); ++at) {
    if (at < folder.size() && folder[at] != '/') continue;
    std::string part = folder.substr(0, at);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
      throw failure("cannot make the folder " + part);
  }
}

// The journal files in `journals`, newest first.
std::vector<std::pair<unsigned long long, std::string>> journal_files(
    const std::string& journals) {
  std::vector<std::pair<unsigned long long, std::string>> files;
  DIR* dir = ::opendir(journals.c_str());
  if (dir == nullptr) {
    if (errno == ENOENT) return files;
    throw failure("cannot read the folder " + journals);
  }
  while (dirent* entry = ::readdir(dir)) {
    std::string_view name = entry->d_name;
    if (name.size() <= std::strlen(suffix) || !name.ends_with(suffix)) continue;
    if (auto n = number<unsigned long long>(name.substr(0, name.size() - std::strlen(suffix))))
      files.push_back({*n, journals + "/" + std::string(name)});
  }
  ::closedir(dir);
  std::sort(files.rbegin(), files.rend());
  return files;
}

// Journals a crash left before they were whole: nothing was renamed yet.
void remove_drafts(const std::string& journals) {
  DIR* dir = ::opendir(journals.c_str());
  if (dir == nullptr) return;
  while (dirent* entry = ::readdir(dir)) {
    if (std::strncmp(entry->d_name, draft_prefix, std::strlen(draft_prefix)) != 0) continue;
    Descriptor draft(::openat(::dirfd(dir), entry->d_name, O_RDONLY | O_CLOEXEC));
    if (draft.valid() && ::flock(draft.get(), LOCK_EX | LOCK_NB) == 0)
      ::unlinkat(::dirfd(dir), entry->d_name, 0);
  }
  ::closedir(dir);
}

std::string now_utc() {
  std::time_t now = std::time(nullptr);
  std::tm parts;
  char text[32];
  ::gmtime_r(&now, &parts);
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
  return text;
}

}  // namespace

std::string journal_folder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state != nullptr && state[0] == '/') return std::string(state) + "/bulkrename";
  const char* home = std::getenv("HOME");
  std::string base;
  if (home != nullptr && home[0] == '/') {
    base = home;
  } else if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir) {
    base = user->pw_dir;
  }
  if (base.empty()) return {};
  return base + "/.local/state/bulkrename";
}

Journal Journal::start(const std::string& journals, const std::string& folder,
                       const Identity& identity, const std::vector<Move>& moves) {
  if (journals.empty()) throw std::runtime_error("there is no home folder to keep it in");
  make_folders(journals);
  Descriptor dir = open_folder(journals);
  if (!dir.valid()) throw failure("cannot open the folder " + journals);
  // Written whole under a name of its own, then given its number: no other
  // process ever finds it half written.
  static std::atomic<unsigned> serial{0};
  const std::string draft =
      draft_prefix + std::to_string(::getpid()) + "-" + std::to_string(serial++);
  Journal journal;
  journal.file_ = journals + "/" + draft;
  journal.fd_ = Descriptor(::openat(dir.get(), draft.c_str(),
                                    O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600));
  if (!journal.fd_.valid()) throw failure("cannot make " + journal.file_);
  ::flock(journal.fd_.get(), LOCK_EX);
  journal.folder_ = folder;
  journal.identity_ = identity;

  std::string text = std::string(header) + "\nfolder\t" + printable(folder) + '\t' +
                     std::to_string(identity.device) + '\t' + std::to_string(identity.inode) +
                     "\nstarted\t" + now_utc() + '\n';
  journal.records_.reserve(moves.size());
  for (const Move& move : moves) {
    text += "move\t" + path_text(move.folder) + '\t' + printable(move.from) + '\t' +
            printable(move.to) + '\t' + type_letter(move.identity.type) + '\t' +
            std::to_string(move.identity.device) + '\t' + std::to_string(move.identity.inode) +
            '\t' + std::to_string(move.identity.born) + '\n';
    journal.records_.push_back({move, State::planned, {}});
  }
  text += "renaming\n";
  try {
    journal.append(text);
    if (::fdatasync(journal.fd_.get()) != 0) throw failure("cannot sync " + journal.file_);
    auto files = journal_files(journals);
    for (unsigned long long n = files.empty() ? 1 : files.front().first + 1;; ++n) {
      const std::string name = std::to_string(n) + suffix;
      int error = Filesystem::local().rename(dir.get(), draft, name);
      if (error == 0) {
        journal.file_ = journals + "/" + name;
        journal.number_ = n;
        break;
      }
      errno = error;
      if (error != EEXIST) throw failure("cannot name " + journals + "/" + name);
    }
    if (::fsync(dir.get()) != 0) throw failure("cannot sync the folder " + journals);
  } catch (...) {
    ::unlink(journal.file_.c_str());
    throw;
  }
  journal.renaming_ = true;
  return journal;
}

void Journal::append(const std::string& line) {
  if (!fsname::write_all(fd_.get(), line)) throw failure("cannot write " + file_);
}

void Journal::via(std::size_t move, const std::string& temporary) {
  append("via\t" + std::to_string(move) + '\t' + printable(temporary) + '\n');
  records_.at(move).temporary = temporary;
}

void Journal::done(std::size_t move) {
  append("done\t" + std::to_string(move) + '\n');
  records_.at(move).state = State::done;
}

void Journal::held(std::size_t move) {
  append("held\t" + std::to_string(move) + '\n');
  records_.at(move).state = State::held;
}

void Journal::finish() {
  append("end\n");
  ended_ = true;
  if (::fdatasync(fd_.get()) != 0) throw failure("cannot sync " + file_);
  std::string journals = file_.substr(0, file_.rfind('/'));
  if (left() == 0) {
    ::unlink(file_.c_str());
    return;
  }
  for (const auto& [n, file] : journal_files(journals)) {
    if (n >= number_) continue;  // this one, or another process's, newer
    Descriptor other(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (other.valid() && ::flock(other.get(), LOCK_EX | LOCK_NB) == 0) ::unlink(file.c_str());
  }
}

bool Journal::pending(const Record& record) const {
  switch (record.state) {
    case State::done:
    case State::held:
      return true;
    case State::planned:
      // No outcome recorded: the batch may have been cut short right after
      // this rename.
      return renaming_ && !ended_;
    case State::undone:
      return false;
  }
  return false;
}

std::size_t Journal::left() const {
  return static_cast<std::size_t>(
      std::count_if(records_.begin(), records_.end(), [&](const Record& r) { return pending(r); }));
}

std::optional<Journal> Journal::last(const std::string& journals) {
  remove_drafts(journals);
  for (const auto& [n, file] : journal_files(journals)) {
    Descriptor fd(::open(file.c_str(), O_RDWR | O_APPEND | O_CLOEXEC));
    if (!fd.valid()) {
      if (errno == ENOENT) continue;
      throw failure("cannot open the journal " + file);
    }
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0)
      throw std::runtime_error("the journal " + file + " is in use by another bulkrename; " +
                               "try again once it is done");
    std::optional<Journal> journal = read(file, std::move(fd));
    if (journal && journal->left() > 0) return journal;
    ::unlink(file.c_str());
  }
  return std::nullopt;
}

std::optional<Journal> Journal::read(const std::string& file, Descriptor fd) {
  std::string text;
  char buffer[1 << 16];
  for (ssize_t n; (n = ::read(fd.get(), buffer, sizeof buffer)) != 0;) {
    if (n < 0) {
      if (errno == EINTR) continue;
      throw failure("cannot read the journal " + file);
    }
    text.append(buffer, static_cast<std::size_t>(n));
  }
  Journal journal;
  journal.file_ = file;
  journal.fd_ = std::move(fd);
  std::size_t line_number = 0;
  auto damaged = [&](const std::string& why) {
    return std::runtime_error("the journal " + file + " cannot be read: line " +
                              std::to_string(line_number) + ": " + why);
  };
  auto record = [&](std::string_view index) -> Record& {
    auto n = number<std::size_t>(index);
    if (!n || *n >= journal.records_.size()) throw damaged("no such rename");
    return journal.records_[*n];
  };
  std::size_t start = 0;
  // A last line without its newline was cut short: it never happened.
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    ++line_number;
    std::string_view line(text.data() + start, end - start);
    std::vector<std::string_view> parts = fields(line);
    std::string_view kind = parts[0];
    if (line_number == 1) {
      if (line != header) throw damaged("not a journal of this version");
    } else if (kind == "folder" && parts.size() == 4) {
      auto folder = unprintable(parts[1]);
      auto device = number<dev_t>(parts[2]);
      auto inode = number<ino_t>(parts[3]);
      if (!folder || !device || !inode) throw damaged("a bad folder line");
      journal.folder_ = *folder;
      journal.identity_ = {*device, *inode, S_IFDIR, 0};
    } else if (kind == "started") {
    } else if (kind == "move" && parts.size() == 8 && !journal.renaming_) {
      auto folder = path_of(parts[1]);
      auto from = unprintable(parts[2]);
      auto to = unprintable(parts[3]);
      auto type = type_of(parts[4]);
      auto device = number<dev_t>(parts[5]);
      auto inode = number<ino_t>(parts[6]);
      auto born = number<std::int64_t>(parts[7]);
      if (!folder || !from || !to || !type || !device || !inode || !born || !plain_name(*from) ||
          !plain_name(*to))
        throw damaged("a bad move line");
      std::size_t entry = journal.records_.size();
      journal.records_.push_back(
          {{*folder, *from, *to, entry, {*device, *inode, *type, *born}}, State::planned, {}});
    } else if (kind == "renaming" && parts.size() == 1) {
      journal.renaming_ = true;
    } else if (kind == "via" && parts.size() == 3) {
      auto temporary = unprintable(parts[2]);
      if (!temporary || !plain_name(*temporary)) throw damaged("a bad name");
      record(parts[1]).temporary = *temporary;
    } else if (kind == "done" && parts.size() == 2) {
      record(parts[1]).state = State::done;
    } else if (kind == "held" && parts.size() == 2) {
      record(parts[1]).state = State::held;
    } else if (kind == "undone" && parts.size() == 2) {
      record(parts[1]).state = State::undone;
    } else if (kind == "end" && parts.size() == 1) {
      journal.ended_ = true;
    } else {
      throw damaged("unknown line");
    }
  }
  if (journal.folder_.empty()) {
    if (!journal.renaming_) return std::nullopt;  // cut short before the plan was whole
    throw damaged("no folder");
  }
  return journal;
}

Outcome Journal::undo(Filesystem& fs, const Each& each) {
  Outcome outcome;
  Descriptor root = open_folder(folder_);
  Identity now;
  if (!root.valid() || !identify(root.get(), now) || now.device != identity_.device ||
      now.inode != identity_.inode) {
    outcome.problems.push_back(
        {{}, "the folder " + folder_ + " is no longer the one the renames were made in"});
    return outcome;
  }

  // Each entry is found below the names its folders have now: the ones the
  // batch renamed and did not put back yet keep their new names.
  const std::size_t count = records_.size();
  std::unordered_map<std::string, std::size_t> renamed_at;
  renamed_at.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const Move& move = records_[i].move;
    std::string key = join(move.folder);
    renamed_at.emplace(key.empty() ? move.from : key + '/' + move.from, i);
  }
  std::vector<std::string> where(count);
  for (std::size_t i = 0; i < count; ++i) {
    const Record& record = records_[i];
    where[i] = record.state == State::held ? record.temporary
               : pending(record)            ? record.move.to
                                            : record.move.from;
  }

  // Once a line cannot be written the journal would no longer be exact:
  // nothing more is tried; nor once `each` says to stop.
  auto note = [&](const std::string& line) {
    try {
      append(line);
    } catch (const std::exception& error) {
      outcome.stopped = std::string("the journal could not be updated: ") + error.what();
    }
  };

  // The last renamed first: a folder is put back before what is inside it.
  Folders folders(fs, root.get());
  for (std::size_t i = count; i-- > 0;) {
    Record& record = records_[i];
    if (!pending(record)) continue;
    const Move& move = record.move;
    Path folder;
    std::string key;
    for (const std::string& name : move.folder) {
      key += (key.empty() ? "" : "/") + name;
      auto above = renamed_at.find(key);
      folder.push_back(above == renamed_at.end() ? name : where[above->second]);
    }
    Move back{folder, where[i], move.from, move.entry, move.identity};
    if (!outcome.stopped.empty()) {
      outcome.untried.push_back(back);
      continue;
    }
    std::string why;
    const int at = folders.reach(folder, why);
    if (at < 0) {
      outcome.failures.push_back({back, why, {}});
      continue;
    }
    std::vector<std::string> places{where[i]};
    for (const std::string& place : {move.to, record.temporary})
      if (!place.empty() && place != where[i]) places.push_back(place);
    std::string found;
    for (const std::string& place : places) {
      Identity identity;
      if (fs.identify(at, place, identity) == 0 && identity == move.identity) {
        found = place;
        break;
      }
    }
    if (found.empty()) {
      Identity identity;
      if (fs.identify(at, move.from, identity) == 0 && identity == move.identity) {
        // Never renamed (the batch stopped before it), or put back already.
        record.state = State::undone;
        where[i] = move.from;
        note("undone\t" + std::to_string(i) + '\n');
        continue;
      }
      bool taken = fs.identify(at, where[i], identity) == 0;
      outcome.failures.push_back(
          {back,
           taken ? "it is no longer the entry renamed: another took its name since"
                 : "it is no longer there",
           {}});
      continue;
    }
    back.from = found;
    std::string left_as;
    int error;
    try {
      error = move_entry(
          fs, at, found, move.from, move.identity,
          [&](const std::string& temporary) { via(i, temporary); }, left_as);
    } catch (const std::exception& failure) {
      // The record of a name of our own failed before the entry took it.
      outcome.stopped = std::string("the journal could not be updated: ") + failure.what();
      outcome.untried.push_back(back);
      continue;
    }
    if (error != 0) {
      outcome.failures.push_back(
          {back,
           error == EEXIST ? "its old name \"" + move.from + "\" is taken again" : reason(error),
           left_as});
      where[i] = found;
      if (!left_as.empty()) {
        where[i] = left_as;
        record.state = State::held;
        note("held\t" + std::to_string(i) + '\n');
      }
      continue;
    }
    record.state = State::undone;
    where[i] = move.from;
    outcome.done.push_back(back);
    note("undone\t" + std::to_string(i) + '\n');
    if (each && outcome.stopped.empty()) outcome.stopped = each(back);
  }
  if (left() == 0) ::unlink(file_.c_str());
  return outcome;
}

}  // namespace bulkrename
