#include "options.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <utility>

namespace bulkrename {

namespace {

long to_number(const std::string& option, const std::string& text) {
  long value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size())
    throw std::invalid_argument(option + " takes a whole number, not \"" + text + "\"");
  return value;
}

Casing to_casing(const std::string& text) {
  if (text == "keep") return Casing::keep;
  if (text == "lower") return Casing::lower;
  if (text == "upper") return Casing::upper;
  if (text == "title") return Casing::title;
  throw std::invalid_argument("--case takes keep, lower, upper or title, not \"" + text + "\"");
}

Place to_place(const std::string& text) {
  if (text == "start") return Place::start;
  if (text == "end") return Place::end;
  throw std::invalid_argument("--number-at takes start or end, not \"" + text + "\"");
}

}  // namespace

Options parse_options(const std::vector<std::string>& args) {
  Options options;
  bool folder_given = false;
  bool only_folders_follow = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    if (only_folders_follow || arg.empty() || arg[0] != '-' || arg == "-") {
      if (folder_given) throw std::invalid_argument("only one folder can be given");
      if (arg.empty()) throw std::invalid_argument("the folder given is an empty text");
      options.folder = arg;
      folder_given = true;
      continue;
    }
    if (arg == "--") {
      only_folders_follow = true;
      continue;
    }
    // --name=value and --name value alike.
    std::optional<std::string> inline_value;
    if (std::size_t eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
      inline_value = arg.substr(eq + 1);
      arg.erase(eq);
    }
    auto value = [&]() -> std::string {
      if (inline_value) return *std::exchange(inline_value, std::nullopt);
      if (i + 1 >= args.size()) throw std::invalid_argument(arg + " needs a value");
      return args[++i];
    };
    Rules& rules = options.rules;
    if (arg == "-p" || arg == "--pattern") options.pattern = value();
    else if (arg == "-d" || arg == "--folders") options.folders = true;
    else if (arg == "-r" || arg == "--recursive") options.recursive = true;
    else if (arg == "--no-recursive") options.recursive = false;
    else if (arg == "--hidden") options.hidden = true;
    else if (arg == "-f" || arg == "--find") rules.find = value();
    else if (arg == "-t" || arg == "--replace") rules.replace = value();
    else if (arg == "-e" || arg == "--regex") rules.regex = true;
    else if (arg == "-i" || arg == "--ignore-case") rules.match_case = false;
    else if (arg == "-c" || arg == "--case") rules.casing = to_casing(value());
    else if (arg == "--prefix") rules.prefix = value();
    else if (arg == "--suffix") rules.suffix = value();
    else if (arg == "--number") rules.numbering = true;
    else if (arg == "--start") rules.numbering = true, rules.start = to_number(arg, value());
    else if (arg == "--width") {
      rules.numbering = true;
      // Out-of-range widths stay out of range, for the proposal to refuse.
      rules.width = static_cast<int>(std::clamp(to_number(arg, value()), 0L, max_width + 1L));
    }
    else if (arg == "--number-at") rules.numbering = true, rules.number_at = to_place(value());
    else if (arg == "--whole-name") rules.keep_extension = false;
    else if (arg == "--tick-all") options.tick_all = true;
    else if (arg == "--screenshot") {
      options.screenshot = value();
      if (options.screenshot.empty()) throw std::invalid_argument("--screenshot needs a file name");
    }
    else if (arg == "--dry-run") options.dry_run = true;
    else if (arg == "--apply") options.apply = true;
    else if (arg == "--undo") options.undo = true;
    else if (arg == "-h" || arg == "--help") options.help = true;
    else if (arg == "--version") options.version = true;
    else throw std::invalid_argument("unknown option " + arg);
    if (inline_value) throw std::invalid_argument(arg + " takes no value");
  }
  if (options.dry_run + options.apply + options.undo > 1)
    throw std::invalid_argument("--dry-run, --apply and --undo go one at a time");
  if ((options.dry_run || options.apply || options.undo) && !options.screenshot.empty())
    throw std::invalid_argument(
        "--screenshot shows the window, which --dry-run, --apply and --undo do without");
  if (options.apply && !folder_given)
    throw std::invalid_argument("--apply needs a FOLDER; it does not rename the sample");
  if (options.undo && folder_given)
    throw std::invalid_argument("--undo takes no FOLDER: it puts back the last batch, "
                                "in the folder it renamed in");
  return options;
}

std::string usage() {
  return R"(Usage: bulkrename [FOLDER] [OPTIONS]

Shows the files (or folders) below FOLDER as a tree with a proposed new name
for each, and renames the ones you tick. Without FOLDER it shows a scratch
copy of a small sample folder.

What to show:
  -p, --pattern GLOB     only names matching this wildcard (default: all)
  -d, --folders          rename folders instead of files
  -r, --recursive        look in every folder below FOLDER (the default)
      --no-recursive     only the entries directly in FOLDER
      --hidden           show hidden entries too: names starting with "."
                         and everything in folders so named

How to propose new names (applied in this order):
  -f, --find TEXT        text to replace ...
  -t, --replace TEXT     ... with this (default: nothing)
  -e, --regex            TEXT is a regular expression (RE2 syntax); the
                         replacement may use $1, $2 ... and $& for the match
  -i, --ignore-case      find TEXT in any case
  -c, --case CASE        keep, lower, upper or title
      --prefix TEXT      put TEXT before the name
      --suffix TEXT      put TEXT after the name
      --number           number the entries in the order shown
      --start N          first number (default 1; implies --number)
      --width N          digits at least, padded with zeros (default 1)
      --number-at WHERE  start or end of the name (default end)
      --whole-name       let the rules change the extension too; by default
                         the part from the last dot is kept as it is

Hidden entries (names starting with ".") and everything inside hidden
folders are left out unless --hidden is given.

      --tick-all         start with every row ticked
      --screenshot FILE  show the window, save a PNG of it to FILE and quit

Without a window or a screen:
      --dry-run          print what renaming every entry would do, one
                         "OLD<TAB>NEW" line of relative paths per rename
      --apply            rename every entry as --dry-run prints it, printing
                         each rename as it is done (deepest first)
      --undo             put back the last batch renamed (by the window or
                         --apply), as its journal records it; no FOLDER

Exit status: 0 done; 1 problems (listed on standard error), nothing done;
2 a bad command line; 3 stopped midway: what was done stays done, listed.
Journals are kept in $XDG_STATE_HOME/bulkrename (~/.local/state/bulkrename).

  -h, --help             this text
      --version          the version
)";
}

}  // namespace bulkrename
