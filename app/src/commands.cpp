#include "commands.h"

#include <fsname/path.h>
#include <tickpane/scan.h>

#include <cerrno>
#include <cstring>
#include <limits>
#include <ostream>

#include "escape.h"
#include "journal.h"
#include "report.h"
#include "scan.h"

namespace bulkrename {

namespace {

constexpr std::size_t everything = std::numeric_limits<std::size_t>::max();

std::string path_of(const Path& folder, const std::string& name) {
  Path path = folder;
  path.push_back(name);
  return printable(join(path));
}

void tell(std::ostream& errors, const std::string& location,
          const std::vector<Problem>& problems) {
  for (const Problem& problem : problems)
    errors << printable(problem.path.empty() ? location : join(problem.path)) << ": "
           << printable(problem.reason) << '\n';
}

void tell(std::ostream& errors, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) errors << "bulkrename: " << printable(line) << '\n';
}

// Writes `text` and says why it could not be, or nothing.
std::string write(std::ostream& out, const std::string& text) {
  errno = 0;
  out << text << std::flush;
  if (out) return {};
  return std::string("the output cannot be written") +
         (errno != 0 ? std::string(" (") + std::strerror(errno) + ")" : std::string());
}

std::string write_move(std::ostream& out, const Move& move) {
  return write(out, path_of(move.folder, move.from) + '\t' + path_of(move.folder, move.to) + '\n');
}

// The status of a run that got past its check.
int status_of(const Outcome& outcome, std::ostream& errors, Action action, bool output_failed) {
  if (outcome.failures.empty() && outcome.stopped.empty() && outcome.untried.empty())
    return status_done;
  // When the output failed, the renames done are listed here instead.
  tell(errors, describe(outcome, action, everything, output_failed));
  return outcome.done.empty() ? status_problems : status_stopped;
}

}  // namespace

Scanned scan_batch(const Options& options, const std::string& folder) {
  Proposal proposal(options.rules);
  Scanned scanned;
  // The folder as the window's tree takes it, scanned as the tree scans.
  scanned.location = fsname::absolute_path(folder);
  std::vector<std::string> names =
      tickpane::scan(scanned.location, options.pattern.value_or(tickpane::default_pattern),
                     {options.folders, options.recursive});
  if (!options.hidden) names = without_hidden(std::move(names));

  scanned.unreadable = unreadable_folders(scanned.location, options.recursive, options.hidden);
  for (std::size_t i = 0; i < names.size(); ++i) {
    Path path = split(names[i]);
    std::string newname = proposal.propose(path.back(), static_cast<long>(i));
    if (newname != path.back()) scanned.batch.push_back({std::move(path), std::move(newname)});
  }
  return scanned;
}

int dry_run(const Options& options, const std::string& folder, std::ostream& out,
            std::ostream& errors) {
  Scanned scanned = scan_batch(options, folder);
  std::vector<Problem> problems = scanned.unreadable;
  Renamer::Plan plan = Renamer(scanned.location, journal_folder()).check(scanned.batch);
  problems.insert(problems.end(), plan.problems.begin(), plan.problems.end());
  tell(errors, scanned.location, problems);
  if (!problems.empty()) return status_problems;
  std::vector<Path> ends = Renamer::targets(scanned.batch);
  std::string text;
  for (std::size_t i = 0; i < scanned.batch.size(); ++i)
    text += printable(join(scanned.batch[i].path)) + '\t' + printable(join(ends[i])) + '\n';
  if (std::string why = write(out, text); !why.empty()) {
    tell(errors, {why});
    return status_problems;
  }
  return status_done;
}

int apply(const Options& options, const std::string& folder, const std::string& journals,
          std::ostream& out, std::ostream& errors) {
  Scanned scanned = scan_batch(options, folder);
  Renamer renamer(scanned.location, journals);
  std::vector<Problem> problems = scanned.unreadable;
  Renamer::Plan plan = renamer.check(scanned.batch);
  problems.insert(problems.end(), plan.problems.begin(), plan.problems.end());
  tell(errors, scanned.location, problems);
  if (!problems.empty()) return status_problems;

  bool output_failed = false;
  Outcome outcome = renamer.execute(plan.moves, [&](const Move& move) {
    std::string why = write_move(out, move);
    output_failed = !why.empty();
    return why;
  });
  if (!outcome.problems.empty()) {
    tell(errors, scanned.location, outcome.problems);
    return status_problems;
  }
  return status_of(outcome, errors, Action::rename, output_failed);
}

int undo(const std::string& journals, std::ostream& out, std::ostream& errors) {
  std::optional<Journal> journal = Journal::last(journals);
  if (!journal) {
    tell(errors, {"nothing to undo: no journal in " + journals + " has renames to put back"});
    return status_problems;
  }
  bool output_failed = false;
  Outcome outcome = journal->undo(Filesystem::local(), [&](const Move& move) {
    std::string why = write_move(out, move);
    output_failed = !why.empty();
    return why;
  });
  if (!outcome.problems.empty()) {
    tell(errors, journal->folder(), outcome.problems);
    return status_problems;
  }
  return status_of(outcome, errors, Action::undo, output_failed);
}

}  // namespace bulkrename
