#pragma once

// The command line of the application.

#include <optional>
#include <string>
#include <vector>

#include "proposal.h"

namespace bulkrename {

struct Options {
  std::string folder;  ///< empty: the sample folder that ships with the application
  std::optional<std::string> pattern;  ///< nullopt: every name
  bool folders = false;
  bool recursive = true;
  bool hidden = false;  ///< show hidden entries (a name starting with ".") too
  Rules rules;
  bool tick_all = false;
  std::string screenshot;  ///< not empty: save a PNG of the window here and quit
  bool dry_run = false;
  bool apply = false;
  bool undo = false;
  bool help = false;
  bool version = false;
};

/// Reads the arguments that follow the program name. Throws
/// std::invalid_argument with a message for the user when they make no sense
/// (an empty folder among them, or runs that cannot go together).
Options parse_options(const std::vector<std::string>& args);

/// The help text.
std::string usage();

}  // namespace bulkrename
