#include "dryrun.h"

#include <tickpane/tickpane.h>

#include <ostream>

#include "escape.h"
#include "journal.h"
#include "scan.h"

namespace bulkrename {

int dry_run(const Options& options, const std::string& folder, std::ostream& out,
            std::ostream& errors) {
  Proposal proposal(options.rules);
  auto config = std::make_shared<host::PlainConfig>(folder, options.pattern, options.folders,
                                                    options.recursive);
  // Only the scan of the tree is needed: it reads no window.
  tickpane::Filetree tree(nullptr, nullptr, nullptr, nullptr, config, {}, {});
  std::vector<std::string> names = tree.get_names();
  if (!options.hidden) names = without_hidden(std::move(names));
  std::vector<Problem> unreadable =
      unreadable_folders(tree.location(), options.recursive, options.hidden);

  std::vector<Entry> batch;
  for (std::size_t i = 0; i < names.size(); ++i) {
    Path path = split(names[i]);
    std::string newname = proposal.propose(path.back(), static_cast<long>(i));
    if (newname != path.back()) batch.push_back({std::move(path), std::move(newname)});
  }
  Renamer renamer(tree.location(), journal_folder());
  std::vector<Problem> problems = renamer.check(batch).problems;
  problems.insert(problems.begin(), unreadable.begin(), unreadable.end());
  for (const Problem& problem : problems)
    errors << printable(join(problem.path)) << ": " << printable(problem.reason) << '\n';
  if (!problems.empty()) return 1;
  std::vector<Path> ends = Renamer::targets(batch);
  for (std::size_t i = 0; i < batch.size(); ++i)
    out << printable(join(batch[i].path)) << '\t' << printable(join(ends[i])) << '\n';
  return 0;
}

}  // namespace bulkrename
