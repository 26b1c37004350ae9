#include "scan.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace bulkrename {

namespace {

constexpr int folder_flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW;

std::string unreadable(int error) {
  return std::string("the folder cannot be read (") + std::strerror(error) +
         "), so nothing in it is shown";
}

// Lists the folder open as `fd` (which this takes over), noting it when it
// cannot be read to the end, and walks its sub-folders in turn.
void walk(int fd, const Path& path, bool recursive, bool hidden, std::vector<Problem>& found) {
  DIR* dir = ::fdopendir(fd);
  if (dir == nullptr) {
    found.push_back({path, unreadable(errno)});
    ::close(fd);
    return;
  }
  std::vector<std::string> folders;
  errno = 0;
  while (dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == ".." || (!hidden && name[0] == '.')) continue;
    bool folder = entry->d_type == DT_DIR;
    if (entry->d_type == DT_UNKNOWN) {
      struct stat info;
      folder = ::fstatat(::dirfd(dir), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
               S_ISDIR(info.st_mode);
    }
    if (folder && recursive) folders.push_back(std::move(name));
    errno = 0;
  }
  if (errno != 0) found.push_back({path, unreadable(errno)});
  std::sort(folders.begin(), folders.end());
  for (const std::string& name : folders) {
    Path below = path;
    below.push_back(name);
    int next = ::openat(::dirfd(dir), name.c_str(), folder_flags);
    if (next < 0) {
      // Gone or swapped for a link since it was listed: the scan passes it
      // over as well, without it being unreadable.
      if (errno != ENOENT && errno != ELOOP && errno != ENOTDIR)
        found.push_back({below, unreadable(errno)});
      continue;
    }
    walk(next, below, recursive, hidden, found);
  }
  ::closedir(dir);
}

}  // namespace

bool hidden(const std::string& relative) {
  for (std::size_t start = 0; start < relative.size();) {
    if (relative[start] == '.') return true;
    std::size_t slash = relative.find('/', start);
    if (slash == std::string::npos) break;
    start = slash + 1;
  }
  return false;
}

std::vector<std::string> without_hidden(std::vector<std::string> names) {
  names.erase(std::remove_if(names.begin(), names.end(),
                             [](const std::string& name) { return hidden(name); }),
              names.end());
  return names;
}

std::vector<Problem> unreadable_folders(const std::string& location, bool recursive,
                                        bool hidden) {
  std::vector<Problem> found;
  // The location itself may be a link to a folder, as the scan allows.
  int fd = ::open(location.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0)
    found.push_back({{}, unreadable(errno)});
  else
    walk(fd, {}, recursive, hidden, found);
  return found;
}

}  // namespace bulkrename
