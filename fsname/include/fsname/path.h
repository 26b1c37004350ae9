#pragma once

// Paths written with '/', taken apart and put together. Only the text is
// handled: nothing here looks at the file system.

#include <string>
#include <string_view>
#include <vector>

namespace fsname {

/// `parts` joined with '/': "" for none, "/a" for {"", "a"}.
std::string join(const std::vector<std::string>& parts);

/// The parts of `path` between its separators, one more than there are
/// separators: {""} for "", {"", "a"} for "/a". join(split(p)) == p.
std::vector<std::string> split(std::string_view path);

/// The path of `name` inside `folder`: `name` itself when `folder` is "",
/// and one '/' between them unless `folder` ends with one already.
std::string child_path(std::string_view folder, std::string_view name);

/// The part of `path` after its last '/'; all of it when it has none.
std::string_view last_part(std::string_view path);

/// The absolute, normal form of `path`: one that is relative is taken
/// against the current directory; "." and empty parts dropped, ".." folded
/// (above the root it stays at the root), no trailing separator. A leading
/// "//" stays, since POSIX leaves its meaning to the system; three or more
/// leading separators are one. Throws std::filesystem::filesystem_error when
/// the current directory is needed and cannot be had.
std::string absolute_path(const std::string& path);

}  // namespace fsname
