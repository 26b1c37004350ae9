#pragma once

// What the application makes of the tree's scan, whose own rules stay as
// they are: hidden entries (a name starting with ".", or anything inside a
// folder so named) are left out unless asked for, as shells and file
// managers do, and the folders the scan passes over because they cannot be
// read are named.

#include <string>
#include <vector>

#include "renamer.h"

namespace bulkrename {

/// Whether the scanned name `relative` ("a/b/c") is hidden or lies inside a
/// hidden folder.
bool hidden(const std::string& relative);

/// `names` without the hidden ones.
std::vector<std::string> without_hidden(std::vector<std::string> names);

/// The folders at or below `location` that cannot be opened or read to the
/// end, with why; "" stands for `location` itself. Walks as the scan does:
/// never into a link, below `location` only when `recursive`, and into
/// hidden folders only with `hidden`.
std::vector<Problem> unreadable_folders(const std::string& location, bool recursive,
                                        bool hidden);

}  // namespace bulkrename
