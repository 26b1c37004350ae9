#include "report.h"

namespace bulkrename {

namespace {

std::string where(const Path& folder, const std::string& name) {
  Path path = folder;
  path.push_back(name);
  return join(path);
}

std::string plural(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

template <typename Item, typename Line>
void list(std::vector<std::string>& lines, const std::vector<Item>& items, std::size_t at_most,
          Line line) {
  for (std::size_t i = 0; i < items.size() && i < at_most; ++i) lines.push_back(line(items[i]));
  if (items.size() > at_most)
    lines.push_back("  ... and " + std::to_string(items.size() - at_most) + " more");
}

}  // namespace

std::vector<std::string> describe(const std::vector<Problem>& problems, Action action,
                                  std::size_t at_most) {
  std::vector<std::string> lines{
      std::string(action == Action::rename ? "Nothing was renamed" : "Nothing was put back") +
      ": " + plural(problems.size(), "problem", "problems") + " to fix first."};
  list(lines, problems, at_most, [](const Problem& problem) {
    return "  " + (problem.path.empty() ? std::string("(the folder)") : join(problem.path)) +
           ": " + problem.reason;
  });
  return lines;
}

std::vector<std::string> describe(const Outcome& outcome, Action action, std::size_t at_most,
                                  bool list_done) {
  const bool rename = action == Action::rename;
  std::vector<std::string> lines{std::string(rename ? "Renamed " : "Put back ") +
                                 std::to_string(outcome.done.size()) + " of " +
                                 std::to_string(outcome.planned()) + "."};
  if (!outcome.failures.empty())
    lines.push_back(rename ? "Failed:" : "Not put back (they stay in the journal):");
  list(lines, outcome.failures, at_most, [&](const Failure& failure) {
    const Move& move = failure.move;
    std::string line = "  " + where(move.folder, move.from) + " -> " + move.to + ": " +
                       failure.reason;
    if (!failure.held.empty())
      line += "; it is now named " + failure.held + ", which Undo takes back";
    return line;
  });
  if (!outcome.stopped.empty()) lines.push_back("Stopped: " + outcome.stopped + ".");
  if (!outcome.untried.empty())
    lines.push_back("Not tried, left as they were (" + std::to_string(outcome.untried.size()) +
                    "):");
  list(lines, outcome.untried, at_most, [](const Move& move) {
    return "  " + where(move.folder, move.from) + " -> " + move.to;
  });
  if (list_done && !outcome.done.empty()) lines.push_back(rename ? "Done:" : "Put back:");
  if (list_done)
    list(lines, outcome.done, at_most, [](const Move& move) {
      return "  " + where(move.folder, move.from) + " -> " + move.to;
    });
  return lines;
}

Report summary(const Outcome& outcome, Action action, const std::string& folder,
               std::size_t at_most) {
  const bool rename = action == Action::rename;
  if (!outcome.problems.empty())
    return {describe(outcome.problems, action, at_most),
            std::string(rename ? "Nothing was renamed" : "Nothing was put back") +
                ": see the problems below the tree."};
  std::vector<std::string> lines = describe(outcome, action, at_most, true);
  if (!rename) lines.insert(lines.begin() + 1, "In " + folder + ":");
  return {lines, ""};
}

std::vector<std::string> describe_unreadable(const std::vector<Problem>& unreadable,
                                             const std::string& location, std::size_t at_most) {
  if (unreadable.empty()) return {};
  std::vector<std::string> lines{"Not shown, as these folders cannot be read:"};
  list(lines, unreadable, at_most, [&](const Problem& problem) {
    return "  " + (problem.path.empty() ? location : join(problem.path)) + ": " + problem.reason;
  });
  return lines;
}

}  // namespace bulkrename
