#pragma once

// How bulkrename sets up its memory for large trees. Building a tree makes
// wx and GTK walk long linked lists of small objects; the program links
// jemalloc (see app/CMakeLists.txt), backs its arenas with huge pages and has
// GLib take its small blocks from it too, so that those lists lie closer
// together in memory. Measured in docs/performance.md, "Tree build on Debian 12"
// and "... 13".

namespace bulkrename {

/// GLib reads G_SLICE once, before main runs: when it is unset, sets it to
/// "always-malloc" and runs the program again in place with the same
/// arguments. Returns when G_SLICE was set already (the user's setting
/// stands) or when the program cannot be run again (it goes on as it is:
/// slower, not wrong).
void route_glib_slices_to_malloc(char** argv);

}  // namespace bulkrename
