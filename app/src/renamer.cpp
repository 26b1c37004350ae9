#include "renamer.h"

#include <fsname/utf8.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <unordered_map>

#include "casing.h"
#include "journal.h"

namespace bulkrename {

namespace {

Path parent(const Path& path) { return Path(path.begin(), path.end() - 1); }

std::string name_problem(const std::string& newname, long name_max) {
  if (newname.empty()) return "the new name is empty";
  if (newname == "." || newname == "..") return "the new name \"" + newname + "\" is reserved";
  if (newname.find('\0') != std::string::npos) return "the new name holds a NUL byte";
  if (newname.find('/') != std::string::npos) return "the new name holds the separator \"/\"";
  if (static_cast<long>(newname.size()) > name_max)
    return "the new name is longer than " + std::to_string(name_max) + " bytes";
  return {};
}

// The window shows each byte of a name that is not UTF-8 as U+FFFD; a name
// typed over such a name brings back the character, not the bytes.
constexpr std::string_view replacement = "\xEF\xBF\xBD";

std::size_t replacements(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t at = 0; (at = text.find(replacement, at)) != std::string_view::npos;
       at += replacement.size())
    ++count;
  return count;
}

std::string real_path(const std::string& folder) {
  char resolved[PATH_MAX];
  if (::realpath(folder.c_str(), resolved) != nullptr) return resolved;
  return folder;
}

constexpr const char* case_note = "; this folder does not tell upper from lower case";

}  // namespace

int move_entry(Filesystem& fs, int at, const std::string& from, const std::string& to,
               const Identity& identity,
               const std::function<void(const std::string&)>& on_temporary, std::string& held) {
  int error = fs.rename(at, from, to);
  if (error != EEXIST) return error;
  Identity target;
  if (fs.identify(at, to, target) != 0 || !(target == identity) || fs.lists(at, to))
    return error;
  // A change of case where the folder ignores case: the new spelling finds
  // the entry itself, so go through a name of our own.
  static std::atomic<unsigned> serial{0};
  std::string temporary;
  int step;
  do {
    temporary = ".bulkrename-" + std::to_string(::getpid()) + "-" + std::to_string(serial++);
    if (on_temporary) on_temporary(temporary);
    step = fs.rename(at, from, temporary);
  } while (step == EEXIST);
  if (step != 0) return step;
  error = fs.rename(at, temporary, to);
  if (error == 0) return 0;
  if (fs.rename(at, temporary, from) != 0) held = temporary;
  return error;
}

Renamer::Renamer(const std::string& folder, std::string journals, Filesystem& fs)
    : folder_(real_path(folder)), journals_(std::move(journals)), fs_(fs),
      root_(open_folder(folder)) {
  if (!root_.valid()) {
    root_error_ = errno;
    folder_ = folder;
  }
}

Renamer::Plan Renamer::check(const std::vector<Entry>& batch) const {
  if (!root_.valid())
    return {{{{}, "the folder " + folder_ + " cannot be opened: " + std::strerror(root_error_)}},
            {}};

  std::vector<std::pair<std::size_t, Problem>> found;
  std::vector<bool> flagged(batch.size(), false);
  auto report = [&](std::size_t i, std::string why) {
    found.push_back({i, {batch[i].path, std::move(why)}});
    flagged[i] = true;
  };

  // What each folder's file system says about names.
  struct Folder {
    Naming naming;
    long name_max;
  };
  std::unordered_map<std::string, Folder> folders;
  Folders reach(fs_, root_.get());

  std::vector<Move> moves;
  std::set<Path> sources;
  for (std::size_t i = 0; i < batch.size(); ++i) {
    const Entry& entry = batch[i];
    if (entry.path.empty()) {
      report(i, "the folder itself is not renamed here");
      continue;
    }
    if (!std::all_of(entry.path.begin(), entry.path.end(), plain_name)) {
      report(i, "its path holds \"\", \".\" or \"..\"; only names inside the folder are renamed");
      continue;
    }
    if (!sources.insert(entry.path).second) {
      report(i, "it is listed twice");
      continue;
    }
    const std::string& name = entry.path.back();
    if (entry.newname == name) continue;

    Path folder = parent(entry.path);
    std::string why;
    const int at = reach.reach(folder, why);
    if (at < 0) {
      report(i, why);
      continue;
    }
    auto [info, added] = folders.try_emplace(join(folder));
    if (added) info->second = {fs_.naming(at), fs_.name_max(at)};

    if (std::string why = name_problem(entry.newname, info->second.name_max); !why.empty()) {
      report(i, why);
      continue;
    }
    if (replacements(entry.newname) > replacements(name) && !fsname::valid_utf8(name)) {
      report(i, "the new name holds \"\xEF\xBF\xBD\", which only stands on screen for bytes of "
                "the name that are not UTF-8: it would be written as that character, not as "
                "those bytes; type a name without it, or let the rules change the name");
      continue;
    }
    Identity identity;
    if (int error = fs_.identify(at, name, identity); error != 0) {
      report(i, error == ENOENT ? "it is no longer there" : std::strerror(error));
      continue;
    }
    Identity existing;
    if (int error = fs_.identify(at, entry.newname, existing); error == 0) {
      bool listed = fs_.lists(at, entry.newname);
      if (!(existing == identity) || listed)
        report(i, "\"" + entry.newname + "\" already exists" + (listed ? "" : case_note));
      else  // the entry itself, spelled in another case
        moves.push_back({folder, name, entry.newname, i, identity});
    } else if (error != ENOENT) {
      report(i, "the new name cannot be looked up: " + std::string(std::strerror(error)));
    } else {
      moves.push_back({folder, name, entry.newname, i, identity});
    }
  }

  // Renames never leave their folder, so two entries can only meet at one
  // path when they are in the same folder; entries already refused are left
  // out, one reason each being enough.
  std::vector<Path> ends = targets(batch);
  std::unordered_map<std::string, std::size_t> first;
  for (const Move& move : moves) {
    if (flagged[move.entry]) continue;
    std::string key = join(move.folder);
    bool blind = folders.at(key).naming == Naming::case_blind;
    key += '\0';
    key += blind ? folded(move.to) : move.to;
    auto [at, added] = first.try_emplace(key, move.entry);
    if (added) continue;
    const Entry& other = batch[at->second];
    report(move.entry, "it would end up at " + join(ends[move.entry]) + ", as " +
                           join(other.path) + " would" +
                           (other.newname == move.to ? "" : case_note));
  }

  Plan plan;
  std::stable_sort(found.begin(), found.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (auto& [i, problem] : found) plan.problems.push_back(std::move(problem));
  if (!plan.problems.empty()) return plan;
  // Deepest first: a folder is renamed only after everything inside it, so
  // every path of the batch stays valid until its own turn.
  std::stable_sort(moves.begin(), moves.end(), [](const Move& a, const Move& b) {
    return a.folder.size() > b.folder.size();
  });
  plan.moves = std::move(moves);
  return plan;
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

Outcome Renamer::execute(const std::vector<Move>& moves, const Each& each) const {
  Outcome outcome;
  if (moves.empty()) return outcome;
  Identity root;
  if (!root_.valid() || !identify(root_.get(), root)) {
    outcome.problems = {{{}, "the folder " + folder_ + " cannot be opened: " +
                                 std::strerror(root_.valid() ? errno : root_error_)}};
    return outcome;
  }
  std::optional<Journal> journal;
  try {
    journal.emplace(Journal::start(journals_, folder_, root, moves));
  } catch (const std::exception& error) {
    outcome.problems = {{{}, std::string("the journal cannot be written: ") + error.what()}};
    return outcome;
  }

  Folders folders(fs_, root_.get());
  std::size_t next = 0;
  while (next < moves.size()) {
    const Move& move = moves[next++];
    std::optional<Failure> failure = carry_out(move, folders, [&](const std::string& temporary) {
      journal->via(next - 1, temporary);
    });
    if (failure) {
      if (!failure->held.empty()) {
        try {
          journal->held(next - 1);
        } catch (const std::exception&) {
          // The name was recorded before the entry took it.
        }
      }
      outcome.failures.push_back(std::move(*failure));
      break;
    }
    outcome.done.push_back(move);
    try {
      journal->done(next - 1);
    } catch (const std::exception& error) {
      outcome.stopped = std::string("the journal could not be updated: ") + error.what();
      break;
    }
    if (each) {
      outcome.stopped = each(move);
      if (!outcome.stopped.empty()) break;
    }
  }
  outcome.untried.assign(moves.begin() + next, moves.end());
  try {
    journal->finish();
  } catch (const std::exception& error) {
    if (outcome.stopped.empty())
      outcome.stopped = std::string("the journal could not be closed: ") + error.what();
  }
  return outcome;
}

std::optional<Failure> Renamer::carry_out(
    const Move& move, Folders& folders,
    const std::function<void(const std::string&)>& on_temporary) const {
  std::string why;
  const int at = folders.reach(move.folder, why);
  if (at < 0) return Failure{move, why, {}};
  Identity now;
  if (int error = fs_.identify(at, move.from, now); error != 0)
    return Failure{move, reason(error), {}};
  if (!(now == move.identity))
    return Failure{move, "it is no longer the entry checked: another took its name since", {}};
  std::string held;
  try {
    if (int error = move_entry(fs_, at, move.from, move.to, move.identity,
                               on_temporary, held);
        error != 0)
      return Failure{move, reason(error), held};
  } catch (const std::exception& error) {
    // The record of a name of our own failed before the entry took it.
    return Failure{move, std::string("the journal could not be updated: ") + error.what(), {}};
  }
  return std::nullopt;
}

Outcome Renamer::rename(const std::vector<Entry>& batch, const Each& each) const {
  Plan plan = check(batch);
  if (!plan.problems.empty()) {
    Outcome outcome;
    outcome.problems = std::move(plan.problems);
    return outcome;
  }
  return execute(plan.moves, each);
}

}  // namespace bulkrename
