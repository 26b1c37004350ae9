#include "dryrun.h"

#include <tickpane/tickpane.h>

#include <cstdio>
#include <ostream>

#include "utf8.h"

namespace bulkrename {

Path split(const std::string& relative) {
  Path path;
  std::size_t start = 0;
  for (std::size_t at; (at = relative.find('/', start)) != std::string::npos; start = at + 1)
    path.push_back(relative.substr(start, at - start));
  path.push_back(relative.substr(start));
  return path;
}

std::string printable(const std::string& bytes) {
  std::string text;
  auto hex = [&](unsigned value) {
    char code[5];
    std::snprintf(code, sizeof code, "\\x%02X", value & 0xFF);
    text += code;
  };
  for (wchar_t c : widen(bytes)) {
    if (c == L'\\') text += "\\\\";
    else if (c == L'\t') text += "\\t";
    else if (c == L'\n') text += "\\n";
    else if (c < 0x20 || c == 0x7F) hex(static_cast<unsigned>(c));
    else if (is_raw_byte(c)) hex(static_cast<unsigned>(c) - 0xDC00);
    else text += narrow(std::wstring_view(&c, 1));
  }
  return text;
}

int dry_run(const Options& options, const std::string& folder, std::ostream& out,
            std::ostream& errors) {
  Proposal proposal(options.rules);
  auto config = std::make_shared<host::PlainConfig>(folder, options.pattern, options.folders,
                                                    options.recursive);
  // Only the scan of the tree is needed: it reads no window.
  tickpane::Filetree tree(nullptr, nullptr, nullptr, nullptr, config, {}, {});
  std::vector<std::string> names = tree.get_names();

  std::vector<Entry> batch;
  for (std::size_t i = 0; i < names.size(); ++i) {
    Path path = split(names[i]);
    std::string newname = proposal.propose(path.back(), static_cast<long>(i));
    if (newname != path.back()) batch.push_back({std::move(path), std::move(newname)});
  }
  Renamer renamer(tree.location());
  std::vector<Problem> problems = renamer.check(batch);
  for (const Problem& problem : problems)
    errors << printable(join(problem.path)) << ": " << printable(problem.reason) << '\n';
  if (!problems.empty()) return 1;
  std::vector<Path> ends = Renamer::targets(batch);
  for (std::size_t i = 0; i < batch.size(); ++i)
    out << printable(join(batch[i].path)) << '\t' << printable(join(ends[i])) << '\n';
  return 0;
}

}  // namespace bulkrename
