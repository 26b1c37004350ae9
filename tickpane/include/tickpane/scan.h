#pragma once

// The scan on its own: the names below a folder that match a pattern, as
// Filetree::get_names() collects them, with no tree, no window and no
// registries. Any thread; the function shares no state between calls.

#include <tickpane/export.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tickpane {

/// What a scan collects, as host::Config's folders() and recursive() say.
struct ScanOptions {
  /// True: folder names, links to folders included; false: every other
  /// entry, broken links included.
  bool folders = false;
  /// False: only the entries directly in the location.
  bool recursive = true;
};

/// The pattern a Filetree takes when its config gives none: every name.
inline constexpr char default_pattern[] = "*";

/// Called with each folder's path as the scan lists it, before its names
/// are matched: `location` itself first, then "location/sub" and so on.
using FolderListed = std::function<void(const std::string& folder)>;

/// The entries at or below `location` whose own name matches `pattern`, as
/// paths relative to `location` joined with '/', each once, sorted by code
/// point as a Python host sees them: the list Filetree::get_names() returns
/// for that location, pattern and options (the rules of the walk, of the
/// pattern and of the order are stated there). `location` is used as it
/// stands; a relative one is taken against the current directory.
///
/// A missing location, or one that is not a folder, gives an empty list; a
/// folder that cannot be read is left out with all below it, and is not
/// passed to `on_folder`. Neither is reported. An error thrown by
/// `on_folder` passes to the caller, with every folder the scan opened
/// closed again.
TICKPANE_API std::vector<std::string> scan(const std::string& location, std::string_view pattern,
                                           ScanOptions options,
                                           const FolderListed& on_folder = {});

}  // namespace tickpane
